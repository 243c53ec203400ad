// zeb-cli plan and zeb-cli estimate as a user runs them.
#include "common/temp_dir.h"
#include "job/plan_pictures.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

namespace zeb {
namespace {

using testing::PlanLines;

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

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// A white picture in diffusion mode strikes every cell the planner sees: rows 1..3 and
// columns 1..4 (the last row and column hold the tones the pass decided there).
void SaveWhite(const QString& path) {
    QImage white(4, 3, QImage::Format_RGB32);
    white.fill(Qt::white);
    ASSERT_TRUE(white.save(path));
}

TEST(PlanCli, PlansAPictureInBothPasses) {
    testing::ScopedStartDirectory dir;
    SaveWhite(dir.File("white.png"));
    CliRun run = Cli({"plan", "white.png", "--mode", "diffusion", "-o", "two.txt"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(ReadAll(dir.File("two.txt")).toStdString(),
              PlanLines({"", "GoTo:      1     1", "Down: ", "Knock: 4444", "GoTo:      2     5",
                         "KBack: 4444", "GoTo:      3     1", "Down: ", "Knock: 4444", "Up  : "})
                  .toStdString());
    run = Cli({"plan", "white.png", "--mode=diffusion", "--one-sided", "--output", "one.txt",
               "--dump", "dump.txt"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(ReadAll(dir.File("one.txt")).toStdString(),
              PlanLines({"", "GoTo:      1     1", "Down: ", "Knock: 4444",
                         "Up  : ", "GoTo:      2     3", "Down: ", "GoTo:      2     1",
                         "Down: ", "Knock: 4444", "Up  : ", "GoTo:      3     3",
                         "Down: ", "GoTo:      3     1", "Down: ", "Knock: 4444", "Up  : "})
                  .toStdString());
    EXPECT_EQ(ReadAll(dir.File("dump.txt")).toStdString(),
              PlanLines({"", "   0   0   0   0   0   0", "   0 255 255 255 255   0",
                         "   0 255 255 255 255   0", "   0 255 255 255 255   0",
                         "   0   0   0   0   0   0"})
                  .toStdString());
}

TEST(PlanCli, RefusesBadUsageAndBadPictures) {
    testing::ScopedStartDirectory dir;
    SaveWhite(dir.File("white.png"));
    QFile junk(dir.File("junk.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    const QList<QStringList> bad = {
        {"plan", "white.png", "-o", "p.txt"},                   // no mode
        {"plan", "white.png", "--mode", "dots", "-o", "p.txt"}, // unknown mode
        {"plan", "white.png", "--mode", "combined"},            // no output
        {"plan", "absent.png", "--mode", "combined", "-o", "p.txt"},
        {"plan", "junk.png", "--mode", "combined", "-o", "p.txt"},
        {"plan", "white.png", "--mode", "combined", "-o", "p.txt", "--fast"},
    };
    for (const QStringList& args : bad) {
        const CliRun run = Cli(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty()) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.File("p.txt")));
}

TEST(EstimateCli, PrintsTAndBothTexts) {
    testing::ScopedStartDirectory dir;
    QFile plan(dir.File("plan.txt"));
    ASSERT_TRUE(plan.open(QIODevice::WriteOnly));
    plan.write(PlanLines({"", "GoTo:      1     1", "Down: ", "Knock: 4444", "Up  : "}));
    plan.close();
    // As at a first start without a device: no column time is known yet.
    CliRun run = Cli({"estimate", "plan.txt", "--now", "2026-01-05T09:00:00"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "T = 0 (10 us)\nДлительность работы: 00:00:00\n"
                       "Время завершения работы: 09:00:00\n");
    // Forces 14 at P = 12 * 17 = 204 give ColumnTime[4] = 763. S = 497.25, L = 400:
    // move to (1, 1): 400 + 994 + 400 + 497; Down 400; 4 x 763; Up 400; twice.
    run = Cli({"estimate", "plan.txt", "--device-ready", "--forces", "14,14,14,14",
               "--motor-speed-scale", "17", "--double-pass", "--now=2026-01-05T23:59:59"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "T = 12286 (10 us)\nДлительность работы: 00:00:00\n"
                       "Время завершения работы: 23:59:59\n");
    // A day and more of strikes.
    run = Cli({"estimate", "plan.txt", "--column-time", "0,0,0,0,2430000000", "--now",
               "2026-01-05T09:00:00"});
    EXPECT_EQ(run.exitCode, 2) << "a column time above 2 * 10^9 is refused";
    run = Cli({"estimate", "plan.txt", "--column-time", "0,0,0,0,1350000000", "--double-pass",
               "--now", "2026-01-05T09:00:00"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "T = 10800000000 (10 us)\nДлительность работы: 1Сут.+ 06:00:00\n"
                       "Время завершения работы: 15:00:00\n");
}

TEST(EstimateCli, RefusesBadPlansAndOptions) {
    testing::ScopedStartDirectory dir;
    QFile plan(dir.File("bad.txt"));
    ASSERT_TRUE(plan.open(QIODevice::WriteOnly));
    plan.write(PlanLines({"", "GoTo:      1     1", "Knock: 4x"}));
    plan.close();
    CliRun run = Cli({"estimate", "bad.txt"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("bad.txt")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("строка 3")) << run.err.toStdString();
    for (const QStringList& args : QList<QStringList>{{"estimate"},
                                                      {"estimate", "absent.txt"},
                                                      {"estimate", "bad.txt", "--motor-speed"},
                                                      {"estimate", "bad.txt", "--forces", "1,2"},
                                                      {"estimate", "bad.txt", "--now", "today"},
                                                      {"estimate", "bad.txt", "--speed", "3"}}) {
        run = Cli(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
    }
}

} // namespace
} // namespace zeb
