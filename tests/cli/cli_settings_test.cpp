// zeb-cli settings and the force and tone options of every command: the default file with the
// port given, names that would break a line of Zeb.ini, one order and the sliders' ranges for
// --forces, and a Zeb.ini that cannot be read or written. --levels B,W,G [--invert] gives the
// dot picture of the picture pre-processed by the formula (computed here on its own), so
// neutral values change no byte, and values that cannot be applied are refused before
// anything is written.
#include "common/start_files.h"
#include "common/temp_dir.h"
#include "e2e/e2e_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace zeb::testing {
namespace {

// zeb-cli in `dir`; `limitWrites` keeps it from writing a single byte to any file.
CliResult Cli(const QString& dir, const QStringList& args, bool limitWrites = false) {
    QProcess process;
    process.setWorkingDirectory(dir);
    if (limitWrites) {
        process.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit none{0, 0};
            setrlimit(RLIMIT_FSIZE, &none);
        });
    }
    process.start(QStringLiteral(ZEB_CLI_EXE), args);
    return E2eDir::Finish(&process);
}

// The default file with another line 11.
QByteArray DefaultWithPort(const QByteArray& port) {
    return Settings().replace("\r\ncom1\r\n", "\r\n" + port + "\r\n");
}

TEST(CliSettings, APortInANewDirectoryGoesIntoTheDefaultFile) {
    ScopedStartDirectory dir;
    const CliResult run = Cli(dir.Path(), {"settings", "--port", "/dev/ttyUSB0"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(ReadFile(dir.File("Zeb.ini")), DefaultWithPort("/dev/ttyUSB0"));
    EXPECT_EQ(run.out, QString::fromLatin1(DefaultWithPort("/dev/ttyUSB0")).remove('\r'));
}

TEST(CliSettings, APortNameThatWouldNotStayOneLineOfTheFileIsRefused) {
    const QString names[] = {
        "/dev/tty\nUSB0",           "com1\r", "com\t2", QString("com") + QChar(0x7f),
        QString::fromUtf8("COM→3"), ""};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        ScopedStartDirectory dir;
        WriteFile(dir.File("Zeb.ini"), Settings());
        const CliResult run = Cli(dir.Path(), {"settings", "--port", name});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains("--port")) << run.err.toStdString();
        EXPECT_EQ(ReadFile(dir.File("Zeb.ini")), Settings());
    }
    // Cyrillic is what the file's code page holds.
    ScopedStartDirectory dir;
    ASSERT_EQ(Cli(dir.Path(), {"settings", "--port", QString::fromUtf8("порт")}).exitCode, 0);
    EXPECT_EQ(ReadFile(dir.File("Zeb.ini")), DefaultWithPort("\xEF\xEE\xF0\xF2"));
}

TEST(CliSettings, ForcesAreFourLevelsFromThirtyTwoDownWithinTheSlidersRanges) {
    struct Row {
        const char* option;
        const char* value;
        const char* pass; // the pass's five lines as written, '|' between; nullptr: refused
    };
    const Row rows[] = {
        {"--forces", "40,30,20,10", "Ind  |KnKHel4-40|KnKHel3-30|KnKHel2-20|KnKHel1-10"},
        {"--forces", " 200, 1,1 ,1", "Ind  |KnKHel4-200|KnKHel3-1|KnKHel2-1|KnKHel1-1"},
        {"--second-pass", "0,1,1,200", "Ind  |KnKHel4-0|KnKHel3-1|KnKHel2-1|KnKHel1-200"},
        {"--forces", "0,1,1,1", nullptr}, // the first pass's "32" slider starts at 1
        {"--second-pass", "1,0,1,1", nullptr},
        {"--forces", "201,1,1,1", nullptr},
        {"--forces", "1,1,1,256", nullptr},
        {"--forces", "40,30,20", nullptr},
        {"--forces", "40,30,20,10,5", nullptr},
        {"--forces", "40,30,x,10", nullptr},
        {"--forces", "-1,30,20,10", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(QString("%1 %2").arg(row.option, row.value).toStdString());
        ScopedStartDirectory dir;
        WriteFile(dir.File("Zeb.ini"), Settings(0, true, "Group", "14,10,5,2", "Group"));
        const CliResult run = Cli(dir.Path(), {"settings", row.option, row.value});
        if (!row.pass) {
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_TRUE(run.err.contains("F32,F24,F16,F8")) << run.err.toStdString();
            continue;
        }
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QStringList lines = QString::fromLatin1(ReadFile(dir.File("Zeb.ini"))).split("\r\n");
        const int first = QString(row.option) == "--forces" ? 0 : 5;
        EXPECT_EQ(lines.mid(first, 5).join('|'), row.pass);
        // The other pass as it was, group rule and all.
        EXPECT_EQ(lines.mid(5 - first, 5).join('|'),
                  "Group|KnKHel4-14|KnKHel3-10|KnKHel2-5|KnKHel1-2");
    }
}

TEST(CliSettings, EstimateTakesTheForcesInTheSameOrder) {
    ScopedStartDirectory dir;
    // Only level "32" strikes here, so only the first force counts.
    WriteFile(dir.File("plan.txt"),
              "\r\nGoTo:      1     1\r\nDown: \r\nKnock: 4444\r\nUp  : \r\n");
    auto estimate = [&dir](const char* forces) {
        const CliResult run =
            Cli(dir.Path(), {"estimate", "plan.txt", "--forces", forces, "--motor-speed-scale",
                             "17", "--now=2026-01-05T23:59:59"});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out.section('\n', 0, 0);
    };
    // Forces 14 at P = 12 x 17: 400 + 994 + 400 + 497 + 400 + 4 x 763 + 400.
    EXPECT_EQ(estimate("14,1,1,1"), "T = 6143 (10 us)");
    EXPECT_EQ(estimate("14,200,200,200"), "T = 6143 (10 us)");
    EXPECT_NE(estimate("1,1,1,14"), "T = 6143 (10 us)");
    const CliResult zero = Cli(dir.Path(), {"estimate", "plan.txt", "--forces", "0,14,14,14"});
    EXPECT_EQ(zero.exitCode, 2);
    EXPECT_TRUE(zero.err.contains("F32,F24,F16,F8")) << zero.err.toStdString();
}

TEST(CliSettings, AFileThatCannotBeReadOrWrittenIsNeverSaidToBeWritten) {
    // A pipe in Zeb.ini's place: not read (it would wait for a writer), not replaced.
    ScopedStartDirectory pipe;
    ASSERT_EQ(mkfifo(qPrintable(pipe.File("Zeb.ini")), 0600), 0);
    for (const QStringList& args : {QStringList{"settings"}, {"settings", "--port", "com2"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliResult run = Cli(pipe.Path(), args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains("Zeb.ini: не читается")) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_FALSE(QFileInfo(pipe.File("Zeb.ini")).isFile());

        // A new directory where nothing can be written.
        ScopedStartDirectory full;
        const CliResult unwritten = Cli(full.Path(), args, true);
        EXPECT_EQ(unwritten.exitCode, 1);
        EXPECT_TRUE(unwritten.err.contains("не записывается")) << unwritten.err.toStdString();
        EXPECT_FALSE(unwritten.out.contains("written")) << unwritten.out.toStdString();
        EXPECT_FALSE(QFileInfo::exists(full.File("Zeb.ini")));
    }
}

TEST(CliSettings, FaultyForceLinesAreWrittenOnlyWithTheForcesOfTheirPassGiven) {
    const QByteArray faulty = Settings(0, true, "Group", "14,10,5,2", "Ind  ", "14,10,5");
    ScopedStartDirectory dir;
    WriteFile(dir.File("Zeb.ini"), faulty);
    CliResult run = Cli(dir.Path(), {"settings", "--port", "com2"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("строка 10")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("--second-pass F32,F24,F16,F8")) << run.err.toStdString();
    EXPECT_EQ(ReadFile(dir.File("Zeb.ini")), faulty);
    // Shown, as read and taken.
    run = Cli(dir.Path(), {"settings"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains("KnKHel1-1\ncom1\n")) << run.out.toStdString();

    run = Cli(dir.Path(), {"settings", "--port", "com2", "--second-pass", "14,10,5,3"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(ReadFile(dir.File("Zeb.ini")),
              Settings(0, true, "Group", "14,10,5,2", "Ind  ", "14,10,5,3")
                  .replace("\r\ncom1\r\n", "\r\ncom2\r\n"));
}

// Every red value, in bands and a slow ramp, with green and blue that must not matter.
QImage Photo() {
    QImage image(64, 40, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int red = (x * 4 + y * 6 + (x * y) % 7) % 256;
            image.setPixel(x, y, qRgb(red, (x * 37) % 256, 200));
        }
    return image;
}

// The red channel through v := 255 - v when inverted, then
// 255 * clamp((v - B) / (W - B), 0, 1) ^ (1 / G), rounded half away from zero.
QImage PreProcessed(const QImage& image, int black, int white, double gamma, bool invert) {
    QImage out = image.copy();
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb pixel = out.pixel(x, y);
            const int v = invert ? 255 - qRed(pixel) : qRed(pixel);
            const double t = std::clamp(double(v - black) / double(white - black), 0.0, 1.0);
            const int red = static_cast<int>(std::floor(255.0 * std::pow(t, 1.0 / gamma) + 0.5));
            out.setPixel(x, y, qRgb(red, qGreen(pixel), qBlue(pixel)));
        }
    return out;
}

TEST(CliTone, LevelsGiveTheDotsOfThePreProcessedPictureAndNeutralOnesChangeNoByte) {
    struct Row {
        int black;
        int white;
        double gamma;
        bool invert;
        QStringList options;
        const char* mode = "combined";
    };
    const Row rows[] = {
        {20, 230, 1.4, false, {"--levels", "20,230,1.4"}},
        {20, 230, 1.4, true, {"--levels", "20,230,1.4", "--invert"}},
        {20, 230, 1.4, true, {"--invert", "--levels", "20,230,1.4"}},
        {0, 255, 1.0, true, {"--invert"}},
        {0, 100, 0.5, false, {"--levels", " 0, 100, 0.5"}},
        {0, 255, 1.0, false, {"--levels", "0,255,1"}},
        {0, 255, 1.0, false, {"--levels=0,255,1.0"}},
        {0, 255, 1.0, false, {"--levels", "0,255,1"}, "diffusion"},
        {0, 255, 1.0, false, {"--levels=0,255,1.0"}, "diffusion"},
    };
    E2eDir d;
    const QImage photo = Photo();
    ASSERT_TRUE(photo.save(d.File("photo.png")));
    for (const Row& row : rows) {
        SCOPED_TRACE((row.options.join(' ') + " " + row.mode).toStdString());
        const QImage pre = PreProcessed(photo, row.black, row.white, row.gamma, row.invert);
        const bool neutral = pre == photo;
        ASSERT_TRUE(pre.save(d.File("pre.png")));
        for (const QString& command : {QStringLiteral("convert"), QStringLiteral("plan")}) {
            const QStringList base{command, "--mode", row.mode};
            const CliResult levelled =
                d.Cli(base + QStringList{"photo.png", "-o", "levelled"} + row.options);
            ASSERT_EQ(levelled.exitCode, 0) << levelled.err.toStdString();
            // The note on the values taken, none for neutral ones.
            EXPECT_EQ(levelled.out.contains("Тон: "), !neutral) << levelled.out.toStdString();
            ASSERT_EQ(d.Cli(base + QStringList{"pre.png", "-o", "pre"}).exitCode, 0);
            EXPECT_FALSE(d.Read("pre").isEmpty());
            EXPECT_EQ(d.Read("levelled"), d.Read("pre")) << command.toStdString();
        }
    }
}

TEST(CliTone, ValuesThatCannotBeAppliedAreRefused) {
    E2eDir d;
    ASSERT_TRUE(Photo().save(d.File("photo.png")));
    const QStringList bad{"230,20,1",   "20,20,1",    "-1,255,1",  "0,256,1",
                          "0,255,0.09", "0,255,10.5", "0,255",     "a,b,c",
                          "0,255,nan",  "0,255,inf",  "0.5,255,1", "0,255,1,0"};
    const QList<QStringList> commands{
        {"convert", "photo.png", "--mode", "combined", "-o", "out"},
        {"plan", "photo.png", "--mode", "combined", "-o", "out"},
        {"engrave", "photo.png", "--port", d.File("nothing")},
        {"preview", "photo.png", "-o", "out"},
    };
    std::vector<Refusal> rows;
    for (const QStringList& command : commands)
        for (const QString& levels : bad)
            rows.push_back({command + QStringList{"--levels", levels}, "--levels wants B,W,G"});
    ExpectRefused(d, rows);
    EXPECT_FALSE(d.Exists("out"));
    EXPECT_FALSE(d.Exists("Zeb.ini"));
}

} // namespace
} // namespace zeb::testing
