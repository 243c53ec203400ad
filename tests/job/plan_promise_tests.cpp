// What every plan must hold, on hard pictures: outlines that would circle for ever, areas at
// the picture's edges and margins, and a seeded batch of random pictures. Each plan is
// replayed over the dot image it was made from: every dot that is not black and has a level
// above 0 struck exactly once with its own digit, no cell struck twice, every strike line
// after a move, an empty first line, CR LF everywhere and no other empty line.
#include "job/plan_builder.h"
#include "job/plan_format.h"

#include "job/plan_pictures.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <random>
#include <set>

namespace zeb {
namespace {

using testing::BlackPicture;
using testing::GridPicture;

struct Replay {
    QStringList problems; // empty when the plan keeps every promise
    int strikes = 0;
    int crossedStruck = 0; // "0" digits written over a dot struck earlier in the plan
};

char ExpectedDigit(double level) {
    return level == 64 ? '1' : level == 128 ? '2' : level == 192 ? '3' : level == 255 ? '4' : '0';
}

// `before` is the dot image as it was before planning.
Replay ReplayPlan(const QByteArray& plan, const PictureMatrices& before) {
    Replay replay;
    auto problem = [&replay](const QString& text) {
        if (replay.problems.size() < 20)
            replay.problems << text;
    };
    if (!plan.isEmpty() && !plan.startsWith("\r\n"))
        problem("the plan must start with an empty line");
    QList<QByteArray> lines = plan.split('\n');
    if (!lines.takeLast().isEmpty())
        problem("the last line has no CR LF");
    std::set<std::pair<int, int>> struck;
    bool moved = false;
    int row = 0;
    int col = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString at = QString("line %1: ").arg(i + 1);
        if (!lines[i].endsWith('\r') || (i > 0 && lines[i] == "\r"))
            problem(at + "empty or without CR LF");
        const Result<PlanRecord> parsed = ParsePlanLine(lines[i].chopped(lines[i].endsWith('\r')));
        if (!parsed)
            problem(at + parsed.Message());
        const PlanRecord record = parsed ? *parsed : PlanRecord{};
        if (record.kind == PlanRecordKind::Move) {
            row = record.row;
            col = record.column;
            moved = true;
            continue;
        }
        if (record.kind != PlanRecordKind::Forward && record.kind != PlanRecordKind::Backward)
            continue;
        if (!moved)
            problem(at + "a strike line without a move before it");
        moved = false;
        for (int d = 0; d < record.digits.size(); ++d) {
            const int c = record.kind == PlanRecordKind::Forward ? col + d : col - 1 - d;
            const QString dot = at + QString("dot (%1, %2) ").arg(row).arg(c);
            if (row < 0 || c < 0 || row > before.H + 1 || c > before.W + 1) {
                problem(dot + "outside the picture");
                continue;
            }
            const char digit = record.digits[d];
            const char wanted = ExpectedDigit(before.DotLevels.At(row, c + 1));
            if (digit == '0') {
                if (struck.count({row, c}))
                    ++replay.crossedStruck;
                else if (wanted != '0')
                    problem(dot + "passed with \"0\"");
                continue;
            }
            if (!struck.insert({row, c}).second)
                problem(dot + "struck twice");
            else if (digit != wanted)
                problem(dot + "struck with \"" + QChar(digit) + "\", not \"" + QChar(wanted) +
                        "\"");
            ++replay.strikes;
        }
    }
    for (int r = 0; r < before.H; ++r) {
        for (int c = 0; c < before.W; ++c) {
            if (before.DotMap.At(r, c) != 0 &&
                ExpectedDigit(before.DotLevels.At(r, c + 1)) != '0' && struck.count({r, c}) == 0)
                problem(QString("dot (%1, %2) never struck").arg(r).arg(c));
        }
    }
    return replay;
}

Replay PlanAndReplay(const PictureMatrices& picture, PassMode pass) {
    PictureMatrices m = picture;
    const Result<PlanText> plan = BuildPlanText(m, pass, nullptr);
    EXPECT_EQ(plan.Message(), QString());
    const QByteArray text = plan ? plan->text : QByteArray();
    Replay replay = ReplayPlan(text, picture);
    if (!replay.problems.isEmpty())
        replay.problems << QString::fromLatin1(text);
    return replay;
}

TEST(PlanPromises, HardPicturesInBothPasses) {
    const struct {
        const char* name;
        std::vector<std::string> grid;
        int strikes;
    } cases[] = {
        // Stopping only back at the seed, the second area's outline would go round three
        // cells for ever (the plans are in tests/data/plan/circling.*).
        {"circling outline", {"...4", "..4.", "..44", ".4..", "...."}, 5},
        // The last picture row and column hold no dot of the dot image: their cells never
        // seed an area and are struck only when an area reaches them.
        {"single dots in every corner and edge", {"4.4.4", ".....", "4...4", ".....", "4.4.4"}, 3},
        {"touching every edge", {"4444", "4004", "4444"}, 10},
    };
    for (const auto& c : cases) {
        for (PassMode pass : {PassMode::TwoSided, PassMode::OneSided}) {
            SCOPED_TRACE(c.name);
            const Replay replay = PlanAndReplay(GridPicture(c.grid), pass);
            EXPECT_TRUE(replay.problems.isEmpty()) << replay.problems.join("\n").toStdString();
            EXPECT_EQ(replay.strikes, c.strikes);
        }
    }
}

// Dots also where the converter never puts any: DotMap's margins, its spare rows and columns.
// The planner must stay inside rows 0..H+1 and columns 0..W+1.
TEST(PlanPromises, DotsInEveryMarginStayInsideTheMatrices) {
    PictureMatrices m = BlackPicture(6, 4);
    m.DotMap.Fill(9);
    m.DotLevels.Fill(255);
    for (PassMode pass : {PassMode::TwoSided, PassMode::OneSided}) {
        const Replay replay = PlanAndReplay(m, pass);
        EXPECT_TRUE(replay.problems.isEmpty()) << replay.problems.join("\n").toStdString();
        EXPECT_EQ(replay.strikes, 8 * 6) << "rows 0..5 and columns 0..7";
    }
}

TEST(PlanPromises, PlanMaskOfAnotherSizeIsRebuilt) {
    PictureMatrices m = GridPicture({"....", ".44.", "...."});
    m.PlanMask.Resize(2, 2);
    const Result<PlanText> plan = BuildPlanText(m, PassMode::TwoSided, nullptr);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->text,
              testing::PlanLines({"", "GoTo:      2     2", "Down: ", "Knock: 44", "Up  : "}));
    EXPECT_EQ(m.PlanMask.Rows(), 3 + 5);
    EXPECT_EQ(m.PlanMask.Cols(), 4 + 5);
}

TEST(PlanPromises, MatricesTooSmallOrNoPictureAreRefused) {
    PictureMatrices none;
    EXPECT_FALSE(BuildPlanText(none, PassMode::TwoSided, nullptr).Message().isEmpty());
    PictureMatrices small = BlackPicture(5, 5);
    small.DotLevels.Resize(8, 8);
    const Result<PlanText> plan = BuildPlanText(small, PassMode::TwoSided, nullptr);
    EXPECT_TRUE(plan.Message().contains("5 x 5")) << plan.Message().toStdString();
}

// Random pictures, small enough to replay quickly: sparse ones break into many areas and
// one-pixel lines, dense ones into rings and holes; both passes each.
TEST(PlanPromises, SeededRandomPicturesKeepEveryPromise) {
    std::mt19937 random(20260105);
    std::uniform_int_distribution<int> size(1, 18);
    std::uniform_int_distribution<int> level(0, 4);
    std::bernoulli_distribution blackDot(0.1);
    int crossings = 0;
    for (int n = 0; n < 400; ++n) {
        const int w = size(random);
        const int h = size(random);
        std::bernoulli_distribution dot(n % 2 == 0 ? 0.25 : 0.8);
        PictureMatrices m = BlackPicture(w, h);
        for (int r = 1; r <= h; ++r) {
            for (int c = 1; c <= w; ++c) {
                if (dot(random))
                    testing::SetCell(m, r, c, static_cast<char>('0' + level(random)));
                else if (blackDot(random))
                    testing::SetCell(m, r, c, '#');
            }
        }
        for (PassMode pass : {PassMode::TwoSided, PassMode::OneSided}) {
            const Replay replay = PlanAndReplay(m, pass);
            crossings += replay.crossedStruck;
            ASSERT_TRUE(replay.problems.isEmpty())
                << "picture " << n << " (" << w << " x " << h << ")\n"
                << replay.problems.join("\n").toStdString();
        }
    }
    EXPECT_GT(crossings, 0) << "the batch should hold runs that cross dots struck before";
}

} // namespace
} // namespace zeb
