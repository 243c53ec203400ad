// Where an interrupted plan resumes: the scan for the saved head position, with and without
// the progress record, and the remaining plan it writes.

#include "job/plan_cut.h"
#include "job/plan_format.h"

#include <QStringList>
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
        line.record = ParsePlanLine(text).record;
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
    const PlanCut known = CutPlan(Plan(crossing), {7, 13}, 0, 0, 8);
    EXPECT_EQ(known.kind, CutKind::Cut);
    EXPECT_EQ(known.text, Text("GoTo:      7     5|Down: |Knock: 0000000003"));
    EXPECT_EQ(known.digitsPassed, 8);
}

TEST(RecoveryCut, WithARecordTheRunningLineDecides) {
    // Lines 1..7 as above, then the needle raised as line 8.
    const QByteArray plan = QByteArray(TwoLines) + "|Up  : ";
    const struct {
        const char* name;
        int inFlight, row, column;
        CutKind kind;
        const char* expected;
    } rows[] = {
        {"nothing sent: the plan as it is", 0, 3, 3, CutKind::Whole, ""},
        {"a move was running: the next line whole, wherever the head is", 6, 8, 33, CutKind::Cut,
         "GoTo:      8    20|Down: |KBack: 4321|Up  : "},
        {"the last needle record: nothing left", 8, 8, 16, CutKind::Cut, ""},
        {"a strike line not yet begun", 4, 7, 10, CutKind::Cut, plan.constData() + 1},
        {"the running line, off its path", 4, 8, 18, CutKind::NotFound, ""},
        {"a line past the plan's end", 12, 7, 12, CutKind::NotFound, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const PlanCut cut =
            CutPlan(Plan(plan.constData()), {row.row, row.column}, 0, 0, row.inFlight);
        EXPECT_EQ(cut.kind, row.kind);
        EXPECT_EQ(cut.text, Text(row.expected));
    }
}

} // namespace
} // namespace zeb::testing
