// "Гравировка" and "Работа" against the virtual controller: what goes on the wire in which
// order, the files the job relies on, and the refusals that send nothing.

#include "job/job_rig.h"
#include "job/job_start.h"
#include "job/progress_record.h"
#include "job/recovery_file.h"

#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

TEST(JobStart, SendsTheSetUpInOrderAndWritesTheRecoveryFile) {
    JobRig rig;
    rig.OpenPicture(Blocks());
    rig.s->Levels.FirstPassLevels = Forces(40, 30, 20, 10);
    rig.s->Levels.SecondPassLevels = Forces(0, 12, 8, 4);
    rig.s->Config.ResolutionIndex = 2;
    rig.Sent();

    const Result<JobStart> start = rig.Start();

    ASSERT_TRUE(Begun(start));
    // The set-up, then the estimate measures the link anew: 101 greetings, nothing else.
    EXPECT_EQ(rig.Sent().join(' '),
              QStringLiteral("Hi Hi Hi Hi Hi SetRegister54 SetRegister55 ProgX_Motor ProgY_Motor "
                             "ProgX_Motor ProgY_Motor SetStrike ResetError BeginPrint") +
                  QStringLiteral(" Hi").repeated(101));
    EXPECT_EQ(rig.vc.ProfileForce(4), 40);
    EXPECT_EQ(rig.vc.ProfileForce(1), 10);
    EXPECT_TRUE(rig.vc.PrintJobOpen());
    EXPECT_TRUE(rig.timers->Running(TimerId::Optimizing));
    EXPECT_FALSE(rig.timers->Running(TimerId::Timer4));
    EXPECT_TRUE(rig.s->Job.Running);
    ASSERT_TRUE(start->estimate);
    EXPECT_TRUE(
        start->estimate->texts.duration.startsWith(QStringLiteral("Длительность работы: ")));

    const QStringList recovery = QStringList{rig.dir.File(QStringLiteral("picture.bmp")),
                                             QString::number(rig.s->Place.PictureOffsetX),
                                             QString::number(rig.s->Place.PictureOffsetY)} +
                                 QStringLiteral("10 20 30 40 0 4 8 12 0 2").split(' ');
    EXPECT_EQ(QString::fromLatin1(rig.Read("ErorFile.txt")), recovery.join("\r\n") + "\r\n");
    EXPECT_FALSE(rig.Exists("123Sec.txt"));
    const auto read = ReadProgressRecord(TextCatalogue(), rig.dir.Path());
    ASSERT_TRUE(read && *read) << read.Message().toStdString();
    const std::optional<ProgressRecord>& progress = *read;
    EXPECT_EQ(progress->pass, 1);
    EXPECT_EQ(progress->line, 0);
    // The print job is open: from here the machine's saved position is this job's.
    EXPECT_TRUE(progress->begun);
    EXPECT_EQ(progress->planDigest, PlanDigest(rig.Read("123123123.txt")));
    const auto recorded = ReadRecoveryFile(TextCatalogue(), rig.dir.Path());
    ASSERT_TRUE(recorded);
    EXPECT_EQ(progress->jobDigest, JobDigest(*recorded));
}

TEST(JobStart, RefusesBeforeAnythingIsSent) {
    struct Row {
        const char* name;
        bool picture;
        int motorSpeed;
        StrikeLevelSet first, second;
        bool doublePass;
        const char* said; // part of the message
    };
    // P = 40 x 16 = 640: a force of 1 leaves (640 - 2) / 2 = 319 for the first phase, a
    // force of 0 leaves 320; 200 leaves 120.
    const StrikeLevelSet strong = Forces(200, 200, 200, 200);
    const Row rows[] = {
        {"no picture", false, 12, Forces(3, 2, 1, 1), strong, false, "Нет изображения для плана."},
        {"first pass", true, 40, Forces(200, 200, 200, 1), strong, false, "уровня \"8\""},
        {"second pass", true, 40, strong, Forces(0, 200, 200, 200), true, "Второй проход"},
        // First start without Zeb.ini: a slider set to where it stood kept the force 0.
        {"a force no slider shows", true, 12, Forces(3, 2, 0, 1), strong, false,
         "уровня \"16\" равна 0"},
        {"above the sliders", true, 12, Forces(3, 2, 1, 1), Forces(201, 2, 1, 1), true,
         "Второй проход: сила уровня \"32\" равна 201"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        JobRig rig;
        if (row.picture)
            rig.OpenPicture(Blocks());
        rig.s->Machine.MotorSpeed = static_cast<quint8>(row.motorSpeed);
        rig.s->Levels.FirstPassLevels = row.first;
        rig.s->Levels.SecondPassLevels = row.second;
        rig.s->Levels.DoublePassPending = row.doublePass;
        rig.Sent();

        EXPECT_FALSE(Begun(rig.Start()));

        EXPECT_TRUE(rig.Sent().isEmpty());
        ASSERT_EQ(rig.op->messages.size(), 1);
        EXPECT_TRUE(rig.op->messages[0].contains(QString::fromUtf8(row.said)))
            << rig.op->messages[0].toStdString();
        EXPECT_FALSE(rig.Exists("ErorFile.txt"));
        EXPECT_FALSE(rig.Exists("123123123.txt"));
        EXPECT_FALSE(rig.timers->Running(TimerId::Optimizing));
    }
}

} // namespace
} // namespace zeb::testing
