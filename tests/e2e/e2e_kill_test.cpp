// The program killed at a seeded random moment of a job (SIGKILL: no chance to tidy up),
// started again and resumed, perhaps killed again: over all runs every planned dot is struck
// exactly once per pass.

#include "e2e/e2e_rig.h"

#include <gtest/gtest.h>

#include <random>

#include <signal.h>

namespace zeb::testing {
namespace {

void RunCase(quint32 seed, bool doublePass) {
    SCOPED_TRACE(seed);
    std::mt19937 dice(seed);
    E2eDir d;
    ASSERT_TRUE(d.StartSimWith(Picture()));
    // The same plan as the job's, to aim the kills.
    ASSERT_TRUE(d.PlanAim());
    const size_t dots = PlannedDots(d.Read("aim.txt"), 0, 0).size();
    const size_t total = dots * (doublePass ? 2 : 1);
    ASSERT_GT(dots, 200u);

    QStringList engrave = d.EngraveArgs();
    if (doublePass)
        engrave += {"--second-pass", "16,12,8,4"};
    QProcess* const engraving = d.StartCli(engrave);
    QProcess* cli = engraving;
    const int kills = 1 + static_cast<int>(dice() % 2);
    for (int k = 0; k < kills; ++k) {
        const size_t before = d.Strikes().size();
        if (k == 0 || dice() % 3 != 0) {
            // Somewhere in the strikes still to come.
            const size_t target =
                before + 1 + dice() % std::max<size_t>((total - before) * 9 / 10, 1);
            while (d.Strikes().size() < target && !cli->waitForFinished(3)) {
            }
        } else {
            // At any moment of the resume: start-up, saved position, cut, first lines.
            cli->waitForFinished(static_cast<int>(dice() % 250));
        }
        cli->kill();
        cli->waitForFinished(10000);
        if (!d.Exists("ErorFile.txt")) {
            // A short resume may finish its job before a kill at a random moment (the kill
            // may still catch it closing down); the workpiece below tells whether it
            // finished well.
            ASSERT_GT(k, 0);
            cli = nullptr;
            break;
        }
        cli = d.StartCli(d.ResumeArgs());
    }
    if (cli) {
        const CliResult last = E2eDir::Finish(cli);
        ASSERT_EQ(last.exitCode, 0) << last.err.toStdString();
    }

    const auto [offsetX, offsetY] =
        Placement(QString::fromLocal8Bit(engraving->readAllStandardOutput()));
    const auto strikes = d.Strikes();
    const auto planned = PlannedDots(d.Read("aim.txt"), offsetX, offsetY);
    EXPECT_EQ(strikes.size(), total);
    EXPECT_EQ(StrikeProblems(planned, strikes, doublePass), QStringList());
    EXPECT_FALSE(d.Exists("ErorFile.txt"));
}

TEST(EndToEndKill, CtrlCEndsTheJobBetweenLinesForAResume) {
    E2eDir d;
    ASSERT_TRUE(d.StartSimWith(Picture()));
    ASSERT_TRUE(d.PlanAim());
    QProcess* cli = d.StartCli(d.EngraveArgs());
    while (d.Strikes().size() < 50 && !cli->waitForFinished(3)) {
    }
    ::kill(static_cast<pid_t>(cli->processId()), SIGINT);
    const CliResult stopped = E2eDir::Finish(cli);
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_TRUE(stopped.err.contains("stopped by an interrupt")) << stopped.err.toStdString();
    ASSERT_TRUE(d.Exists("ErorFile.txt"));
    // "Завершить работу": the print job ended and the head switched off.
    EXPECT_EQ(d.LastNames(2), QStringList({"EndPrint", "Off"}));

    const CliResult resumed = d.Resume();
    ASSERT_EQ(resumed.exitCode, 0) << resumed.err.toStdString();
    EXPECT_EQ(WorkpieceProblems(d, Placement(stopped.out)), QStringList());
}

// Killed while the head travels from one block to the other at the machine's pace, resumed
// at once: the controller is still on that move, so the greeting waits for it and says so,
// then the job ends with every dot struck once.
TEST(EndToEndKill, ResumedAtOnceWhileTheHeadStillMovesWaitsForTheMachine) {
    E2eDir d;
    ASSERT_TRUE(d.StartSim({"--time-scale", "1"}));
    // Two blocks of 8 x 2 dots, 196 rows apart: the move between them is 392 Y steps, about
    // 2.3 s at the machine's pace.
    QImage picture(8, 200, QImage::Format_RGB32);
    picture.fill(Qt::black);
    for (int y : {0, 1, 198, 199})
        for (int x = 0; x < 8; ++x)
            picture.setPixel(x, y, qRgb(255, 0, 0));
    picture.save(d.File("pic.bmp"), "BMP");
    ASSERT_TRUE(d.PlanAim());
    QProcess* cli = d.StartCli(d.EngraveArgs() + QStringList{"--align", "LEFT,TOP"});
    // The long move is the only one of more than a few steps.
    auto onTheLongMove = [&d] {
        const QStringList trace = d.Trace();
        if (trace.isEmpty() || !trace.last().startsWith(QStringLiteral("StepUp ")))
            return false;
        const QStringList bytes = trace.last().split(QLatin1Char(' '));
        return bytes.value(3).toInt(nullptr, 16) * 256 + bytes.value(4).toInt(nullptr, 16) > 100;
    };
    while (!onTheLongMove() && !cli->waitForFinished(3)) {
    }
    ASSERT_EQ(cli->state(), QProcess::Running) << "the job ended before its long move";
    cli->kill();
    cli->waitForFinished(10000);
    ASSERT_EQ(d.Strikes().size(), 16u);
    ASSERT_TRUE(d.Exists("ErorFile.txt"));

    const CliResult resumed = d.Resume();
    ASSERT_EQ(resumed.exitCode, 0) << resumed.err.toStdString();
    EXPECT_EQ(resumed.err.count(QStringLiteral("Ожидание устройства...")), 1)
        << resumed.err.toStdString();
    EXPECT_EQ(PlannedDots(d.Read("aim.txt"), 0, 0).size(), 32u);
    EXPECT_EQ(WorkpieceProblems(d, Placement(QString::fromLocal8Bit(cli->readAllStandardOutput()))),
              QStringList());
    EXPECT_FALSE(d.Exists("ErorFile.txt"));
}

TEST(EndToEndKill, KilledAtRandomInOneOrEitherPassOfADoublePassAndResumedEveryDotOnce) {
    for (quint32 seed : {11u, 12u, 13u, 21u, 22u, 23u})
        RunCase(seed, seed > 20); // the twenties engrave two passes
}

} // namespace
} // namespace zeb::testing
