// BuildPlan as a job start runs it: the files it leaves in the start directory, byte for byte,
// and what it does when it cannot write a sound plan. Golden plans for a few small pictures
// live in tests/data/plan (see regenerate.sh there).
#include "job/plan_builder.h"
#include "job/plan_format.h"

#include "common/recording_operator.h"
#include "common/temp_dir.h"
#include "job/plan_pictures.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace zeb {
namespace {

using testing::BlackPicture;
using testing::GridPicture;
using testing::PlanLines;
using testing::SetRun;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "(missing)";
    return file.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(PlanFiles, WritesPlanAndDumpInTheStartDirectory) {
    testing::ScopedStartDirectory dir;
    PictureMatrices m = GridPicture({"..", ".4"});
    m.DotMap.At(2, 2) = 7;
    m.DotMap.At(1, 1) = 255;
    testing::RecordingOperator op;
    const PlanOutcome outcome = BuildPlan(m, dir.Path(), PassMode::TwoSided, op);
    ASSERT_TRUE(outcome.Ok()) << outcome.error.toStdString();
    // Only (1, 1) is searched for seeds in a 2 x 2 picture; its area reaches (2, 2), and
    // (1, 1) itself, of level 0, is trimmed away.
    const QByteArray plan = PlanLines({"", "GoTo:      2     2", "Down: ", "Knock: 4", "Up  : "});
    EXPECT_EQ(ReadAll(dir.File("123123123.txt")).toStdString(), plan.toStdString());
    EXPECT_EQ(outcome.planBytes, plan.size());
    // Rows 0..3 of DotMap, columns 0..3, four characters a cell, after an empty line.
    const QByteArray dump = PlanLines(
        {"", "   0   0   0   0", "   0 255   0   0", "   0   0   7   0", "   0   0   0   0"});
    EXPECT_EQ(ReadAll(dir.File("123Bm.txt")).toStdString(), dump.toStdString());
    EXPECT_EQ(outcome.dumpBytes, dump.size());
    EXPECT_EQ(outcome.areas, 1);
}

TEST(PlanFiles, DumpKeepsValuesWiderThanFourCharacters) {
    testing::ScopedStartDirectory dir;
    PictureMatrices m = BlackPicture(1, 1);
    m.DotMap.At(0, 0) = 12345;
    m.DotMap.At(0, 1) = -5;
    m.DotMap.At(1, 2) = -1234;
    testing::RecordingOperator op;
    ASSERT_TRUE(BuildPlan(m, dir.Path(), PassMode::TwoSided, op).Ok());
    EXPECT_EQ(ReadAll(dir.File("123Bm.txt")).toStdString(),
              PlanLines({"", "12345  -5   0", "   0   0-1234", "   0   0   0"}).toStdString());
}

TEST(PlanFiles, EmptyPictureGivesAnEmptyPlanFile) {
    testing::ScopedStartDirectory dir;
    WriteAll(dir.File("123123123.txt"), "an old plan\r\n");
    PictureMatrices m = BlackPicture(3, 2);
    testing::RecordingOperator op;
    ASSERT_TRUE(BuildPlan(m, dir.Path(), PassMode::TwoSided, op).Ok());
    EXPECT_EQ(ReadAll(dir.File("123123123.txt")), QByteArray());
}

// A picture over 100 000 dots wide whose one-sided approach column falls below -99999.
PictureMatrices TooWideForMoveFields() {
    const int w = 100051;
    PictureMatrices m = BlackPicture(w, 3);
    SetRun(m, 1, 1, 1, '4');
    SetRun(m, 1, 2, w - 1, '0');
    SetRun(m, 2, 1, w - 2, '0');
    SetRun(m, 2, w - 1, w - 1, '4');
    return m;
}

TEST(PlanFiles, CoordinateTooWideIsRefusedAndTheOldPlanStays) {
    testing::ScopedStartDirectory dir;
    WriteAll(dir.File("123123123.txt"), "\r\nGoTo:      1     1\r\n");
    PictureMatrices m = TooWideForMoveFields();
    testing::RecordingOperator op;
    const PlanOutcome outcome = BuildPlan(m, dir.Path(), PassMode::OneSided, op);
    EXPECT_FALSE(outcome.Ok());
    EXPECT_TRUE(outcome.error.contains("100051 x 3")) << outcome.error.toStdString();
    EXPECT_TRUE(outcome.error.contains("-100028")) << outcome.error.toStdString();
    EXPECT_EQ(ReadAll(dir.File("123123123.txt")), "\r\nGoTo:      1     1\r\n");
    // Two-sided it turns into the next row from the right: every move fits, and both dots
    // are still there to strike.
    const PlanOutcome twoSided = BuildPlan(m, dir.Path(), PassMode::TwoSided, op);
    EXPECT_TRUE(twoSided.Ok());
    EXPECT_EQ(ReadAll(dir.File("123123123.txt")).toStdString(),
              PlanLines({"", "GoTo:      1     1", "Down: ", "Knock: 4", "GoTo:      2100051",
                         "KBack: 4", "Up  : "})
                  .toStdString());
    EXPECT_EQ(m.DotLevels.At(1, 2), -1.0);
    EXPECT_EQ(m.DotLevels.At(2, 100051), -1.0);
}

TEST(PlanFiles, UnwritableDirectoryIsNamed) {
    testing::ScopedStartDirectory dir;
    PictureMatrices m = GridPicture({"....", ".4..", "...."});
    testing::RecordingOperator op;
    const QString missing = dir.File("gone");
    const PlanOutcome outcome = BuildPlan(m, missing, PassMode::TwoSided, op);
    EXPECT_FALSE(outcome.Ok());
    EXPECT_TRUE(outcome.error.contains("gone")) << outcome.error.toStdString();
    EXPECT_EQ(m.DotLevels.At(2, 3), 255.0) << "a plan that was not kept marks nothing";
}

// Golden plans: each NAME.grid in tests/data/plan is planned in both passes and compared with
// NAME.two-sided.txt and NAME.one-sided.txt; NAME.dump.txt, where present, with the dump.
QString GoldenDir() {
    return QStringLiteral(ZEB_TEST_DATA "/plan");
}

PictureMatrices GridFromFile(const QString& path) {
    std::vector<std::string> rows;
    for (const QByteArray& line : ReadAll(path).split('\n')) {
        const QByteArray row = line.trimmed();
        if (!row.isEmpty())
            rows.push_back(row.toStdString());
    }
    return GridPicture(rows);
}

TEST(PlanGolden, PlansMatchTheGoldenFiles) {
    const bool regenerate = qEnvironmentVariableIsSet("ZEB_REGENERATE_GOLDEN");
    const QStringList grids = QDir(GoldenDir()).entryList({"*.grid"}, QDir::Files);
    ASSERT_GE(grids.size(), 3);
    for (const QString& grid : grids) {
        const QString name = GoldenDir() + "/" + grid.chopped(5);
        for (PassMode pass : {PassMode::TwoSided, PassMode::OneSided}) {
            testing::ScopedStartDirectory dir;
            PictureMatrices m = GridFromFile(GoldenDir() + "/" + grid);
            testing::RecordingOperator op;
            ASSERT_TRUE(BuildPlan(m, dir.Path(), pass, op).Ok());
            const QString golden =
                name + (pass == PassMode::TwoSided ? ".two-sided.txt" : ".one-sided.txt");
            const QByteArray plan = ReadAll(dir.File(PlanFileName));
            const QString dumpGolden = name + ".dump.txt";
            if (regenerate) {
                WriteAll(golden, plan);
                continue;
            }
            EXPECT_EQ(plan.toStdString(), ReadAll(golden).toStdString()) << golden.toStdString();
            if (QFile::exists(dumpGolden)) {
                EXPECT_EQ(ReadAll(dir.File(DotMapDumpFileName)).toStdString(),
                          ReadAll(dumpGolden).toStdString());
            }
        }
    }
}

} // namespace
} // namespace zeb
