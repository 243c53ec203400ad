// Whole jobs in-process, from "Работа" to the last strike: the second pass, STOP with new
// forces, "Завершить работу". (Every kind of job against the plan: tests/e2e.)

#include "job/job_rig.h"
#include "job/job_start.h"
#include "job/recovery.h"

#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

TEST(WholeJob, TheSecondPassRecordsItselfBeforeItStrikes) {
    JobRig rig;
    ASSERT_TRUE(rig.StartJob(Blocks(), true));
    for (TickResult r = TickResult::LineDone; r == TickResult::LineDone;)
        r = RunNextPlanLine(*rig.s).result;

    EXPECT_TRUE(rig.s->Job.SecondPassRunning);
    EXPECT_FALSE(rig.s->Levels.DoublePassPending);
    const QStringList lines = QString::fromLatin1(rig.Read("ErorFile.txt")).split("\r\n");
    ASSERT_EQ(lines.size(), 15); // 14 lines and the empty text after the last line end
    EXPECT_EQ(lines[7], "1");
    EXPECT_EQ(lines[13], "Sec");
    EXPECT_EQ(rig.vc.ProfileForce(4), 16);
    EXPECT_TRUE(rig.vc.PrintJobOpen());
    EXPECT_EQ(rig.vc.HeadRow(), 0);
    EXPECT_EQ(rig.vc.HeadColumn(), 0);
}

TEST(WholeJob, StopThenNewForcesThenContinueThenKilledAndResumed) {
    JobRig rig;
    ASSERT_TRUE(rig.StartJob(Blocks(), false, true));
    Session& s = *rig.s;
    while (rig.vc.Workpiece().size() < 40)
        ASSERT_EQ(RunNextPlanLine(s).result, TickResult::LineDone);
    const size_t before = rig.vc.Workpiece().size();

    ASSERT_TRUE(PauseJob(s));
    EXPECT_FALSE(rig.timers->Running(TimerId::Optimizing));
    EXPECT_FALSE(PauseJob(s)); // STOP acts only while the job runs
    s.Levels.FirstPassLevels = Forces(60, 50, 24, 8);
    ASSERT_TRUE(rig.Shown(ContinueJob(s)));
    // The recovery file holds the new forces before the machine gets them.
    EXPECT_TRUE(rig.Read("ErorFile.txt").contains("\r\n8\r\n24\r\n50\r\n60\r\n0\r\n"));
    const QByteArray plan = rig.Read("123123123.txt");
    const int offsetX = s.Place.PictureOffsetX;
    const int offsetY = s.Place.PictureOffsetY;
    rig.Run(30);

    // Killed, started again and resumed: the rest is struck with the forces chosen last.
    rig.Restart();
    rig.s->Job.WarmUpRounds = 0;
    ASSERT_TRUE(rig.Shown(ResumeInterruptedJob(*rig.s)));
    EXPECT_EQ(rig.Run().back(), TickResult::Completed);

    const auto planned = PlannedDots(plan, offsetX, offsetY);
    const std::vector<StruckDot> struck = rig.Struck();
    ASSERT_EQ(struck.size(), planned.size());
    std::map<Dot, int> early;
    std::map<Dot, int> late;
    for (size_t i = 0; i < struck.size(); ++i)
        (i < before ? early : late)[{struck[i].row, struck[i].column}] =
            planned.at({struck[i].row, struck[i].column});
    EXPECT_EQ(CompareStrikes(early, rig.Struck(0, before), {0, 10, 20, 30, 40}), QStringList());
    EXPECT_EQ(CompareStrikes(late, rig.Struck(before), {0, 8, 24, 50, 60}), QStringList());
}

TEST(WholeJob, ContinueRefusesForcesWithoutAProfile) {
    JobRig rig;
    ASSERT_TRUE(rig.StartJob(Blocks()));
    rig.Run(1);
    ASSERT_TRUE(PauseJob(*rig.s));
    rig.s->Machine.MotorSpeed = 40; // P = 640: a force of 1 has no profile
    rig.s->Levels.FirstPassLevels = Forces(200, 200, 200, 1);
    rig.Sent();

    EXPECT_FALSE(rig.Shown(ContinueJob(*rig.s)));
    EXPECT_TRUE(rig.Sent().isEmpty());
    EXPECT_FALSE(rig.timers->Running(TimerId::Optimizing));
    EXPECT_EQ(rig.op->messages.size(), 1);
}

TEST(WholeJob, EndKeepsTheRecoveryFileAndSwitchesTheMachineOff) {
    JobRig rig;
    ASSERT_TRUE(rig.StartJob(Blocks()));
    rig.Run(2);
    ASSERT_TRUE(PauseJob(*rig.s));
    rig.Sent();

    EndJobForLater(*rig.s);

    EXPECT_EQ(rig.Sent(), QStringList({"EndPrint", "Off"}));
    EXPECT_FALSE(rig.s->Link.DeviceReady);
    EXPECT_FALSE(rig.timers->Running(TimerId::Optimizing));
    EXPECT_TRUE(rig.Exists("ErorFile.txt"));
    EXPECT_TRUE(rig.Exists("ErorProgress.txt"));
}

} // namespace
} // namespace zeb::testing
