// The planner on small pictures worked out by hand: which records it writes, in which order,
// at which coordinates.
#include "job/plan_builder.h"

#include "common/recording_operator.h"
#include "job/plan_pictures.h"
#include "job/plan_replay.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

using testing::BlackPicture;
using testing::GridPicture;
using testing::PlanLines;
using testing::SetRun;

QByteArray Plan(PictureMatrices m, PassMode pass) {
    PlanText plan = BuildPlanText(m, pass, nullptr);
    EXPECT_EQ(plan.error, QString());
    return plan.text;
}

constexpr PassMode BothPasses[] = {PassMode::TwoSided, PassMode::OneSided};

TEST(PlanBuilder, IsolatedDotIsOneStrikeLine) {
    const auto picture = GridPicture({"....", ".4..", "....", "...."});
    for (PassMode pass : BothPasses)
        EXPECT_EQ(Plan(picture, pass),
                  PlanLines({"", "GoTo:      2     2", "Down: ", "Knock: 4", "Up  : "}));
}

TEST(PlanBuilder, NothingToStrikeGivesAnEmptyPlan) {
    const std::vector<std::vector<std::string>> pictures = {
        {"....", "....", "...."}, // all black
        {"....", ".0..", "...."}, // an isolated pixel that is not black, level 0
        {".....", ".000.", "....."},
    };
    for (const auto& grid : pictures)
        for (PassMode pass : BothPasses)
            EXPECT_EQ(Plan(GridPicture(grid), pass), QByteArray()) << grid[1];
}

TEST(PlanBuilder, HorizontalLineIsOneKnock) {
    const auto picture = GridPicture({"......", ".4321.", "......"});
    for (PassMode pass : BothPasses)
        EXPECT_EQ(Plan(picture, pass),
                  PlanLines({"", "GoTo:      2     2", "Down: ", "Knock: 4321", "Up  : "}));
}

TEST(PlanBuilder, FilledRectangleTwoSidedAlternatesDirections) {
    const auto picture = GridPicture({"......", ".4444.", ".1234.", ".4444.", "......"});
    EXPECT_EQ(Plan(picture, PassMode::TwoSided),
              PlanLines({"", "GoTo:      2     2", "Down: ", "Knock: 4444", //
                         "GoTo:      3     6", "KBack: 4321",               //
                         "GoTo:      4     2", "Down: ", "Knock: 4444", "Up  : "}));
}

TEST(PlanBuilder, FilledRectangleOneSidedApproachesEveryRowFromTheLeft) {
    const auto picture = GridPicture({"......", ".4444.", ".1234.", ".4444.", "......"});
    // After a run ending at column 5 the next row's start at 2 is approached at 5 - 3/2 = 4.
    EXPECT_EQ(Plan(picture, PassMode::OneSided),
              PlanLines({"", "GoTo:      2     2", "Down: ", "Knock: 4444",
                         "Up  : ", "GoTo:      3     4", "Down: ", "GoTo:      3     2",
                         "Down: ", "Knock: 1234", "Up  : ", "GoTo:      4     4",
                         "Down: ", "GoTo:      4     2", "Down: ", "Knock: 4444", "Up  : "}));
}

TEST(PlanBuilder, LeadingAndTrailingZerosAreTrimmedInnerOnesKept) {
    const auto picture = GridPicture({"..........", ".00410400.", ".........."});
    for (PassMode pass : BothPasses)
        EXPECT_EQ(Plan(picture, pass),
                  PlanLines({"", "GoTo:      2     4", "Down: ", "Knock: 4104", "Up  : "}));
}

// Two rows of 40 pixels; the first strikes only its columns 1..3, the second only 30..40.
PictureMatrices FarApartRows() {
    PictureMatrices m = BlackPicture(41, 3);
    SetRun(m, 1, 1, 3, '4');
    SetRun(m, 1, 4, 40, '0');
    SetRun(m, 2, 1, 29, '0');
    SetRun(m, 2, 30, 40, '4');
    return m;
}

TEST(PlanBuilder, OneSidedFarApproachCanBeNegativeAndKeepsWidthSix) {
    // Run ends at 3, the next row starts at 30: d = 27, approach at 3 - (27 - 20) = -4.
    EXPECT_EQ(
        Plan(FarApartRows(), PassMode::OneSided),
        PlanLines({"", "GoTo:      1     1", "Down: ", "Knock: 444", "Up  : ", "GoTo:      2    -4",
                   "Down: ", "GoTo:      2    30", "Down: ", "Knock: 44444444444", "Up  : "}));
}

TEST(PlanBuilder, TwoSidedTurnsIntoTheNextRowWithoutLiftingTheNeedle) {
    EXPECT_EQ(Plan(FarApartRows(), PassMode::TwoSided),
              PlanLines({"", "GoTo:      1     1", "Down: ", "Knock: 444", "GoTo:      2    41",
                         "KBack: 44444444444", "Up  : "}));
}

// A "U": row 1 has two runs (50..100 and `secondFrom`..150), row 2 joins them.
PictureMatrices TwoRunsInOneRow(int secondFrom) {
    PictureMatrices m = BlackPicture(152, 4);
    SetRun(m, 1, 50, 100, '4');
    SetRun(m, 1, secondFrom, 150, '4');
    SetRun(m, 2, 50, 150, '4');
    return m;
}

struct ApproachCase {
    int start; // column of the run to approach
    const char* approach;
};

TEST(PlanBuilder, SameRowApproachColumn) {
    const ApproachCase cases[] = {
        {130, "GoTo:      1   125"}, // d = 30 > 20: five columns before the start
        {110, "GoTo:      1   105"}, // d = 10: half-way
        {121, "GoTo:      1   116"}, // d = 21: already far
        {120, "GoTo:      1   110"}, // d = 20: still near
    };
    for (const auto& c : cases) {
        for (PassMode pass : BothPasses) {
            const QByteArray plan = Plan(TwoRunsInOneRow(c.start), pass);
            const QByteArray first = "Knock: " + QByteArray(51, '4') + "\r\n";
            const QByteArray expected =
                first + "Up  : \r\n" + c.approach + "\r\nDown: \r\nGoTo:      1 " +
                QByteArray::number(c.start).rightJustified(5) +
                "\r\nDown: \r\nKnock: " + QByteArray(151 - c.start, '4') + "\r\n";
            EXPECT_TRUE(plan.contains(expected)) << c.start << "\n" << plan.constData();
        }
    }
}

// Row 1 runs 50..100; row 2 starts at `nextFrom` and ends at 100.
PictureMatrices NextRowStartsAt(int nextFrom) {
    PictureMatrices m = BlackPicture(102, 4);
    SetRun(m, 1, 50, 100, '4');
    SetRun(m, 2, nextFrom, 100, '4');
    return m;
}

TEST(PlanBuilder, OneSidedNextRowApproachColumn) {
    const ApproachCase cases[] = {
        {40, "GoTo:      2    60"}, // d = -60: 100 - (60 - 20)
        {90, "GoTo:      2    95"}, // d = -10: 100 + (-10) / 2
        {79, "GoTo:      2    99"}, // d = -21: 100 - 1
        {80, "GoTo:      2    90"}, // d = -20: half-way
    };
    for (const auto& c : cases) {
        const QByteArray plan = Plan(NextRowStartsAt(c.start), PassMode::OneSided);
        const QByteArray expected = "Knock: " + QByteArray(51, '4') + "\r\nUp  : \r\n" +
                                    c.approach + "\r\nDown: \r\nGoTo:      2 " +
                                    QByteArray::number(c.start).rightJustified(5) +
                                    "\r\nDown: \r\nKnock: " + QByteArray(101 - c.start, '4');
        EXPECT_TRUE(plan.contains(expected)) << c.start << "\n" << plan.constData();
    }
}

TEST(PlanBuilder, AreasAreTakenInReadingOrderOfTheirFirstDot) {
    const auto picture = GridPicture({
        "........",
        ".....44.",
        "..4.....",
        "........",
        "44....4.",
        "........",
    });
    EXPECT_EQ(Plan(picture, PassMode::TwoSided),
              PlanLines({"", "GoTo:      2     6", "Down: ", "Knock: 44", "Up  : ", //
                         "GoTo:      3     3", "Down: ", "Knock: 4", "Up  : ",      //
                         "GoTo:      5     1", "Down: ", "Knock: 44", "Up  : ",     //
                         "GoTo:      5     7", "Down: ", "Knock: 4", "Up  : "}));
}

TEST(PlanBuilder, RingIsStruckAcrossItsHoleWithZeros) {
    const auto picture = GridPicture({
        ".......",
        ".44444.",
        ".4...4.",
        ".4.3.4.",
        ".4...4.",
        ".44444.",
        ".......",
    });
    // The island in the hole is struck by the ring's own line across it.
    EXPECT_EQ(Plan(picture, PassMode::TwoSided),
              PlanLines({"", "GoTo:      2     2", "Down: ", "Knock: 44444", //
                         "GoTo:      3     7", "KBack: 40004",               //
                         "GoTo:      4     2", "Down: ", "Knock: 40304",     //
                         "GoTo:      5     7", "KBack: 40004",               //
                         "GoTo:      6     2", "Down: ", "Knock: 44444", "Up  : "}));
}

TEST(PlanBuilder, ShowsEachSeedAndLetsTheWindowRepaint) {
    const auto picture = GridPicture({"......", ".4....", "....4.", "......"});
    PictureMatrices m = picture;
    testing::RecordingOperator op;
    const PlanText plan = BuildPlanText(m, PassMode::TwoSided, &op);
    EXPECT_EQ(plan.areas, 2);
    EXPECT_EQ(op.service.value(ServiceField::Label66), "3");
    EXPECT_EQ(op.service.value(ServiceField::Label67), "5");
}

TEST(PlanBuilder, StruckLevelsBecomeMinusOneOnceThePlanIsKept) {
    PictureMatrices m = GridPicture({".....", ".402.", ".....", "..#.."});
    const PlanText plan = BuildPlanText(m, PassMode::TwoSided, nullptr);
    EXPECT_EQ(m.DotLevels.At(2, 3), 255.0) << "planning alone leaves the dot image as it is";
    MarkStruckDots(m, plan);
    EXPECT_EQ(m.DotLevels.At(2, 3), -1.0);
    EXPECT_EQ(m.DotLevels.At(2, 4), 0.0);
    EXPECT_EQ(m.DotLevels.At(2, 5), -1.0);
    EXPECT_EQ(m.DotLevels.At(4, 4), 255.0) << "a black pixel's dot outside any area stays";
    // Planned again, nothing is left to strike.
    EXPECT_EQ(Plan(m, PassMode::TwoSided), QByteArray());
}

} // namespace
} // namespace zeb
