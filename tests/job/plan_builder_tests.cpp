// The planner on small pictures worked out by hand: which records it writes, in which order,
// at which coordinates.
#include "job/plan_builder.h"

#include "job/plan_pictures.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

using testing::BlackPicture;
using testing::GridPicture;
using testing::PlanLines;
using testing::SetRun;

QByteArray Plan(PictureMatrices m, PassMode pass) {
    const Result<PlanText> plan = BuildPlanText(m, pass, nullptr);
    EXPECT_EQ(plan.Message(), QString());
    return plan ? plan->text : QByteArray();
}

using Passes = std::vector<PassMode>;
const Passes Both = {PassMode::TwoSided, PassMode::OneSided};
const Passes TwoSided = {PassMode::TwoSided};
const Passes OneSided = {PassMode::OneSided};

struct HandCase {
    const char* name;
    std::vector<std::string> grid;
    Passes passes;
    std::vector<std::string> plan; // empty: nothing to strike, an empty plan
};

const std::string FarRow1 = std::string(3, '4') + std::string(37, '0') + ".";
const std::string FarRow2 = std::string(29, '0') + std::string(11, '4') + ".";

const HandCase HandCases[] = {
    {"isolated dot",
     {"....", ".4..", "....", "...."},
     Both,
     {"", "GoTo:      2     2", "Down: ", "Knock: 4", "Up  : "}},
    {"all black", {"....", "....", "...."}, Both, {}},
    {"isolated pixel of level 0", {"....", ".0..", "...."}, Both, {}},
    {"horizontal line",
     {"......", ".4321.", "......"},
     Both,
     {"", "GoTo:      2     2", "Down: ", "Knock: 4321", "Up  : "}},
    {"leading and trailing zeros trimmed, inner ones kept",
     {"..........", ".00410400.", ".........."},
     Both,
     {"", "GoTo:      2     4", "Down: ", "Knock: 4104", "Up  : "}},
    {"filled rectangle, directions alternate",
     {"......", ".4444.", ".1234.", ".4444.", "......"},
     TwoSided,
     {"", "GoTo:      2     2", "Down: ", "Knock: 4444", "GoTo:      3     6", "KBack: 4321",
      "GoTo:      4     2", "Down: ", "Knock: 4444", "Up  : "}},
    // After a run ending at column 5 the next row's start at 2 is approached at 5 - 3/2 = 4.
    {"filled rectangle, every row from the left",
     {"......", ".4444.", ".1234.", ".4444.", "......"},
     OneSided,
     {"", "GoTo:      2     2", "Down: ", "Knock: 4444", "Up  : ", "GoTo:      3     4",
      "Down: ", "GoTo:      3     2", "Down: ", "Knock: 1234", "Up  : ", "GoTo:      4     4",
      "Down: ", "GoTo:      4     2", "Down: ", "Knock: 4444", "Up  : "}},
    // Run ends at 3, the next row starts at 30: d = 27, approach at 3 - (27 - 20) = -4.
    {"far approach negative, in width six",
     {FarRow1, FarRow2, std::string(41, '.')},
     OneSided,
     {"", "GoTo:      1     1", "Down: ", "Knock: 444", "Up  : ", "GoTo:      2    -4",
      "Down: ", "GoTo:      2    30", "Down: ", "Knock: 44444444444", "Up  : "}},
    {"turning into the next row without lifting the needle",
     {FarRow1, FarRow2, std::string(41, '.')},
     TwoSided,
     {"", "GoTo:      1     1", "Down: ", "Knock: 444", "GoTo:      2    41", "KBack: 44444444444",
      "Up  : "}},
    {"areas in reading order of their first dot",
     {"........", ".....44.", "..4.....", "........", "44....4.", "........"},
     TwoSided,
     {"", "GoTo:      2     6", "Down: ", "Knock: 44", "Up  : ", "GoTo:      3     3",
      "Down: ", "Knock: 4", "Up  : ", "GoTo:      5     1", "Down: ", "Knock: 44",
      "Up  : ", "GoTo:      5     7", "Down: ", "Knock: 4", "Up  : "}},
};

TEST(PlanBuilder, PicturesWorkedOutByHand) {
    for (const HandCase& c : HandCases) {
        SCOPED_TRACE(c.name);
        const QByteArray expected = c.plan.empty() ? QByteArray() : PlanLines(c.plan);
        for (PassMode pass : c.passes)
            EXPECT_EQ(Plan(GridPicture(c.grid), pass), expected) << int(pass);
    }
}

// The approach to a run in the same row (a "U": row 1 has runs 50..100 and start..150, row 2
// joins them), and one-sided to the next row's run (row 1 runs 50..100, row 2 start..100).
TEST(PlanBuilder, ApproachColumns) {
    const struct {
        bool sameRow;
        int start, approach;
    } cases[] = {
        {true, 130, 125}, // d = 30 > 20: five columns before the start
        {true, 110, 105}, // d = 10: half-way
        {true, 121, 116}, // d = 21: already far
        {true, 120, 110}, // d = 20: still near
        {false, 40, 60},  // d = -60: 100 - (60 - 20)
        {false, 90, 95},  // d = -10: 100 + (-10) / 2
        {false, 79, 99},  // d = -21: 100 - 1
        {false, 80, 90},  // d = -20: half-way
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        const int end = c.sameRow ? 150 : 100;
        PictureMatrices m = BlackPicture(end + 2, 4);
        SetRun(m, 1, 50, 100, '4');
        SetRun(m, c.sameRow ? 1 : 2, c.start, end, '4');
        if (c.sameRow)
            SetRun(m, 2, 50, 150, '4');
        const QByteArray row = c.sameRow ? "1 " : "2 ";
        const QByteArray expected =
            "Knock: " + QByteArray(51, '4') + "\r\nUp  : \r\nGoTo:      " + row +
            QByteArray::number(c.approach).rightJustified(5) + "\r\nDown: \r\nGoTo:      " + row +
            QByteArray::number(c.start).rightJustified(5) +
            "\r\nDown: \r\nKnock: " + QByteArray(end + 1 - c.start, '4') + "\r\n";
        for (PassMode pass : {PassMode::OneSided, PassMode::TwoSided}) {
            if (!c.sameRow && pass == PassMode::TwoSided)
                continue; // two-sided turns into the next row from the right
            const QByteArray plan = Plan(m, pass);
            EXPECT_TRUE(plan.contains(expected)) << plan.constData();
        }
    }
}

TEST(PlanBuilder, StruckLevelsBecomeMinusOneOnlyOnceThePlanIsKept) {
    PictureMatrices m = GridPicture({".....", ".402.", ".....", "..#.."});
    const Result<PlanText> plan = BuildPlanText(m, PassMode::TwoSided, nullptr);
    ASSERT_TRUE(plan);
    EXPECT_EQ(m.DotLevels.At(2, 3), 255.0) << "planning alone leaves the dot image as it is";
    MarkStruckDots(m, *plan);
    EXPECT_EQ(m.DotLevels.At(2, 3), -1.0);
    EXPECT_EQ(m.DotLevels.At(2, 4), 0.0);
    EXPECT_EQ(m.DotLevels.At(2, 5), -1.0);
    EXPECT_EQ(m.DotLevels.At(4, 4), 255.0) << "a black pixel's dot outside any area stays";
    EXPECT_EQ(Plan(m, PassMode::TwoSided), QByteArray()) << "planned again, nothing is left";
}

} // namespace
} // namespace zeb
