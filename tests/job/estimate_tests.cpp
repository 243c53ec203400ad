// The duration estimate: T worked out by hand for a small plan, the day text, the double
// pass, and a plan that cannot be read; the estimate of the rest while a job runs.
#include "job/estimate.h"

#include "common/temp_dir.h"
#include "job/job_rig.h"
#include "job/live_estimate.h"
#include "job/plan_pictures.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

using testing::PlanLines;

// The plan file holds the small plan until a test writes another.
struct EstimateTest : ::testing::Test {
    EstimateTest() { WritePlan(smallPlan); }
    void WritePlan(const QByteArray& text) { testing::WriteAll(plan, text); }

    testing::ScopedStartDirectory dir;
    const QString plan = dir.File("123123123.txt");
    const QByteArray smallPlan = PlanLines({"", "GoTo:      2     3", "Down: ", "Knock: 1204",
                                            "GoTo:      3     6", "KBack: 440", "Up  : "});
    EstimateInputs in = [] { // the machine after SetStrike
        EstimateInputs inputs;
        inputs.machine.MotorSpeed = 12;
        inputs.machine.MotorSpeedScale = 17;
        inputs.machine.ColumnTime = {527, 763, 800, 900, 1000};
        inputs.linkTime = 400;
        inputs.pictureOffsetX = 10;
        inputs.pictureOffsetY = 20;
        return inputs;
    }();
};

// T of a plan that must be readable.
qint64 Units(const Result<qint64>& units) {
    EXPECT_TRUE(units) << units.Message().toStdString();
    return units ? *units : -1;
}

TEST_F(EstimateTest, WithoutDeviceOnlyColumnTimesCount) {
    in.deviceReady = false;
    // "1204": 763 + 800 + 527 + 1000; "440" without its trailing zero: 1000 + 1000.
    EXPECT_EQ(Units(PlanFileDuration(plan, in)), 3090 + 2000);
    // At program start no SetStrike has run: every column time is 0.
    EXPECT_EQ(Units(PlanFileDuration(plan, EstimateInputs{})), 0);
}

TEST_F(EstimateTest, WithDeviceMovesNeedleAndColumnsCountAndTheDoublePassTwice) {
    in.deviceReady = true;
    // S = 12 * 17 * 100 * 0.024375 = 497.25, L = 400, offsets 10 / 20.
    // GoTo (22, 13) from (0, 0): 400 + trunc(497.25 * 22 * 2) = 22279; 400 + trunc(6464.25)
    //   = 6864.
    // Down: 400. Knock 1204: 3090; the head is then at column 17.
    // GoTo (23, 16): 400 + trunc(994.5) = 1394; going left: 800 + trunc(497.25) = 1297.
    // KBack 44: 2000. Up: 400.
    const qint64 expected = 22279 + 6864 + 400 + 3090 + 1394 + 1297 + 2000 + 400;
    EXPECT_EQ(Units(PlanFileDuration(plan, in)), expected);
    in.doublePassPending = true;
    EXPECT_EQ(Units(PlanFileDuration(plan, in)), 2 * expected);

    // Strike lines of zeros only add nothing; each move costs L for rows and L for columns.
    WritePlan(
        PlanLines({"", "GoTo:      0     0", "Knock: 000", "GoTo:      0     0", "KBack: 0"}));
    in.pictureOffsetX = 0;
    in.pictureOffsetY = 0;
    in.doublePassPending = false;
    EXPECT_EQ(Units(PlanFileDuration(plan, in)), 4 * 400);
}

TEST(Estimate, DurationAndCompletionTexts) {
    constexpr qint64 s = 100'000; // one second in 10 us units
    const struct {
        qint64 units;
        QTime now;
        const char *completion, *duration;
    } cases[] = {
        {0, QTime(9, 0), "09:00:00", "00:00:00"},
        {(3600 + 62) * s + 34'000, QTime(9, 0), "10:01:02", "01:01:02"},
        {(24 * 3600 - 1) * s + 99'999, QTime(9, 0), "06.01.2026 08:59:59", "23:59:59"},
        // A completion on another day carries its date.
        {24 * 3600 * s, QTime(9, 0), "06.01.2026 09:00:00", "1Сут.+ 00:00:00"},
        {(10 * 24 * 3600 + 5) * s, QTime(9, 0), "15.01.2026 09:00:05", "10Сут.+ 00:00:05"},
        // Milliseconds carry into the completion time, and past midnight.
        {40 * 60 * s + 40'000, QTime(23, 30, 0, 700), "06.01.2026 00:10:01", "00:40:00"},
        {(29 * 60 + 59) * s + 29'299, QTime(23, 30, 0, 700), "23:59:59", "00:29:59"},
    };
    for (const auto& c : cases) {
        const DurationTexts texts = DurationTextsFor(c.units, QDateTime(QDate(2026, 1, 5), c.now));
        EXPECT_EQ(texts.completion, QString("Время завершения работы: ") + c.completion);
        EXPECT_EQ(texts.duration, QString("Длительность работы: ") + c.duration);
    }
}

TEST_F(EstimateTest, EstimateJobDurationReadsTheClockAndNamesABadPlan) {
    in.machine.ColumnTime = {0, 0, 0, 0, 360'000'000 / 2}; // half an hour per "4"
    VirtualClock clock(QDateTime(QDate(2026, 1, 5), QTime(22, 15, 30)));
    Result<JobEstimate> estimate = EstimateJobDuration(plan, in, clock);
    ASSERT_EQ(estimate.Message(), QString());
    EXPECT_EQ(estimate->units, 3 * 180'000'000);
    EXPECT_EQ(estimate->texts.duration, "Длительность работы: 01:30:00");
    EXPECT_EQ(estimate->texts.completion, "Время завершения работы: 23:45:30");

    WritePlan(PlanLines({"", "GoTo:      2     3", "Down: ", "GoTo:      x     3"}));
    estimate = EstimateJobDuration(plan, in, clock);
    EXPECT_TRUE(estimate.Message().contains("123123123.txt") &&
                estimate.Message().contains("строка 4"))
        << estimate.Message().toStdString();
    EXPECT_FALSE(estimate); // no texts to show
    estimate = EstimateJobDuration(dir.File("absent.txt"), in, clock);
    EXPECT_TRUE(estimate.Message().contains("absent.txt"));
}

// While a job runs, the rest is the job start's estimate over the lines not yet done, from the
// head where it stands: all of it at the start, less with every line, nothing at the end.
TEST(LiveEstimate, TheRestIsTheStartsEstimateAndShrinksWithEveryLine) {
    for (const bool doublePass : {false, true}) {
        SCOPED_TRACE(doublePass);
        testing::JobRig rig;
        rig.PrepareJob(testing::Blocks(), doublePass, true);
        const Result<JobStart> start = rig.Start();
        ASSERT_TRUE(testing::Begun(start) && start->estimate);
        const int link = rig.s->Machine.LinkTime;
        Result<Remaining> rest = EstimateRemaining(*rig.s, link);
        ASSERT_TRUE(rest) << rest.Message().toStdString();
        EXPECT_EQ(rest->units, start->estimate->units);
        Remaining before = *rest;
        for (TickResult result = TickResult::LineDone; result != TickResult::Completed;) {
            result = RunNextPlanLine(*rig.s).result;
            rest = EstimateRemaining(*rig.s, link);
            ASSERT_TRUE(rest) << rest.Message().toStdString();
            // The second pass strikes with its own forces: only lines count down across it.
            if (result == TickResult::SecondPassStarted) {
                EXPECT_EQ(rest->lines, before.lines);
            } else if (result == TickResult::LineDone) {
                EXPECT_EQ(rest->lines, before.lines - 1);
                EXPECT_LE(rest->units, before.units);
            }
            before = *rest;
        }
        EXPECT_EQ(before.lines, 0);
        EXPECT_EQ(before.units, 0);
    }
}

// The rest is corrected by the time the job really took for the estimated time it ran, once
// 5 s of estimate were measured; a pause or new forces measure nothing across the gap.
TEST(LiveEstimate, ThePaceCorrectsTheRest) {
    constexpr qint64 s = 100'000; // one second in 10 us units
    enum Gap { None, Pause, Rebase };
    const struct {
        qint64 tookMs; // for the first 10 s of estimate
        Gap gap;       // before the second 10 s of estimate, which take 10 s
        qint64 rest;   // of the 80 s of estimate left
    } cases[] = {
        {10'000, None, 80 * s},    {30'000, None, 160 * s},  // twice as slow over 20 s of estimate
        {5'000, None, 60 * s},     {30'000, Pause, 240 * s}, // only the first stretch counts
        {30'000, Rebase, 160 * s},                           // a pause of 50 s does not count
    };
    for (const auto& c : cases) {
        LiveEstimate live;
        live.Begin(1000, {100 * s, 100});
        EXPECT_EQ(live.RemainingUnits(), 100 * s);
        const qint64 first = 1000 + c.tookMs;
        live.Update(first, {90 * s, 90});
        qint64 second = first + 10'000;
        if (c.gap == Pause) {
            live.Pause();
            second += 50'000;
        }
        if (c.gap == Rebase) {
            live.Rebase(first + 50'000, {90 * s, 90});
            second += 50'000;
        }
        live.Update(second, {80 * s, 80});
        EXPECT_EQ(live.RemainingUnits(), c.rest) << c.tookMs << " " << c.gap;
        EXPECT_EQ(live.LinesDone(), 20);
        EXPECT_EQ(live.LinesTotal(), 100);
    }
    // Too little measured to trust: the estimate as it is.
    LiveEstimate live;
    live.Begin(0, {100 * s, 100});
    live.Update(40'000, {96 * s, 96});
    EXPECT_EQ(live.RemainingUnits(), 96 * s);
}

// Estimated anew after so many lines or so much time, whichever comes first.
TEST(LiveEstimate, DueAfterLinesOrTime) {
    LiveEstimate live;
    live.Begin(0, {1000, LiveEstimate::LinesBetween * 3});
    for (qint64 line = 1; line < LiveEstimate::LinesBetween; ++line)
        ASSERT_FALSE(live.LineDone(line));
    EXPECT_EQ(live.LinesDone(), LiveEstimate::LinesBetween - 1);
    EXPECT_TRUE(live.LineDone(LiveEstimate::LinesBetween));
    live.Update(10, {900, LiveEstimate::LinesBetween * 2});
    EXPECT_FALSE(live.LineDone(10 + LiveEstimate::MsBetween - 1));
    EXPECT_TRUE(live.LineDone(10 + LiveEstimate::MsBetween));
}

} // namespace
} // namespace zeb
