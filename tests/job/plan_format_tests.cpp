// Plan records as the planner writes them and as every reader takes them apart.
#include "job/plan_format.h"
#include "job/plan_reader.h"

#include "common/temp_dir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace zeb {
namespace {

TEST(PlanFormat, MoveRecordsHaveTwoFieldsOfSixCharacters) {
    EXPECT_EQ(MoveRecord(2, 3).value(), "GoTo:      2     3");
    EXPECT_EQ(MoveRecord(-4, 30).value(), "GoTo:     -4    30");
    EXPECT_EQ(MoveRecord(0, 0).value(), "GoTo:      0     0");
    EXPECT_EQ(MoveRecord(999999, -99999).value(), "GoTo: 999999-99999");
    EXPECT_FALSE(MoveRecord(1000000, 0).has_value());
    EXPECT_FALSE(MoveRecord(0, -100000).has_value());
}

TEST(PlanFormat, OtherRecordTexts) {
    EXPECT_EQ(NeedleDownRecord(), "Down: ");
    EXPECT_EQ(NeedleUpRecord(), "Up  : ");
    EXPECT_EQ(StrikeRecord(true, "1204"), "Knock: 1204");
    EXPECT_EQ(StrikeRecord(false, "0430"), "KBack: 0430");
}

struct LineCase {
    const char* line;
    PlanRecordKind kind;
    bool bad;
    int row;
    int column;
    const char* digits;
};

TEST(PlanFormat, ParsesEveryKindOfLine) {
    using K = PlanRecordKind;
    const LineCase cases[] = {
        {"", K::Other, false, 0, 0, ""},
        {"Hello", K::Other, false, 0, 0, ""},
        {"GoTo:      2     3", K::Move, false, 2, 3, ""},
        {"GoTo:     -4    30", K::Move, false, -4, 30, ""},
        {"GoTo: 999999-99999", K::Move, false, 999999, -99999, ""},
        {"GoTo:      x     3", K::Move, true, 0, 0, ""},
        {"GoTo:      2      ", K::Move, true, 0, 0, ""},
        {"GoTo:      -     3", K::Move, true, 0, 0, ""},
        {"GoTo:     2      3", K::Move, true, 0, 0, ""}, // not right-aligned
        {"GoTo:      2", K::Move, true, 0, 0, ""},       // cut short
        {"GoTo:      2     3 ", K::Move, true, 0, 0, ""},
        {"Down: ", K::NeedleDown, false, 0, 0, ""},
        {"Down:", K::NeedleDown, false, 0, 0, ""},
        {"Up  : ", K::NeedleUp, false, 0, 0, ""},
        {"Up : ", K::Other, false, 0, 0, ""},
        {"Knock: 1204", K::Forward, false, 0, 0, "1204"},
        {"Knock: ", K::Forward, false, 0, 0, ""},
        {"KBack: 0430", K::Backward, false, 0, 0, "0430"},
        {"Knock: 12a4", K::Forward, true, 0, 0, ""},
        {"KBack: 5", K::Backward, true, 0, 0, ""},
        {"Knock:12", K::Forward, true, 0, 0, ""},
    };
    for (const auto& c : cases) {
        const ParsedPlanLine parsed = ParsePlanLine(c.line);
        EXPECT_EQ(parsed.record.kind, c.kind) << c.line;
        EXPECT_EQ(!parsed.error.isEmpty(), c.bad) << c.line;
        if (c.bad)
            continue;
        EXPECT_EQ(parsed.record.row, c.row) << c.line;
        EXPECT_EQ(parsed.record.column, c.column) << c.line;
        EXPECT_EQ(parsed.record.digits, QByteArray(c.digits)) << c.line;
    }
}

TEST(PlanFormat, StruckDigitsDropOnlyTrailingZeros) {
    EXPECT_EQ(StruckDigits("1200"), "12");
    EXPECT_EQ(StruckDigits("0102"), "0102");
    EXPECT_EQ(StruckDigits("000"), "");
    EXPECT_EQ(StruckDigits(""), "");
}

QString WriteFile(const testing::ScopedStartDirectory& dir, const QByteArray& bytes) {
    const QString path = dir.File("123123123.txt");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

TEST(PlanReader, ReadsLinesWithTheirNumbersAndTexts) {
    testing::ScopedStartDirectory dir;
    const PlanContents plan =
        ReadPlan(WriteFile(dir, "\r\nGoTo:      1     4\r\nDown: \r\nKnock: 4400\r\nUp  : \r\n"));
    ASSERT_EQ(plan.error, QString());
    ASSERT_EQ(plan.lines.size(), 5u);
    EXPECT_EQ(plan.lines[0].record.kind, PlanRecordKind::Other);
    EXPECT_EQ(plan.lines[1].number, 2);
    EXPECT_EQ(plan.lines[1].record.row, 1);
    EXPECT_EQ(plan.lines[3].text, "Knock: 4400");
    EXPECT_EQ(plan.lines[3].record.digits, "4400") << "recovery sees every digit";
    EXPECT_EQ(plan.lines[4].record.kind, PlanRecordKind::NeedleUp);
}

TEST(PlanReader, EmptyFileIsAnEmptyPlan) {
    testing::ScopedStartDirectory dir;
    const PlanContents plan = ReadPlan(WriteFile(dir, ""));
    EXPECT_EQ(plan.error, QString());
    EXPECT_TRUE(plan.lines.empty());
}

TEST(PlanReader, StopsAtABadLineNamingFileAndLine) {
    testing::ScopedStartDirectory dir;
    const PlanContents plan =
        ReadPlan(WriteFile(dir, "\r\nGoTo:      1     4\r\nDown: \r\nKnock: 49\r\nUp  : \r\n"));
    EXPECT_TRUE(plan.error.contains("123123123.txt")) << plan.error.toStdString();
    EXPECT_TRUE(plan.error.contains("строка 4")) << plan.error.toStdString();
    EXPECT_EQ(plan.lines.size(), 3u) << "the lines before it";
}

TEST(PlanReader, FileCutInsideALineIsRefused) {
    testing::ScopedStartDirectory dir;
    const PlanContents plan = ReadPlan(WriteFile(dir, "\r\nGoTo:      1     4\r\nKnock: 44"));
    EXPECT_TRUE(plan.error.contains("строка 3")) << plan.error.toStdString();
    EXPECT_EQ(plan.lines.size(), 2u);
}

} // namespace
} // namespace zeb
