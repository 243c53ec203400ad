// The program killed at a seeded random moment of a job (SIGKILL: no chance to tidy up),
// started again and resumed, perhaps killed again: over all runs every planned dot is struck
// exactly once per pass. With a power cut the controller restarts too, keeping only its
// saved position.

#include "e2e/e2e_rig.h"

#include <gtest/gtest.h>

#include <random>

#include <signal.h>

namespace zeb::testing {
namespace {

const std::array<int, 5> First{0, 10, 20, 30, 40};
const std::array<int, 5> Second{0, 4, 8, 12, 16};

// Blocks and a ring: long lines both ways, several areas, rows that end and start apart.
QImage Picture() {
    QImage image(40, 22, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int y = 1; y < 21; ++y) {
        for (int x = 1; x < 39; ++x) {
            const int d2 = (x - 28) * (x - 28) + (y - 11) * (y - 11);
            const bool block = x < 16 && (y < 9 || y > 12);
            const bool ring = d2 >= 16 && d2 <= 81;
            if (block || ring)
                image.setPixel(x, y, qRgb(90 + 55 * ((x * 3 + y) % 4), 0, 0));
        }
    }
    return image;
}

struct KillCase {
    quint32 seed;
    bool doublePass;
    bool powerCut;
};

// Waits until the strikes reach `target` (or the program ends on its own), then kills it.
void KillAtStrikes(E2eDir& d, QProcess* cli, size_t target) {
    while (d.Strikes().size() < target && !cli->waitForFinished(3)) {
    }
    cli->kill();
    cli->waitForFinished(10000);
}

void RunCase(const KillCase& c) {
    SCOPED_TRACE(::testing::Message() << "seed " << c.seed << (c.doublePass ? ", double" : "")
                                      << (c.powerCut ? ", power cut" : ""));
    std::mt19937 dice(c.seed);
    E2eDir d;
    const QStringList simArgs =
        c.powerCut ? QStringList{"--state", d.File("machine.state")} : QStringList{};
    ASSERT_TRUE(d.StartSim(simArgs));
    SaveBitmap(Picture(), d.File("pic.bmp"));
    // The same plan as the job's, to aim the kills.
    ASSERT_EQ(d.Cli({"plan", "pic.bmp", "--mode", "diffusion", "-o", "aim.txt"}).exitCode, 0);
    const size_t dots = PlannedDots(d.Read("aim.txt"), 0, 0).size();
    const size_t total = dots * (c.doublePass ? 2 : 1);
    ASSERT_GT(dots, 200u);

    QStringList engrave{"engrave", "pic.bmp", "--port", d.Port(), "--forces", "40,30,20,10"};
    if (c.doublePass)
        engrave << "--second-pass"
                << "16,12,8,4";
    QProcess* const engraving = d.StartCli(engrave);
    QProcess* cli = engraving;
    const int kills = 1 + static_cast<int>(dice() % 2);
    for (int k = 0; k < kills; ++k) {
        const size_t before = d.Strikes().size();
        if (k == 0 || dice() % 3 != 0) {
            // Somewhere in the strikes still to come.
            const size_t left = total - before;
            KillAtStrikes(d, cli, before + 1 + dice() % std::max<size_t>(left * 9 / 10, 1));
        } else {
            // At any moment of the resume: start-up, saved position, cut, first lines.
            cli->waitForFinished(static_cast<int>(dice() % 250));
            cli->kill();
            cli->waitForFinished(10000);
        }
        if (c.powerCut) {
            d.StopSim();
            ASSERT_TRUE(d.StartSim(simArgs));
        }
        if (!d.Exists("ErorFile.txt")) {
            // A short resume may finish its job before a kill at a random moment (the kill
            // may still catch it closing down); the workpiece below tells whether it
            // finished well.
            ASSERT_GT(k, 0);
            cli = nullptr;
            break;
        }
        cli = d.StartCli({"resume", "--port", d.Port(), "--warm-up", "0"});
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
    EXPECT_EQ(CompareStrikes(planned, OfPass(strikes, First), First), QStringList());
    if (c.doublePass) {
        EXPECT_EQ(CompareStrikes(planned, OfPass(strikes, Second), Second), QStringList());
    }
    EXPECT_FALSE(d.Exists("ErorFile.txt"));
}

TEST(EndToEndKill, CtrlCEndsTheJobBetweenLinesForAResume) {
    E2eDir d;
    ASSERT_TRUE(d.StartSim());
    SaveBitmap(Picture(), d.File("pic.bmp"));
    ASSERT_EQ(d.Cli({"plan", "pic.bmp", "--mode", "diffusion", "-o", "aim.txt"}).exitCode, 0);
    QProcess* cli =
        d.StartCli({"engrave", "pic.bmp", "--port", d.Port(), "--forces", "40,30,20,10"});
    while (d.Strikes().size() < 50 && !cli->waitForFinished(3)) {
    }
    ::kill(static_cast<pid_t>(cli->processId()), SIGINT);
    const CliResult stopped = E2eDir::Finish(cli);
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_TRUE(stopped.err.contains("stopped by an interrupt")) << stopped.err.toStdString();
    ASSERT_TRUE(d.Exists("ErorFile.txt"));
    // "Завершить работу": the print job ended and the head switched off.
    const QStringList trace = d.Trace();
    ASSERT_GE(trace.size(), 2);
    EXPECT_TRUE(trace[trace.size() - 2].startsWith("EndPrint"));
    EXPECT_TRUE(trace.last().startsWith("Off"));

    const CliResult resumed = d.Cli({"resume", "--port", d.Port(), "--warm-up", "0"});
    ASSERT_EQ(resumed.exitCode, 0) << resumed.err.toStdString();
    const auto [x, y] = Placement(stopped.out);
    EXPECT_EQ(CompareStrikes(PlannedDots(d.Read("aim.txt"), x, y), d.Strikes(), First),
              QStringList());
}

TEST(EndToEndKill, KilledAtRandomAndResumedEveryDotOnce) {
    for (quint32 seed : {11u, 12u, 13u})
        RunCase({seed, false, false});
}

TEST(EndToEndKill, KilledInEitherPassOfADoublePass) {
    for (quint32 seed : {21u, 22u, 23u})
        RunCase({seed, true, false});
}

TEST(EndToEndKill, PowerCutOfProgramAndMachine) {
    for (quint32 seed : {31u, 32u})
        RunCase({seed, seed % 2 == 0, true});
}

} // namespace
} // namespace zeb::testing
