// Plan files: the records as the planner writes them and as every reader takes them apart,
// the files BuildPlan leaves in the start directory, byte for byte, and what it does when it
// cannot write a sound plan. Golden plans for a few small pictures live in tests/data/plan
// (see regenerate.sh there).
#include "job/plan_builder.h"
#include "job/plan_format.h"
#include "job/plan_reader.h"
#include "job/plan_text_reader.h"

#include "common/recording_operator.h"
#include "common/temp_dir.h"
#include "job/plan_pictures.h"

#include <QDir>
#include <gtest/gtest.h>

namespace zeb {
namespace {

using testing::BlackPicture;
using testing::GridPicture;
using testing::PlanLines;
using testing::ReadAll;
using testing::WriteAll;

TEST(PlanFormat, ParsesEveryKindOfLine) {
    using K = PlanRecordKind;
    const struct {
        const char* line;
        PlanRecordKind kind;
        bool bad;
        int row, column;
        const char* digits;
    } cases[] = {
        {"", K::Other, false, 0, 0, ""},
        {"Up : ", K::Other, false, 0, 0, ""},
        {"GoTo:     -4    30", K::Move, false, -4, 30, ""},
        {"GoTo: 999999-99999", K::Move, false, 999999, -99999, ""},
        {"GoTo:      x     3", K::Move, true, 0, 0, ""},
        {"GoTo:     2      3", K::Move, true, 0, 0, ""}, // not right-aligned
        {"GoTo:      2", K::Move, true, 0, 0, ""},       // cut short
        {"GoTo:      2     3 ", K::Move, true, 0, 0, ""},
        {"Down:", K::NeedleDown, false, 0, 0, ""},
        {"Up  : ", K::NeedleUp, false, 0, 0, ""},
        {"Knock: ", K::Forward, false, 0, 0, ""},
        {"KBack: 0430", K::Backward, false, 0, 0, "0430"},
        {"Knock: 12a4", K::Forward, true, 0, 0, ""},
        {"Knock:12", K::Forward, true, 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const Result<PlanRecord> parsed = ParsePlanLine(c.line);
        EXPECT_EQ(!parsed, c.bad);
        if (!parsed) {
            // A bad record is refused as the kind of record it is.
            EXPECT_TRUE(parsed.Message().contains(c.kind == K::Move ? "перемещения" : "удара"))
                << parsed.Message().toStdString();
        } else {
            EXPECT_EQ(parsed->kind, c.kind);
            EXPECT_EQ(parsed->row, c.row);
            EXPECT_EQ(parsed->column, c.column);
            EXPECT_EQ(parsed->digits, QByteArray(c.digits));
        }
    }
}

// What a reader gets through: the lines before it stops, and why it stopped, if it did.
struct ReadThrough {
    size_t lines = 0;
    QString error;
};

template <class Reader>
ReadThrough ReadLineByLine(Reader& reader) {
    ReadThrough through;
    for (;;) {
        const Result<std::optional<PlanLine>> line = reader.Next();
        if (!line)
            through.error = line.Message();
        if (!line || !*line)
            return through;
        ++through.lines;
    }
}

// The whole message of a bad plan line, as the operator reads it: the plan and line named in
// front, then what is wrong with the record, its numbers in their places.
TEST(PlanTextReader, TellsTheBadLineInFull) {
    const struct {
        QByteArray text;
        const char* message;
    } cases[] = {
        {"GoTo:      2\r\n",
         "План задания, строка 1: запись перемещения должна занимать 18 знаков, а занимает 12"},
        {"Down: \r\nGoTo:      x     3\r\n",
         "План задания, строка 2: в записи перемещения строка или столбец не число"},
        {"\r\nUp  : \r\nKnock:12\r\n",
         "План задания, строка 3: строка удара должна начинаться с \"Knock: \""},
        {"KBack: 0450\r\n", "План задания, строка 1: в строке удара допустимы только цифры 0..4"},
        {"Down: \r\nUp  : ", "План задания, строка 2: план обрывается внутри строки"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.constData());
        PlanTextReader reader(c.text, QStringLiteral("задания"));
        EXPECT_EQ(ReadLineByLine(reader).error.toStdString(), std::string(c.message));
    }
}

ReadThrough ReadLineByLine(const QString& path) {
    PlanReader reader(path);
    if (const Outcome opened = reader.Open(); !opened)
        return {0, opened.Message()};
    return ReadLineByLine(reader);
}

TEST(PlanReader, ReadsUpToTheFirstBadLineAndNamesFileAndLine) {
    testing::ScopedStartDirectory dir;
    const QString path = dir.File("123123123.txt");
    const struct {
        QByteArray bytes;
        QString error; // a part of the message, or empty
        size_t lines;
    } cases[] = {
        {"", "", 0},
        {"\r\nGoTo:      1     4\r\nDown: \r\nKnock: 49\r\nUp  : \r\n", "строка 4", 3},
        {"\r\nGoTo:      1     4\r\nKnock: 44", "строка 3", 2}, // cut inside a line
        {"\r\nGoTo:      1     4\r\nDown: \r\nKnock: 4400\r\nUp  : \r\n", "", 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.constData());
        testing::WriteAll(path, c.bytes);
        const ReadThrough plan = ReadLineByLine(path);
        EXPECT_EQ(plan.lines, c.lines) << "the lines before a bad one are read";
        if (c.error.isEmpty()) {
            EXPECT_EQ(plan.error, QString());
        } else {
            EXPECT_TRUE(plan.error.contains(c.error) && plan.error.contains("123123123.txt"))
                << plan.error.toStdString();
            EXPECT_EQ(ReadPlan(path).Message(), plan.error) << "the whole plan is refused";
        }
    }
    const Result<std::vector<PlanLine>> plan = ReadPlan(path); // the last file, read whole
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->size(), 5u);
    EXPECT_EQ((*plan)[1].number, 2);
    EXPECT_EQ((*plan)[1].record.row, 1);
    EXPECT_EQ((*plan)[3].text, "Knock: 4400");
    EXPECT_EQ((*plan)[3].record.digits, "4400") << "recovery sees every digit";
}

Result<PlanFiles> Build(PictureMatrices& m, const QString& dir,
                        PassMode pass = PassMode::TwoSided) {
    testing::RecordingOperator op;
    return BuildPlan(m, dir, pass, op);
}

TEST(PlanFiles, WritesPlanAndDumpInTheStartDirectory) {
    testing::ScopedStartDirectory dir;
    PictureMatrices m = GridPicture({"..", ".4"});
    m.DotMap.At(2, 2) = 7;
    m.DotMap.At(1, 1) = 255;
    const Result<PlanFiles> outcome = Build(m, dir.Path());
    ASSERT_TRUE(outcome) << outcome.Message().toStdString();
    // Only (1, 1) is searched for seeds in a 2 x 2 picture; its area reaches (2, 2), and
    // (1, 1) itself, of level 0, is trimmed away.
    const QByteArray plan = PlanLines({"", "GoTo:      2     2", "Down: ", "Knock: 4", "Up  : "});
    EXPECT_EQ(ReadAll(dir.File("123123123.txt")), plan.toStdString());
    EXPECT_EQ(outcome->planBytes, plan.size());
    // Rows 0..3 of DotMap, columns 0..3, four characters a cell, after an empty line.
    const QByteArray dump = PlanLines(
        {"", "   0   0   0   0", "   0 255   0   0", "   0   0   7   0", "   0   0   0   0"});
    EXPECT_EQ(ReadAll(dir.File("123Bm.txt")), dump.toStdString());
    EXPECT_EQ(outcome->dumpBytes, dump.size());
    EXPECT_EQ(outcome->areas, 1);

    // Values wider than four characters are written whole.
    m = BlackPicture(1, 1);
    m.DotMap.At(0, 0) = 12345;
    m.DotMap.At(0, 1) = -5;
    m.DotMap.At(1, 2) = -1234;
    ASSERT_TRUE(Build(m, dir.Path()));
    EXPECT_EQ(ReadAll(dir.File("123Bm.txt")),
              PlanLines({"", "12345  -5   0", "   0   0-1234", "   0   0   0"}).toStdString());
    EXPECT_EQ(ReadAll(dir.File("123123123.txt")), "") << "nothing to strike, an empty plan";
}

TEST(PlanFiles, CoordinateTooWideIsRefusedAndTheOldPlanStays) {
    testing::ScopedStartDirectory dir;
    WriteAll(dir.File("123123123.txt"), "\r\nGoTo:      1     1\r\n");
    // Over 100 000 dots wide: the one-sided approach column would fall below -99999.
    const int w = 100051;
    PictureMatrices m = BlackPicture(w, 3);
    testing::SetRun(m, 1, 1, 1, '4');
    testing::SetRun(m, 1, 2, w - 1, '0');
    testing::SetRun(m, 2, 1, w - 2, '0');
    testing::SetRun(m, 2, w - 1, w - 1, '4');
    const Result<PlanFiles> outcome = Build(m, dir.Path(), PassMode::OneSided);
    EXPECT_FALSE(outcome);
    EXPECT_TRUE(outcome.Message().contains("100051 x 3")) << outcome.Message().toStdString();
    EXPECT_TRUE(outcome.Message().contains("-100028")) << outcome.Message().toStdString();
    EXPECT_EQ(ReadAll(dir.File("123123123.txt")), "\r\nGoTo:      1     1\r\n");
    // Two-sided it turns into the next row from the right: every move fits, and both dots
    // are still there to strike.
    EXPECT_TRUE(Build(m, dir.Path()));
    EXPECT_EQ(ReadAll(dir.File("123123123.txt")),
              PlanLines({"", "GoTo:      1     1", "Down: ", "Knock: 4", "GoTo:      2100051",
                         "KBack: 4", "Up  : "})
                  .toStdString());
    EXPECT_EQ(m.DotLevels.At(1, 2), -1.0);
    EXPECT_EQ(m.DotLevels.At(2, 100051), -1.0);
}

TEST(PlanFiles, UnwritableDirectoryIsNamed) {
    testing::ScopedStartDirectory dir;
    PictureMatrices m = GridPicture({"....", ".4..", "...."});
    const Result<PlanFiles> outcome = Build(m, dir.File("gone"));
    EXPECT_FALSE(outcome);
    EXPECT_TRUE(outcome.Message().contains("gone")) << outcome.Message().toStdString();
    EXPECT_EQ(m.DotLevels.At(2, 3), 255.0) << "a plan that was not kept marks nothing";
}

// Golden plans: each NAME.grid in tests/data/plan is planned in both passes and compared with
// NAME.two-sided.txt and NAME.one-sided.txt; NAME.dump.txt, where present, with the dump.
TEST(PlanGolden, PlansMatchTheGoldenFiles) {
    const QString golden = QStringLiteral(ZEB_TEST_DATA "/plan/");
    const bool regenerate = qEnvironmentVariableIsSet("ZEB_REGENERATE_GOLDEN");
    const QStringList grids = QDir(golden).entryList({"*.grid"}, QDir::Files);
    ASSERT_GE(grids.size(), 3);
    for (const QString& grid : grids) {
        std::vector<std::string> rows;
        for (const QString& row : QString::fromStdString(ReadAll(golden + grid)).split('\n')) {
            if (!row.trimmed().isEmpty())
                rows.push_back(row.trimmed().toStdString());
        }
        const QString name = golden + grid.chopped(5);
        for (PassMode pass : {PassMode::TwoSided, PassMode::OneSided}) {
            testing::ScopedStartDirectory dir;
            PictureMatrices m = GridPicture(rows);
            ASSERT_TRUE(Build(m, dir.Path(), pass));
            const QString expected =
                name + (pass == PassMode::TwoSided ? ".two-sided.txt" : ".one-sided.txt");
            const std::string plan = ReadAll(dir.File(PlanFileName));
            if (regenerate) {
                WriteAll(expected, QByteArray::fromStdString(plan));
                continue;
            }
            EXPECT_EQ(plan, ReadAll(expected)) << expected.toStdString();
            if (QFile::exists(name + ".dump.txt")) {
                EXPECT_EQ(ReadAll(dir.File(DotMapDumpFileName)), ReadAll(name + ".dump.txt"));
            }
        }
    }
}

} // namespace
} // namespace zeb
