// zeb-cli preview against whole jobs on zeb-sim: the picture it writes before the job is the
// simulator's workpiece after it, pixel for pixel; and nothing but that picture is written.
#include "e2e/e2e_rig.h"

#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

TEST(EndToEnd, ThePreviewIsTheWorkpiece) {
    struct Row {
        const char* name;
        QStringList options;
        bool doublePass;
    };
    const Row rows[] = {
        {"portrait, two-sided", {"--mode", "combined"}, false},
        {"text, one-sided", {"--text", "--one-sided"}, false},
        {"double pass", {"--mode", "combined", "--second-pass", "16,12,8,4"}, true},
        {"inverted, levelled", {"--mode", "combined", "--levels", "20,230,1.4", "--invert"}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        E2eDir d;
        ASSERT_TRUE(d.StartSimWith(Picture(), {"--workpiece", d.File("work.png")}));
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
        d.StopSim();
        const QImage work(d.File("work.png"));
        ASSERT_FALSE(work.isNull());
        int struck = 0;
        for (int y = 0; y < work.height(); ++y)
            for (int x = 0; x < work.width(); ++x)
                struck += qGray(work.pixel(x, y)) != 0;
        EXPECT_GT(struck, 200);
        EXPECT_TRUE(QImage(d.File("p.png")) == work);

        if (row.doublePass)
            continue;
        // The plan the job wrote, at the place engrave told, is the same picture.
        const auto [x, y] = Placement(run.out);
        const CliResult plan =
            d.Cli({"preview", "--plan", "123123123.txt", "--offset-x", QString::number(x),
                   "--offset-y", QString::number(y), "-o", "plan.png"});
        ASSERT_EQ(plan.exitCode, 0) << plan.err.toStdString();
        EXPECT_TRUE(QImage(d.File("plan.png")) == work);
    }
}

TEST(EndToEnd, PreviewRefusesBadUsageAndWritesNothing) {
    E2eDir d;
    ASSERT_TRUE(Picture().save(d.File("pic.bmp"), "BMP"));
    d.Write("plan.txt", "\r\nGoTo:      1     1\r\nKnock: 12x\r\n");
    ExpectRefused(
        d, {{{"preview", "pic.bmp"}, "-o OUT.png"},
            {{"preview", "-o", "p.png"}, "no PICTURE"},
            {{"preview", "pic.bmp", "--port", "x", "-o", "p.png"}, "unknown option \"--port\""},
            {{"preview", "missing.bmp", "-o", "p.png"}, "no such file"},
            {{"preview", "pic.bmp", "--forces", "0,1,2,3", "-o", "p.png"}, "1..200"},
            {{"preview", "pic.bmp", "--plan", "plan.txt", "-o", "p.png"}, "takes no PICTURE"},
            {{"preview", "--plan", "plan.txt", "--forces", "1,2,3,4", "-o", "p.png"}, "--forces"},
            {{"preview", "--plan", "plan.txt", "--offset-x", "a", "-o", "p.png"}, "--offset-x"},
            {{"preview", "--plan", "absent.txt", "-o", "p.png"}, "no such file"},
            {{"preview", "--plan", "plan.txt", "-o", "p.png"}, "строка 3"}});
    EXPECT_EQ(FilesIn(d.File(QString())), QStringList({"pic.bmp", "plan.txt"}));
    // A picture that cannot be written: the work failed, nothing is left half-written.
    const CliResult run = d.Cli({"preview", "pic.bmp", "-o", d.File("no/such/dir/p.png")});
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
}

} // namespace
} // namespace zeb::testing
