// Jobs under seeded link faults of the virtual controller: the job either finishes with the
// exact workpiece, or stops (the fault dialog's case) and resuming finishes it exactly. No
// hang, no crash, nothing struck twice. (A controller that stops in mid-line: the recovery
// tests.) The link's and the job's refusals speak the start directory's language file.

#include "e2e/e2e_rig.h"

#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

// Engraves, then resumes until the job is finished: a stop under faults is allowed, as long
// as resuming finishes it.
CliResult EngraveUntilDone(E2eDir& d, std::pair<int, int>* placement) {
    CliResult run = d.Cli(d.EngraveArgs());
    *placement = Placement(run.out);
    for (int attempt = 0; attempt < 8 && run.exitCode != 0; ++attempt) {
        EXPECT_NE(run.exitCode, -1) << "hung or crashed: " << run.err.toStdString();
        if (!d.Exists("ErorFile.txt") && d.Strikes().empty()) {
            // The start itself failed (the greeting under faults): nothing to resume.
            run = d.Cli(d.EngraveArgs());
            *placement = Placement(run.out);
            continue;
        }
        run = d.Resume();
    }
    return run;
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
        ASSERT_TRUE(d.StartSimWith(Checks(),
                                   {"--faults", row.faults, "--seed", QString::number(row.seed)}));
        ASSERT_TRUE(d.PlanAim());
        std::pair<int, int> placement;
        const CliResult run = EngraveUntilDone(d, &placement);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(WorkpieceProblems(d, placement), QStringList());
        EXPECT_FALSE(d.Exists("ErorFile.txt"));
    }
}

// A silent motor driver (the link's text) and a recovery file naming no resolution (the
// job's), with the English file, and with one that translates only the menu.
TEST(EndToEndFaults, TheLinksAndTheJobsRefusalsSpeakTheLanguageFile) {
    const QByteArray english = ReadBytes(ZEB_DIST "/English.lng");
    const QByteArray menuOnly = "0010=File\r\n";
    const QStringList engrave = {"engrave", "pic.bmp", "--forces", "40,30,20,10"};
    const QStringList resume = {"resume", "--warm-up", "0"};
    const struct {
        QByteArray language;
        QStringList faults;
        QStringList args;
        int exitCode;
        const char* said;
    } rows[] = {
        {english, {"--faults", "silent-x"}, engrave, 1, "The X motor driver does not answer"},
        {menuOnly, {"--faults", "silent-x"}, engrave, 1, "Не отвечает драйвер двигателя X"},
        {english, {}, resume, 2, "line 13: there is no resolution 99"},
        {menuOnly, {}, resume, 2, "строка 13: разрешения 99 нет"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.said);
        E2eDir d;
        d.Write("Language.lng", row.language);
        if (row.args == resume)
            d.Write("ErorFile.txt",
                    "pic.bmp\r\n0\r\n0\r\n10\r\n20\r\n30\r\n40\r\n0\r\n10\r\n20\r\n30\r\n"
                    "40\r\n99\r\n");
        ASSERT_TRUE(d.StartSimWith(Checks(), row.faults));
        const CliResult run = d.Cli(row.args + QStringList{"--port", d.Port()});
        EXPECT_EQ(run.exitCode, row.exitCode);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(row.said))) << run.err.toStdString();
        EXPECT_TRUE(d.Strikes().empty());
    }
}

} // namespace
} // namespace zeb::testing
