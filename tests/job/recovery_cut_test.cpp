// Where an interrupted plan resumes: the scan for the saved head position, with and without
// the progress record, and the remaining plan it writes.

#include "job/plan_cut.h"
#include "job/plan_format.h"

#include <QStringList>

#include <climits>
#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

// Plan lines joined by '|'; a leading '|' is the plan's empty first line.
std::vector<PlanLine> Plan(const char* joined) {
    std::vector<PlanLine> lines;
    for (const QByteArray& text : QByteArray(joined).split('|')) {
        PlanLine line;
        line.number = static_cast<int>(lines.size()) + 1;
        line.text = text;
        const Result<PlanRecord> record = ParsePlanLine(text);
        EXPECT_TRUE(record) << text.constData();
        line.record = record ? *record : PlanRecord{};
        lines.push_back(line);
    }
    return lines;
}

// The text of lines joined by '|', each ended with CR LF; no lines, no text.
QByteArray Text(const char* joined) {
    return *joined ? QByteArray(joined).replace('|', "\r\n") + "\r\n" : QByteArray();
}

// A forward line on row 7 from column 10, then a backward one on row 8 from column 19 down.
const char* const TwoLines =
    "|GoTo:      7    10|Down: |Knock: 1234|Up  : |GoTo:      8    20|KBack: 4321";

TEST(RecoveryCut, ScansForTheSavedPosition) {
    const char* workedExample =
        "GoTo:      7    10|Down: |Knock: 0034|Up  : |GoTo:      8    20|KBack: 4321";
    const struct {
        const char* name;
        int row, column, offsetX, offsetY, resumeLine, passed;
        const char* expected;
    } rows[] = {
        {"the worked example: 1234 from 10, stopped at 12", 7, 12, 0, 0, 4, 2, workedExample},
        {"the same with the picture placed at 100, 50", 57, 112, 100, 50, 4, 2, workedExample},
        {"backward: the saved column was struck", 8, 18, 0, 0, 7, 2,
         "GoTo:      8    20|Down: |KBack: 0021"},
        {"the last dot struck", 7, 14, 0, 0, 4, 4,
         "GoTo:      7    10|Down: |Knock: 0000|Up  : |GoTo:      8    20|KBack: 4321"},
        {"at a move's end: the next line whole", 8, 20, 0, 0, 7, 0,
         "GoTo:      8    20|Down: |KBack: 4321"},
        {"home, before the first move: the whole plan", 0, 0, 0, 0, 4, 0, TwoLines + 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const PlanCut cut =
            CutPlan(Plan(TwoLines), {row.row, row.column}, row.offsetX, row.offsetY, {});
        EXPECT_EQ(cut.kind, CutKind::Cut);
        EXPECT_EQ(cut.text, Text(row.expected));
        EXPECT_EQ(cut.resumeLine, row.resumeLine);
        EXPECT_EQ(cut.digitsPassed, row.passed);
    }
    // A position on no line finds nothing.
    for (HeadPosition saved : {HeadPosition{9, 5}, HeadPosition{7, 9}, HeadPosition{8, 21}}) {
        const PlanCut cut = CutPlan(Plan(TwoLines), saved, 0, 0, {});
        EXPECT_EQ(cut.kind, CutKind::NotFound) << saved.row << "," << saved.column;
        EXPECT_TRUE(cut.text.isEmpty());
    }
}

TEST(RecoveryCut, TheProgressRecordSettlesAnAmbiguousPosition) {
    // The second line crosses the dots of the first (its "0"s at columns 10..13): both pass
    // over row 7, column 13; the second line had struck 8 of its 10 digits.
    const char* crossing =
        "|GoTo:      7    10|Down: |Knock: 1234|Up  : |GoTo:      7     5|Down: |Knock: 2200000003";
    // Without the record: the first line, its last dot and the whole second again.
    EXPECT_EQ(CutPlan(Plan(crossing), {7, 13}, 0, 0, {}).resumeLine, 4);
    const PlanCut known = CutPlan(Plan(crossing), {7, 13}, 0, 0, PlanProgress{8, true});
    EXPECT_EQ(known.kind, CutKind::Cut);
    EXPECT_EQ(known.text, Text("GoTo:      7     5|Down: |Knock: 0000000003"));
    EXPECT_EQ(known.digitsPassed, 8);
}

TEST(RecoveryCut, WithARecordThePositionDecidesFromTheRecordedLineOn) {
    // Lines 1..7 as above, then the needle raised as line 8. The approach to the backward
    // line runs from (7, 14) up to row 8 and right to column 20, over the line's own dots.
    const QByteArray plan = QByteArray(TwoLines) + "|Up  : ";
    const char* whole = plan.constData() + 1;
    const char* second = "GoTo:      8    20|Down: |KBack: 4321|Up  : ";
    const struct {
        const char* name;
        int line;
        bool begun;
        int row, column;
        CutKind kind;
        const char* expected;
        int resumeLine, passed;
    } rows[] = {
        {"a print job never opened: the plan as it is, wherever the head is", 0, false, 3, 3,
         CutKind::Whole, "", 0, 0},
        {"opened, the head at home", 0, true, 0, 0, CutKind::Cut, whole, 4, 0},
        {"on the way from home, up the rows", 0, true, 3, 0, CutKind::Cut, whole, 4, 0},
        {"on the way from home, along the row", 0, true, 7, 6, CutKind::Cut, whole, 4, 0},
        {"a record left at 0, the head inside the first line", 0, true, 7, 12, CutKind::Cut,
         "GoTo:      7    10|Down: |Knock: 0034|Up  : |GoTo:      8    20|KBack: 4321|Up  : ", 4,
         2},
        {"the record names the first line", 4, true, 7, 12, CutKind::Cut,
         "GoTo:      7    10|Down: |Knock: 0034|Up  : |GoTo:      8    20|KBack: 4321|Up  : ", 4,
         2},
        {"the needle raised, the head still at the line's end", 5, true, 7, 14, CutKind::Cut,
         second, 7, 0},
        {"the move to the second line, half way", 6, true, 8, 15, CutKind::Cut, second, 7, 0},
        {"the backward line named: its position on it counts", 7, true, 8, 17, CutKind::Cut,
         "GoTo:      8    20|Down: |KBack: 0001|Up  : ", 7, 3},
        {"the same position, the record one line earlier: the approach comes first", 5, true, 8, 17,
         CutKind::Cut, second, 7, 0},
        {"the last needle record, the head at the end: nothing left", 8, true, 8, 16, CutKind::Cut,
         "", 0, 0},
        {"never earlier than the record", 7, true, 7, 12, CutKind::NotFound, "", 0, 0},
        {"off every path", 4, true, 9, 5, CutKind::NotFound, "", 0, 0},
        {"a line past the plan's end", 12, true, 7, 12, CutKind::NotFound, "", 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const PlanCut cut = CutPlan(Plan(plan.constData()), {row.row, row.column}, 0, 0,
                                    PlanProgress{row.line, row.begun});
        EXPECT_EQ(cut.kind, row.kind);
        EXPECT_EQ(cut.text, Text(row.expected));
        EXPECT_EQ(cut.resumeLine, row.resumeLine);
        EXPECT_EQ(cut.digitsPassed, row.passed);
    }
}

TEST(RecoveryCut, AMoveToALowerRowPassesFourRowsBelowItsTarget) {
    // From the end of the first line (10, 7) down to row -2 at column 7, up to row 2, left to 3.
    const char* plan =
        "|GoTo:     10     5|Down: |Knock: 11|Up  : |GoTo:      2     3|Down: |Knock: 1";
    const char* last = "GoTo:      2     3|Down: |Knock: 1";
    // Row -1 comes back from the controller's 16-bit count as 32767.
    for (HeadPosition saved :
         {HeadPosition{9, 7}, HeadPosition{0, 7}, HeadPosition{32767, 7}, HeadPosition{2, 5}}) {
        const PlanCut cut = CutPlan(Plan(plan), saved, 0, 0, PlanProgress{6, true});
        EXPECT_EQ(cut.kind, CutKind::Cut) << saved.row << "," << saved.column;
        EXPECT_EQ(cut.text, Text(last)) << saved.row << "," << saved.column;
    }
    // Five rows below is off the path.
    EXPECT_EQ(CutPlan(Plan(plan), {32765, 7}, 0, 0, PlanProgress{6, true}).kind, CutKind::NotFound);
}

TEST(RecoveryCut, APlanReachingWhereTheControllerCannotReportIsNotCut) {
    const struct {
        const char* name;
        const char* plan;
        int offsetX, offsetY;
        int badLine; // 0: the plan is cut
    } rows[] = {
        {"X offset at the 32-bit limit", TwoLines, INT_MAX, 0, 2},
        {"Y offset at the 32-bit limit", TwoLines, 0, INT_MIN, 2},
        {"the largest row and column", "|GoTo:  32767 65534|Knock: 1", 0, 0, 0},
        {"one row more", "|GoTo:      1 65534|Knock: 1", 0, 32767, 2},
        {"a forward line past column 65535", "|GoTo:      1 65534|Knock: 11", 0, 0, 3},
        {"a backward line left of column 0", "|GoTo:      1     2|KBack: 1111", 0, 0, 3},
        {"a picture left of the field", "|GoTo:      1     2|Knock: 1", -3, 0, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (const std::optional<PlanProgress>& progress :
             {std::optional<PlanProgress>(), std::optional<PlanProgress>({0, true})}) {
            const PlanCut cut = CutPlan(Plan(row.plan), {0, 0}, row.offsetX, row.offsetY, progress);
            if (row.badLine == 0) {
                EXPECT_EQ(cut.kind, CutKind::Cut);
            } else {
                EXPECT_EQ(cut.kind, CutKind::OutOfRange);
                EXPECT_EQ(cut.badLine, row.badLine);
                EXPECT_TRUE(cut.text.isEmpty());
            }
        }
    }
}

} // namespace
} // namespace zeb::testing
