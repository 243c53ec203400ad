// What every plan must hold, on hard pictures: outlines that would circle for ever, areas at
// the picture's edges, and a seeded batch of random pictures.
#include "job/plan_builder.h"

#include "job/plan_pictures.h"
#include "job/plan_replay.h"

#include <gtest/gtest.h>

#include <random>

namespace zeb {
namespace {

using testing::BlackPicture;
using testing::GridPicture;
using testing::PlanLines;
using testing::Replay;
using testing::ReplayPlan;

constexpr PassMode BothPasses[] = {PassMode::TwoSided, PassMode::OneSided};

Replay PlanAndReplay(const PictureMatrices& picture, PassMode pass, QByteArray* text = nullptr) {
    PictureMatrices m = picture;
    const PlanText plan = BuildPlanText(m, pass, nullptr);
    EXPECT_EQ(plan.error, QString());
    if (text)
        *text = plan.text;
    return ReplayPlan(plan.text, picture);
}

TEST(PlanPromises, OutlineThatWouldCircleForEverEnds) {
    // White pixels (3,0), (2,1), (2,2), (3,2), (1,3) of a black 4 x 5 picture: stopping only
    // back at the seed, the second area's outline would go round three cells for ever.
    const auto picture = GridPicture({"...4", "..4.", "..44", ".4..", "...."});
    for (PassMode pass : BothPasses) {
        QByteArray text;
        const Replay replay = PlanAndReplay(picture, pass, &text);
        EXPECT_TRUE(replay.problems.isEmpty()) << replay.problems.join("\n").toStdString();
        EXPECT_EQ(replay.strikes, 5) << text.constData();
    }
    // The trace of the second area (seed 3,3) is cut short where it would repeat itself; the
    // cell it left pending (4,2) seeds a third area, whose outline runs through the dots
    // struck before: its lines cross them with "0".
    QByteArray text;
    PlanAndReplay(picture, PassMode::TwoSided, &text);
    EXPECT_EQ(text.toStdString(),
              PlanLines({"", "GoTo:      1     4", "Down: ", "Knock: 4", "GoTo:      2     5",
                         "KBack: 04", "Up  : ",                       // seed 2,3
                         "GoTo:      3     3", "Down: ", "Knock: 44", // seed 3,3
                         "GoTo:      1     4", "Down: ", "Knock: 0", "GoTo:      2     4",
                         "KBack: 0", "GoTo:      4     2", "Down: ", "Knock: 400"}) // seed 4,2
                  .toStdString());
}

TEST(PlanPromises, SingleDotsInEveryCornerAndEdge) {
    const auto picture = GridPicture({"4.4.4", ".....", "4...4", ".....", "4.4.4"});
    for (PassMode pass : BothPasses) {
        const Replay replay = PlanAndReplay(picture, pass);
        EXPECT_TRUE(replay.problems.isEmpty()) << replay.problems.join("\n").toStdString();
        // The last picture row and column hold no dot of the dot image: their cells never
        // seed an area and are struck only when an area reaches them.
        EXPECT_EQ(replay.strikes, 3);
    }
}

TEST(PlanPromises, PictureTouchingEveryEdge) {
    const auto picture = GridPicture({"4444", "4004", "4444"});
    QByteArray text;
    for (PassMode pass : BothPasses) {
        const Replay replay = PlanAndReplay(picture, pass, &text);
        EXPECT_TRUE(replay.problems.isEmpty()) << replay.problems.join("\n").toStdString();
        EXPECT_EQ(replay.strikes, 10);
    }
}

TEST(PlanPromises, OnePixelLines) {
    const std::vector<std::vector<std::string>> pictures = {
        {".4.", ".4.", ".4.", ".4.", "..."}, // vertical
        {"4...", ".4..", "..4.", "...4", "...."},
        {"...4", "..4.", ".4..", "4...", "...."},
        {"44444", "....4", "44444", "4....", "44444", "....."}, // a snake
    };
    for (const auto& grid : pictures) {
        for (PassMode pass : BothPasses) {
            QByteArray text;
            const Replay replay = PlanAndReplay(GridPicture(grid), pass, &text);
            EXPECT_TRUE(replay.problems.isEmpty())
                << replay.problems.join("\n").toStdString() << "\n"
                << text.constData();
        }
    }
}

// Dots everywhere, also where the converter never puts any: DotMap's margins, its spare rows
// and columns. The planner must stay inside rows 0..H+1 and columns 0..W+1.
TEST(PlanPromises, DotsInEveryMarginStayInsideTheMatrices) {
    PictureMatrices m = BlackPicture(6, 4);
    m.DotMap.Fill(9);
    m.DotLevels.Fill(255);
    for (PassMode pass : BothPasses) {
        PictureMatrices copy = m;
        const PlanText plan = BuildPlanText(copy, pass, nullptr);
        ASSERT_EQ(plan.error, QString());
        const Replay replay = ReplayPlan(plan.text, m);
        EXPECT_TRUE(replay.problems.isEmpty()) << replay.problems.join("\n").toStdString();
        EXPECT_EQ(replay.strikes, 8 * 6) << "rows 0..5 and columns 0..7";
    }
}

TEST(PlanPromises, PlanMaskOfAnotherSizeIsRebuilt) {
    PictureMatrices m = GridPicture({"....", ".44.", "...."});
    m.PlanMask.Resize(2, 2);
    const PlanText plan = BuildPlanText(m, PassMode::TwoSided, nullptr);
    EXPECT_EQ(plan.text, PlanLines({"", "GoTo:      2     2", "Down: ", "Knock: 44", "Up  : "}));
    EXPECT_EQ(m.PlanMask.Rows(), 3 + 5);
    EXPECT_EQ(m.PlanMask.Cols(), 4 + 5);
}

TEST(PlanPromises, MatricesTooSmallOrNoPictureAreRefused) {
    PictureMatrices none;
    EXPECT_FALSE(BuildPlanText(none, PassMode::TwoSided, nullptr).error.isEmpty());
    PictureMatrices small = BlackPicture(5, 5);
    small.DotLevels.Resize(8, 8);
    const PlanText plan = BuildPlanText(small, PassMode::TwoSided, nullptr);
    EXPECT_TRUE(plan.error.contains("5 x 5")) << plan.error.toStdString();
}

// Random pictures, small enough to replay quickly: sparse ones break into many areas and
// one-pixel lines, dense ones into rings and holes; both passes each.
TEST(PlanPromises, SeededRandomPicturesKeepEveryPromise) {
    std::mt19937 random(20260105);
    const char levels[] = "01234";
    int crossings = 0;
    for (int n = 0; n < 400; ++n) {
        std::uniform_int_distribution<int> size(1, 18);
        const int w = size(random);
        const int h = size(random);
        const double density = n % 2 == 0 ? 0.25 : 0.8;
        std::bernoulli_distribution dot(density);
        std::bernoulli_distribution blackDot(0.1);
        std::uniform_int_distribution<int> level(0, 4);
        PictureMatrices m = BlackPicture(w, h);
        for (int r = 1; r <= h; ++r) {
            for (int c = 1; c <= w; ++c) {
                if (dot(random))
                    testing::SetCell(m, r, c, levels[level(random)]);
                else if (blackDot(random))
                    testing::SetCell(m, r, c, '#');
            }
        }
        for (PassMode pass : BothPasses) {
            QByteArray text;
            const Replay replay = PlanAndReplay(m, pass, &text);
            crossings += replay.crossedStruck;
            ASSERT_TRUE(replay.problems.isEmpty())
                << "picture " << n << " (" << w << " x " << h << ")\n"
                << replay.problems.join("\n").toStdString() << "\n"
                << text.constData();
        }
    }
    EXPECT_GT(crossings, 0) << "the batch should hold runs that cross dots struck before";
}

} // namespace
} // namespace zeb
