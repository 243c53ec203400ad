// Whole jobs in-process, from "Работа" to the last strike: the second pass, STOP with new
// forces, "Завершить работу". (Every kind of job against the plan: tests/e2e.) And what must
// never strike a dot twice or wrong around the job's start: an unfinished job is never
// replaced unasked, a job whose print job never opened runs whole although the machine still
// holds an earlier job's position on its plan, and a missing second-pass plan is told as a
// missing file.

#include "job/job_rig.h"
#include "job/job_start.h"
#include "job/pass_line.h"
#include "job/progress_record.h"
#include "job/recovery.h"

#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

TEST(WholeJob, TheSecondPassIsACopyThatRecordsItselfBeforeItStrikes) {
    JobRig rig;
    ASSERT_TRUE(rig.StartJob(Blocks(), true));
    const QByteArray plan = rig.Read("123123123.txt");
    ASSERT_FALSE(plan.isEmpty());
    EXPECT_EQ(rig.Read("123Sec.txt"), plan);
    // 13 lines at the start: the double pass is recorded as following.
    EXPECT_EQ(rig.Read("ErorFile.txt").count("\r\n"), 13);
    EXPECT_EQ(QString::fromLatin1(rig.Read("ErorFile.txt")).split("\r\n").value(7), "1");
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
    const auto planned = rig.Planned();
    rig.Run(30);

    // Killed, started again and resumed: the rest is struck with the forces chosen last.
    rig.Restart();
    ASSERT_TRUE(rig.Resume());
    EXPECT_EQ(rig.Run().back(), TickResult::Completed);

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

TEST(WholeJob, ContinueRefusesForcesWithoutAProfileAndEndKeepsTheRecoveryFile) {
    JobRig rig;
    ASSERT_TRUE(rig.StartJob(Blocks()));
    rig.Run(2);
    ASSERT_TRUE(PauseJob(*rig.s));
    rig.s->Machine.MotorSpeed = 40; // P = 640: a force of 1 has no profile
    rig.s->Levels.FirstPassLevels = Forces(200, 200, 200, 1);
    rig.Sent();

    EXPECT_FALSE(rig.Shown(ContinueJob(*rig.s)));
    EXPECT_TRUE(rig.Sent().isEmpty());
    EXPECT_FALSE(rig.timers->Running(TimerId::Optimizing));
    EXPECT_EQ(rig.op->messages.size(), 1);

    // "Завершить работу": the machine off, the files kept for a resume.
    EndJobForLater(*rig.s);

    EXPECT_EQ(rig.Sent(), QStringList({"EndPrint", "Off"}));
    EXPECT_FALSE(rig.s->Link.DeviceReady);
    EXPECT_FALSE(rig.timers->Running(TimerId::Optimizing));
    EXPECT_TRUE(rig.Exists("ErorFile.txt"));
    EXPECT_TRUE(rig.Exists("ErorProgress.txt"));
}

TEST(JobSafety, AnUnfinishedJobIsReplacedOnlyWhenTheOperatorSaysSo) {
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "yes" : "no");
        JobRig rig;
        ASSERT_TRUE(rig.StartJob(Blocks()));
        rig.Run(10);
        rig.Restart(); // the dialog closed without a choice
        const QByteArrayList unfinished = rig.JobFiles();
        const size_t struck = rig.vc.Workpiece().size();
        rig.op->confirmAnswer = yes;

        const bool started = rig.StartJob(Blocks().mirrored(true, false));

        ASSERT_EQ(rig.op->questions.size(), 1);
        EXPECT_TRUE(rig.op->questions[0].contains("picture.bmp"));
        EXPECT_TRUE(rig.op->questions[0].contains("ErorFile.txt"));
        EXPECT_EQ(started, yes);
        if (yes) {
            EXPECT_NE(rig.JobFiles(), unfinished);
            EXPECT_EQ(rig.Run().back(), TickResult::Completed);
            EXPECT_FALSE(rig.Exists("ErorFile.txt"));
        } else {
            EXPECT_EQ(rig.JobFiles(), unfinished);
            EXPECT_EQ(rig.vc.Workpiece().size(), struck);
            EXPECT_TRUE(rig.op->events.last() == "unlock");
        }
    }
}

// Passes the controller's bytes on until the host sends SetStrike; from then on the
// controller seems silent, as if the program had died there.
class DeadAtSetStrike : public PassLine {
public:
    using PassLine::PassLine;

    bool WriteByte(quint8 b) override {
        m_dead = m_dead || Begins(b, 0x44);
        return m_dead || PassLine::WriteByte(b);
    }
    bool ReadByte(quint8& b) override { return !m_dead && PassLine::ReadByte(b); }

private:
    bool m_dead = false;
};

TEST(JobSafety, APrintJobNeverOpenedRunsWholeWhereverTheMachineStopped) {
    JobRig rig;
    ASSERT_TRUE(rig.StartJob(Blocks()));
    ASSERT_EQ(rig.Run().back(), TickResult::Completed);
    const size_t first = rig.vc.Workpiece().size();
    // The same job again: the machine still holds the end of the first, which lies on the
    // new plan's last line. The program dies before the print job is opened.
    rig.wrapLine = [](std::unique_ptr<SerialLine> line) {
        return std::make_unique<DeadAtSetStrike>(std::move(line));
    };
    rig.Restart();
    EXPECT_FALSE(rig.StartJob(Blocks()));
    ASSERT_TRUE(rig.Exists("ErorFile.txt"));
    const auto read = ReadProgressRecord(TextCatalogue(), rig.dir.Path());
    ASSERT_TRUE(read && *read) << read.Message().toStdString();
    const std::optional<ProgressRecord>& record = *read;
    EXPECT_FALSE(record->begun);
    const auto planned = rig.Planned();

    rig.wrapLine = {};
    rig.Restart();
    ASSERT_TRUE(rig.Resume());
    ASSERT_EQ(rig.Run().back(), TickResult::Completed);

    EXPECT_EQ(rig.Struck(first).size(), first);
    EXPECT_EQ(CompareStrikes(planned, rig.Struck(first), {0, 10, 20, 30, 40}), QStringList());
}

TEST(JobSafety, AMissingSecondPlanIsAMissingFileNotALostLink) {
    JobRig rig;
    ASSERT_TRUE(rig.StartJob(Blocks(), true));
    QFile::remove(rig.dir.File("123Sec.txt"));

    const std::vector<TickResult> results = rig.Run();

    EXPECT_EQ(results.back(), TickResult::Stopped);
    EXPECT_TRUE(rig.Said("123Sec.txt"));
    EXPECT_TRUE(rig.Said("файла нет"));
    EXPECT_TRUE(rig.Exists("ErorFile.txt"));
}

} // namespace
} // namespace zeb::testing
