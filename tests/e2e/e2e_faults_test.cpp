// Jobs under seeded link faults of the virtual controller: the job either finishes with the
// exact workpiece, or stops (the fault dialog's case) and resuming finishes it exactly. No
// hang, no crash, nothing struck twice.

#include "e2e/e2e_rig.h"

#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

// Small enough that the retries under faults stay quick.
QImage SmallPicture() {
    QImage image(26, 12, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int y = 1; y < 11; ++y)
        for (int x = 1; x < 25; ++x)
            if ((x / 6 + y / 4) % 2 == 0)
                image.setPixel(x, y, qRgb(100 + 50 * ((x + 2 * y) % 4), 0, 0));
    return image;
}

// Engraves, then resumes until the job is finished: a stop under faults is allowed, as long
// as resuming finishes it.
CliResult EngraveUntilDone(E2eDir& d, std::pair<int, int>* placement) {
    const QStringList engrave{"engrave", "pic.bmp", "--port", d.Port(), "--forces", "40,30,20,10"};
    CliResult run = d.Cli(engrave);
    *placement = Placement(run.out);
    for (int attempt = 0; attempt < 8 && run.exitCode != 0; ++attempt) {
        EXPECT_NE(run.exitCode, -1) << "hung or crashed: " << run.err.toStdString();
        if (!d.Exists("ErorFile.txt") && d.Strikes().empty()) {
            // The start itself failed (the greeting under faults): nothing to resume.
            run = d.Cli(engrave);
            *placement = Placement(run.out);
            continue;
        }
        run = d.Cli({"resume", "--port", d.Port(), "--warm-up", "0"});
    }
    return run;
}

void ExpectExactWorkpiece(const E2eDir& d, std::pair<int, int> placement) {
    // The job's own plan may have been cut by a resume: the plan made beforehand is whole.
    const auto planned = PlannedDots(d.Read("aim.txt"), placement.first, placement.second);
    ASSERT_FALSE(planned.empty());
    EXPECT_EQ(StrikeProblems(planned, d.Strikes()), QStringList());
    EXPECT_FALSE(d.Exists("ErorFile.txt"));
}

TEST(EndToEndFaults, LostGarbledAndLateBytesNeverStrikeTwice) {
    const char* lossy = "drop-rx=0.001,drop-tx=0.001,corrupt-rx=0.001,corrupt-tx=0.001";
    const struct {
        const char* faults;
        int seed;
    } rows[] = {{lossy, 1}, {lossy, 2}, {lossy, 3}, {"delay-tx=0.003", 5}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.faults << " seed " << row.seed);
        E2eDir d;
        ASSERT_TRUE(d.StartSim({"--faults", row.faults, "--seed", QString::number(row.seed)}));
        SmallPicture().save(d.File("pic.bmp"), "BMP");
        ASSERT_EQ(d.Cli({"plan", "pic.bmp", "--mode", "diffusion", "-o", "aim.txt"}).exitCode, 0);
        std::pair<int, int> placement;
        const CliResult run = EngraveUntilDone(d, &placement);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        ExpectExactWorkpiece(d, placement);
    }
}

TEST(EndToEndFaults, AControllerThatStopsInMidLineIsFinishedAfterAPowerCycle) {
    E2eDir d;
    const QStringList state{"--state", d.File("machine.state")};
    ASSERT_TRUE(d.StartSim(state + QStringList{"--faults", "stop-mid-line=9"}));
    SmallPicture().save(d.File("pic.bmp"), "BMP");
    ASSERT_EQ(d.Cli({"plan", "pic.bmp", "--mode", "diffusion", "-o", "aim.txt"}).exitCode, 0);

    const CliResult stopped =
        d.Cli({"engrave", "pic.bmp", "--port", d.Port(), "--forces", "40,30,20,10"});
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_TRUE(stopped.err.contains("link to the controller was lost"))
        << stopped.err.toStdString();
    ASSERT_TRUE(d.Exists("ErorFile.txt"));
    const auto placement = Placement(stopped.out);
    EXPECT_FALSE(d.Strikes().empty());

    d.StopSim();
    ASSERT_TRUE(d.StartSim(state));
    const CliResult resumed = d.Cli({"resume", "--port", d.Port(), "--warm-up", "0"});
    ASSERT_EQ(resumed.exitCode, 0) << resumed.err.toStdString();
    ExpectExactWorkpiece(d, placement);
}

} // namespace
} // namespace zeb::testing
