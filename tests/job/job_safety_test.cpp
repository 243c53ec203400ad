// What must never strike a dot twice or wrong around the job's start: an unfinished job is
// never replaced unasked, a job whose print job never opened runs whole although the machine
// still holds an earlier job's position on its plan, and a missing second-pass plan is told
// as a missing file.

#include "job/job_rig.h"
#include "job/progress_record.h"
#include "job/recovery.h"

#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

// The files of a job, byte for byte.
QByteArrayList JobFiles(const JobRig& rig) {
    return {rig.Read("ErorFile.txt"), rig.Read("ErorProgress.txt"), rig.Read("123123123.txt")};
}

TEST(JobSafety, AnUnfinishedJobIsReplacedOnlyWhenTheOperatorSaysSo) {
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "yes" : "no");
        JobRig rig;
        ASSERT_TRUE(rig.StartJob(Blocks()));
        rig.Run(10);
        rig.Restart(); // the dialog closed without a choice
        const QByteArrayList unfinished = JobFiles(rig);
        const size_t struck = rig.vc.Workpiece().size();
        rig.op->confirmAnswer = yes;

        const bool started = rig.StartJob(Blocks().mirrored(true, false));

        ASSERT_EQ(rig.op->questions.size(), 1);
        EXPECT_TRUE(rig.op->questions[0].contains("picture.bmp"));
        EXPECT_TRUE(rig.op->questions[0].contains("ErorFile.txt"));
        EXPECT_EQ(started, yes);
        if (yes) {
            EXPECT_NE(JobFiles(rig), unfinished);
            EXPECT_EQ(rig.Run().back(), TickResult::Completed);
            EXPECT_FALSE(rig.Exists("ErorFile.txt"));
        } else {
            EXPECT_EQ(JobFiles(rig), unfinished);
            EXPECT_EQ(rig.vc.Workpiece().size(), struck);
            EXPECT_TRUE(rig.op->events.last() == "unlock");
        }
    }
}

// Passes the controller's bytes on until the host sends SetStrike; from then on the
// controller seems silent, as if the program had died there.
class DeadAtSetStrike : public SerialLine {
public:
    explicit DeadAtSetStrike(std::unique_ptr<SerialLine> inner) : m_inner(std::move(inner)) {}

    bool OpenPort() override {
        m_inner->SetPortDeviceName(PortDeviceName());
        return m_inner->OpenPort();
    }
    void ClosePort() override { m_inner->ClosePort(); }
    void SetParityOdd() override { m_inner->SetParityOdd(); }
    void SetParityEven() override { m_inner->SetParityEven(); }
    bool WriteByte(quint8 b) override {
        m_dead = m_dead || (m_previous == 0x1B && b == 0x44);
        m_previous = b;
        return m_dead || m_inner->WriteByte(b);
    }
    bool ReadByte(quint8& b) override { return !m_dead && m_inner->ReadByte(b); }

private:
    std::unique_ptr<SerialLine> m_inner;
    bool m_dead = false;
    quint8 m_previous = 0;
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
    const auto read = ReadProgressRecord(rig.dir.Path());
    ASSERT_TRUE(read && *read) << read.Message().toStdString();
    const std::optional<ProgressRecord>& record = *read;
    EXPECT_FALSE(record->begun);
    const QByteArray plan = rig.Read("123123123.txt");

    rig.wrapLine = {};
    rig.Restart();
    rig.s->Job.WarmUpRounds = 0;
    ASSERT_TRUE(rig.Shown(ResumeInterruptedJob(*rig.s)));
    ASSERT_EQ(rig.Run().back(), TickResult::Completed);

    const auto planned =
        PlannedDots(plan, rig.s->Place.PictureOffsetX, rig.s->Place.PictureOffsetY);
    EXPECT_EQ(rig.Struck(first).size(), first);
    EXPECT_EQ(CompareStrikes(planned, rig.Struck(first), {0, 10, 20, 30, 40}), QStringList());
}

TEST(JobSafety, AMissingSecondPlanIsAMissingFileNotALostLink) {
    JobRig rig;
    ASSERT_TRUE(rig.StartJob(Blocks(), true));
    QFile::remove(rig.dir.File("123Sec.txt"));

    const std::vector<TickResult> results = rig.Run();

    EXPECT_EQ(results.back(), TickResult::Stopped);
    ASSERT_FALSE(rig.op->messages.isEmpty());
    EXPECT_TRUE(rig.op->messages.last().contains("123Sec.txt"));
    EXPECT_TRUE(rig.op->messages.last().contains("файла нет"));
    EXPECT_TRUE(rig.Exists("ErorFile.txt"));
}

} // namespace
} // namespace zeb::testing
