// zeb-cli plan and zeb-cli estimate as a user runs them.
#include "common/temp_dir.h"
#include "job/job_rig.h"
#include "job/plan_pictures.h"

#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

namespace zeb {
namespace {

using testing::PlanLines;
using testing::ReadAll;
using testing::WriteAll;

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun Cli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(ZEB_CLI_EXE), args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(PlanCli, PlansAndEstimatesAndRefusesBadUsage) {
    testing::ScopedStartDirectory dir;
    // A white picture in diffusion mode strikes every cell the planner sees: rows 1..3 and
    // columns 1..4 (the last row and column hold the tones the pass decided there).
    QImage white(4, 3, QImage::Format_RGB32);
    white.fill(Qt::white);
    ASSERT_TRUE(white.save(dir.File("white.png")));
    CliRun run = Cli({"plan", "white.png", "--mode", "diffusion", "-o", "two.txt", "--dump", "d"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(ReadAll(dir.File("two.txt")),
              PlanLines({"", "GoTo:      1     1", "Down: ", "Knock: 4444", "GoTo:      2     5",
                         "KBack: 4444", "GoTo:      3     1", "Down: ", "Knock: 4444", "Up  : "})
                  .toStdString());
    EXPECT_NE(ReadAll(dir.File("d")).find("\r\n   0 255 255 255 255   0\r\n"), std::string::npos);
    run = Cli({"plan", "white.png", "--mode=diffusion", "--one-sided", "--output", "one.txt"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_NE(ReadAll(dir.File("one.txt")).find("Knock: 4444\r\nUp  : \r\nGoTo:      2     3\r\n"),
              std::string::npos)
        << ReadAll(dir.File("one.txt"));

    WriteAll(dir.File("plan.txt"),
             PlanLines({"", "GoTo:      1     1", "Down: ", "Knock: 4444", "Up  : "}));
    // Forces 14 at P = 12 * 17 = 204 give ColumnTime[4] = 763. S = 497.25, L = 400:
    // move to (1, 1): 400 + 994 + 400 + 497; Down 400; 4 x 763; Up 400; twice.
    run = Cli({"estimate", "plan.txt", "--forces", "14,14,14,14", "--motor-speed-scale", "17",
               "--double-pass", "--now=2026-01-05T23:59:59"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "T = 12286 (10 us)\nДлительность работы: 00:00:00\n"
                       "Время завершения работы: 23:59:59\n"
                       "with the machine: link time 400 ms for 101 greetings (--link-time), "
                       "motor speed 12, scale 17, column times 527,763,763,763,763\n");
    // Without the machine only the columns count, at the values of a first start.
    run = Cli({"estimate", "plan.txt", "--no-machine", "--column-time", "1,2,3,4,5"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("T = 20 (10 us)\n")) << run.out.toStdString();
    EXPECT_TRUE(run.out.endsWith("without the machine: only the strike columns count\n"));

    WriteAll(dir.File("junk.png"), "not a picture");
    WriteAll(dir.File("bad.txt"), PlanLines({"", "GoTo:      1     1", "Knock: 4x"}));
    const QList<QStringList> bad = {
        {"plan", "white.png", "-o", "p.txt"},                   // no mode
        {"plan", "white.png", "--mode", "dots", "-o", "p.txt"}, // unknown mode
        {"plan", "white.png", "--mode", "combined"},            // no output
        {"plan", "absent.png", "--mode", "combined", "-o", "p.txt"},
        {"plan", "junk.png", "--mode", "combined", "-o", "p.txt"},
        {"plan", "white.png", "--mode", "combined", "-o", "p.txt", "--fast"},
        {"estimate"},
        {"estimate", "bad.txt"},
        {"estimate", "absent.txt"},
        {"estimate", "plan.txt", "--motor-speed"},
        {"estimate", "plan.txt", "--forces", "1,2"},
        {"estimate", "plan.txt", "--now", "today"},
        {"estimate", "plan.txt", "--column-time", "0,0,0,0,2430000000"},
        {"estimate", "plan.txt", "--device-ready"},
    };
    for (const QStringList& args : bad) {
        SCOPED_TRACE(args.join(' ').toStdString());
        run = Cli(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_FALSE(run.err.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(dir.File("p.txt")));
}

// Without options zeb-cli estimates a plan as the job start does with the machine connected,
// from the Zeb.ini that start wrote: the same T for the same plan, link time and offsets.
TEST(PlanCli, EstimateWithoutOptionsIsTheJobStartsEstimate) {
    for (const bool doublePass : {false, true}) {
        SCOPED_TRACE(doublePass);
        testing::JobRig rig;
        rig.PrepareJob(testing::Blocks(), doublePass, true);
        rig.s->Config.ResolutionIndex = 3;
        rig.s->Machine.MotorSpeed = 14;
        const Result<JobStart> start = rig.Start();
        ASSERT_TRUE(testing::Begun(start) && start->estimate) << start.Message().toStdString();
        QStringList args{"estimate",    "123123123.txt",
                         "--link-time", QString::number(rig.s->Machine.LinkTime),
                         "--offset-x",  QString::number(rig.s->Place.PictureOffsetX),
                         "--offset-y",  QString::number(rig.s->Place.PictureOffsetY)};
        if (doublePass)
            args << "--double-pass";
        const CliRun run = Cli(args);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out.section('\n', 0, 0),
                  QString("T = %1 (10 us)").arg(start->estimate->units));
        EXPECT_EQ(run.out.section('\n', 1, 1), start->estimate->texts.duration);
    }
}

} // namespace
} // namespace zeb
