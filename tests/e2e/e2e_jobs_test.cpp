// Whole jobs as real processes: zeb-cli engrave, resume and preview against zeb-sim on a
// pseudo-terminal. The workpiece must be the plan, dot for dot and level for level, and the
// preview made beforehand.

#include "e2e/e2e_rig.h"

#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

// Rings of four greys and a bar longer than two chunks: areas, both directions, split lines.
QImage Rings() {
    QImage image(34, 18, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 18; ++x) {
            const int d2 = (x - 9) * (x - 9) + (y - 7) * (y - 7);
            if (d2 >= 6 && d2 <= 64)
                image.setPixel(x, y, qRgb(255 - 50 * (d2 / 17), 0, 0));
        }
    }
    for (int y = 15; y < 18; ++y)
        for (int x = 2; x < 32; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    return image;
}

// The preview zeb-cli writes before a job is the simulator's workpiece after it, pixel for
// pixel, and writes nothing but that picture; the job strikes its plan dot for dot.
TEST(EndToEnd, WholeJobsStrikeThePlanDotForDotAndThePreviewIsTheWorkpiece) {
    struct Row {
        const char* name;
        QImage (*picture)();
        QStringList options;
        bool doublePass;
        bool splits; // portrait: long backward lines go in three parts
        size_t minDots;
    };
    const QStringList combined{"--mode", "combined"};
    const QStringList secondPass{"--second-pass", "16,12,8,4"};
    const Row rows[] = {
        {"two-sided portrait", Rings, {}, false, true, 120},
        {"one-sided", Rings, {"--one-sided"}, false, false, 120},
        {"text", Rings, {"--text"}, false, false, 120},
        {"double pass", Rings, secondPass + combined, true, true, 120},
        // The blocks in combined mode have no backward line long enough to split.
        {"portrait, two-sided", Picture, combined, false, false, 200},
        {"text, one-sided", Picture, {"--text", "--one-sided"}, false, false, 200},
        {"double pass, blocks", Picture, combined + secondPass, true, false, 200},
        {"inverted, levelled", Picture,
         combined + QStringList{"--levels", "20,230,1.4", "--invert"}, false, true, 200},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        E2eDir d;
        ASSERT_TRUE(d.StartSimWith(row.picture(), {"--workpiece", d.File("work.png")}));
        const QStringList job = QStringList{"pic.bmp", "--forces", "40,30,20,10"} + row.options;

        const QStringList before = FilesIn(d.File(QString()));
        const CliResult preview = d.Cli(QStringList{"preview"} + job + QStringList{"-o", "p.png"});
        ASSERT_EQ(preview.exitCode, 0) << preview.err.toStdString();
        QStringList expected = before + QStringList{"p.png"};
        expected.sort();
        EXPECT_EQ(FilesIn(d.File(QString())), expected) << "no Zeb.ini, plan or dump";
        EXPECT_EQ(preview.out.count(
                      QRegularExpression("^pass \\d: ", QRegularExpression::MultilineOption)),
                  row.doublePass ? 2 : 1)
            << preview.out.toStdString();
        EXPECT_TRUE(d.Trace().isEmpty()); // nothing went to the machine

        const CliResult run = d.Cli(QStringList{"engrave", "--port", d.Port()} + job);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const auto [x, y] = Placement(run.out);
        const auto planned = PlannedDots(d.Read("123123123.txt"), x, y);
        ASSERT_GT(planned.size(), row.minDots);
        const auto strikes = d.Strikes();
        EXPECT_EQ(strikes.size(), planned.size() * (row.doublePass ? 2 : 1));
        EXPECT_EQ(StrikeProblems(planned, strikes, row.doublePass), QStringList());
        EXPECT_EQ(d.Trace().filter("ProgY_Motor 1B 41 60 11").isEmpty(), !row.splits);
        EXPECT_FALSE(d.Exists("ErorFile.txt"));
        EXPECT_FALSE(d.Exists("ErorProgress.txt"));

        d.StopSim();
        const QImage work(d.File("work.png"));
        ASSERT_FALSE(work.isNull());
        size_t struck = 0; // one pixel per dot, however often struck
        for (int py = 0; py < work.height(); ++py)
            for (int px = 0; px < work.width(); ++px)
                struck += qGray(work.pixel(px, py)) != 0;
        EXPECT_EQ(struck, planned.size());
        EXPECT_TRUE(QImage(d.File("p.png")) == work);
        if (row.doublePass)
            continue;
        // The plan the job wrote, at the place engrave told, is the same picture.
        const CliResult plan =
            d.Cli({"preview", "--plan", "123123123.txt", "--offset-x", QString::number(x),
                   "--offset-y", QString::number(y), "-o", "plan.png"});
        ASSERT_EQ(plan.exitCode, 0) << plan.err.toStdString();
        EXPECT_TRUE(QImage(d.File("plan.png")) == work);
    }
}

TEST(EndToEnd, APictureWithoutDotsEndsAtTheFirstTick) {
    E2eDir d;
    ASSERT_TRUE(d.StartSim());
    QImage black(12, 12, QImage::Format_RGB32);
    black.fill(Qt::black);
    black.save(d.File("black.bmp"), "BMP");
    const CliResult run = d.Cli({"engrave", "black.bmp", "--port", d.Port()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("done: 0 strike lines, 0 dots")) << run.out.toStdString();
    EXPECT_TRUE(d.Strikes().empty());
    EXPECT_FALSE(d.Exists("ErorFile.txt"));
    // The end of the job: print job closed, reset, head off.
    EXPECT_EQ(d.LastNames(3), QStringList({"EndPrint", "ResetError", "Off"}));
}

// An unfinished job of hand-written lines joined by '|': the resume runs it from its first
// strike line on a controller that saved nothing (position 0, 0). Forces 10, 20, 30, 40 for
// "8" .. "32".
void LayOutJob(const E2eDir& d, const QString& plan, int offsetX, int offsetY) {
    d.Write("123123123.txt", plan.toLatin1().replace('|', "\r\n") + "\r\n");
    d.Write("ErorFile.txt",
            QStringLiteral("%1\r\n%2\r\n%3\r\n10\r\n20\r\n30\r\n40\r\n0\r\n4\r\n8\r\n"
                           "12\r\n16\r\n0\r\n")
                .arg(d.File("gone.bmp"))
                .arg(offsetX)
                .arg(offsetY)
                .toLatin1());
}

TEST(EndToEnd, TheEdgesOfExecutionOnTheWire) {
    E2eDir d;
    ASSERT_TRUE(d.StartSim());
    const QString plan =
        QStringLiteral("|GoTo:      5    30|Down: |Knock: 1234|Up  : |GoTo:      2    50"
                       "|KBack: %1|GoTo:      3    70|KBack: %2|GoTo:      4    10"
                       "|Knock: 0000|Up  : ")
            .arg(QString(16, '2'), QString(17, '3') + "00");
    LayOutJob(d, plan, 100, 200);
    const CliResult run = d.Resume();
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    const auto planned = PlannedDots(d.Read("123123123.txt"), 100, 200);
    ASSERT_EQ(planned.size(), 4u + 16 + 17);
    EXPECT_EQ(StrikeProblems(planned, d.Strikes()), QStringList());

    const QStringList trace = d.Trace();
    qsizetype begin = trace.size();
    while (begin > 0 && !trace[begin - 1].startsWith("BeginPrint"))
        --begin;
    const QStringList job = trace.mid(begin).filter(QRegularExpression("^(?!data|Hi )"));
    const QStringList expected{
        "StepUp 1B 10 01 99", "Left 1B 12 00 81", "Put 1B FE 01 01", "PrintLine 1B 21 00 04",
        "Up 1B FF 01 01",
        // Three rows down: six steps and eight more, then four times two back up.
        "StepDown 1B 11 00 0D", "StepUp 1B 10 00 01", "StepUp 1B 10 00 01", "StepUp 1B 10 00 01",
        "StepUp 1B 10 00 01", "Left 1B 12 00 0F",
        // 16 digits go whole, 17 as 8 + 1 + 8 with the Y scale nudged.
        "PrintLine 1B 20 00 10", "StepUp 1B 10 00 01", "Left 1B 12 00 23",
        "ProgY_Motor 1B 41 60 11", "PrintLine 1B 20 00 08", "ProgY_Motor 1B 41 60 10",
        "PrintLine 1B 20 00 01", "ProgY_Motor 1B 41 60 0F", "PrintLine 1B 20 00 08",
        "ProgY_Motor 1B 41 60 10",
        // The all-zero line sends nothing.
        "StepUp 1B 10 00 01", "Right 1B 13 00 2A", "Up 1B FF 01 01", "EndPrint 1B 39 00 00",
        "ResetError 1B 00 00 00", "Off 1B FD 01 01"};
    EXPECT_EQ(job.join('\n'), expected.join('\n'));
}

TEST(EndToEnd, TheWorkedRecoveryExample) {
    E2eDir d;
    ASSERT_TRUE(d.StartSim());
    // A first job strikes "12" from column 10 of row 7 and ends there: the controller keeps
    // row 7, column 12 as its saved position.
    LayOutJob(d, "|GoTo:      7    10|Down: |Knock: 12", 0, 0);
    ASSERT_EQ(d.Resume().exitCode, 0);
    // The same line with all four digits, unfinished, without a progress record.
    LayOutJob(d, "|GoTo:      7    10|Down: |Knock: 1234|Up  : ", 0, 0);

    const CliResult run = d.Resume();
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(d.Read("123123123.txt"), "GoTo:      7    10\r\nDown: \r\nKnock: 0034\r\nUp  : \r\n");
    // Over both jobs "1234" struck once, each dot with its own force.
    EXPECT_EQ(
        StrikeProblems(PlannedDots("GoTo:      7    10\r\nKnock: 1234\r\n", 0, 0), d.Strikes()),
        QStringList());
}

TEST(EndToEnd, APictureOutsideTheFieldIsEngravedOnlyWithAllowOutside) {
    E2eDir d;
    ASSERT_TRUE(d.StartSimWith(Checks())); // 26 x 12 dots
    // A 20 x 12 field at resolution 0 (the field plus 10): centred, 3 dots over left and right.
    ASSERT_EQ(d.Cli({"settings", "--field", "10x2"}).exitCode, 0);
    const QByteArray settings = d.Read("Zeb.ini");

    const CliResult refused = d.Cli(d.EngraveArgs());
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains("Изображение выходит за рабочее поле: слева на 0.1 см, "
                                     "справа на 0.1 см. Такую работу нельзя"))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains("--allow-outside"));
    EXPECT_TRUE(d.Strikes().empty());
    for (const char* file : {"123123123.txt", "123Bm.txt", "ErorFile.txt", "ErorProgress.txt"})
        EXPECT_FALSE(d.Exists(file)) << file;
    EXPECT_EQ(d.Read("Zeb.ini"), settings);

    const CliResult run = d.Cli(d.EngraveArgs() << "--allow-outside");
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const auto [x, y] = Placement(run.out);
    EXPECT_EQ(x, -3);
    EXPECT_EQ(StrikeProblems(PlannedDots(d.Read("123123123.txt"), x, y), d.Strikes()),
              QStringList());
}

// Refused command lines write nothing; a picture that cannot be written fails the work
// without leaving it half-written.
TEST(EndToEnd, BadInputIsRefusedWithExitTwoAndWritesNothing) {
    E2eDir d;
    ASSERT_TRUE(d.StartSimWith(Rings()));
    d.Write("plan.txt", "\r\nGoTo:      1     1\r\nKnock: 12x\r\n");
    const QStringList files = FilesIn(d.File(QString()));
    ExpectRefused(
        d, {{{"engrave", "pic.bmp"}, "--port"},
            {{"engrave", "missing.bmp", "--port", "x"}, "no such file"},
            {{"engrave", "pic.bmp", "--port", "x", "--forces", "40,30,20"}, "F32,F24,F16,F8"},
            {{"engrave", "pic.bmp", "--port", "x", "--resolution", "9"}, "0..8"},
            {{"resume", "--port", "x"}, "no unfinished job"},
            {{"resume", "--port", "x", "--warm-up", "6"}, "0..5"},
            {{"preview", "pic.bmp"}, "-o OUT.png"},
            {{"preview", "-o", "p.png"}, "no PICTURE"},
            {{"preview", "pic.bmp", "--port", "x", "-o", "p.png"}, "unknown option \"--port\""},
            {{"preview", "missing.bmp", "-o", "p.png"}, "no such file"},
            {{"preview", "pic.bmp", "--forces", "0,1,2,3", "-o", "p.png"}, "1..200"},
            {{"preview", "pic.bmp", "--plan", "plan.txt", "-o", "p.png"}, "takes no PICTURE"},
            {{"preview", "--plan", "plan.txt", "--forces", "1,2,3,4", "-o", "p.png"}, "--forces"},
            {{"preview", "--plan", "plan.txt", "--offset-x", "a", "-o", "p.png"}, "--offset-x"},
            {{"preview", "--plan", "absent.txt", "-o", "p.png"}, "no such file"},
            {{"preview", "--plan", "plan.txt", "-o", "p.png"}, "строка 3"}});
    EXPECT_EQ(FilesIn(d.File(QString())), files);
    EXPECT_EQ(d.Cli({"preview", "pic.bmp", "-o", d.File("no/such/dir/p.png")}).exitCode, 1);
    // An unfinished job blocks a new one; a port nobody answers on is a failure.
    d.Write("ErorFile.txt", "x\r\n");
    EXPECT_EQ(d.Cli({"engrave", "pic.bmp", "--port", d.Port()}).exitCode, 2);
    EXPECT_EQ(d.Read("ErorFile.txt"), "x\r\n");
    QFile::remove(d.File("ErorFile.txt"));
    EXPECT_EQ(d.Cli({"engrave", "pic.bmp", "--port", d.File("nothing")}).exitCode, 1);
}

} // namespace
} // namespace zeb::testing
