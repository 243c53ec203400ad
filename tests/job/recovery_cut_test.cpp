// Where an interrupted plan resumes: the scan for the saved head position, with and without
// the progress record, and the remaining plan it writes.

#include "job/plan_cut.h"
#include "job/plan_format.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

std::vector<PlanLine> Plan(const QStringList& texts) {
    std::vector<PlanLine> lines;
    for (const QString& text : texts) {
        PlanLine line;
        line.number = static_cast<int>(lines.size()) + 1;
        line.text = text.toLatin1();
        line.record = ParsePlanLine(line.text).record;
        lines.push_back(line);
    }
    return lines;
}

QByteArray Text(const QStringList& lines) {
    QByteArray text;
    for (const QString& line : lines)
        text += line.toLatin1() + "\r\n";
    return text;
}

// A forward line on row 7 from column 10, then a backward one on row 8 from column 19 down.
const QStringList TwoLines{"",       "GoTo:      7    10", "Down: ",     "Knock: 1234",
                           "Up  : ", "GoTo:      8    20", "KBack: 4321"};

TEST(RecoveryCut, ScansForTheSavedPosition) {
    struct Row {
        const char* name;
        HeadPosition saved;
        int offsetX;
        int offsetY;
        QStringList expected;
        int resumeLine;
        int passed;
    };
    const Row rows[] = {
        {"the worked example: 1234 from 10, stopped at 12",
         {7, 12},
         0,
         0,
         {"GoTo:      7    10", "Down: ", "Knock: 0034", "Up  : ", "GoTo:      8    20",
          "KBack: 4321"},
         4,
         2},
        {"the same with the picture placed at 100, 50",
         {57, 112},
         100,
         50,
         {"GoTo:      7    10", "Down: ", "Knock: 0034", "Up  : ", "GoTo:      8    20",
          "KBack: 4321"},
         4,
         2},
        {"backward: the saved column was struck",
         {8, 18},
         0,
         0,
         {"GoTo:      8    20", "Down: ", "KBack: 0021"},
         7,
         2},
        {"the last dot struck",
         {7, 14},
         0,
         0,
         {"GoTo:      7    10", "Down: ", "Knock: 0000", "Up  : ", "GoTo:      8    20",
          "KBack: 4321"},
         4,
         4},
        {"at a move's end: the next line whole",
         {8, 20},
         0,
         0,
         {"GoTo:      8    20", "Down: ", "KBack: 4321"},
         7,
         0},
        {"home, before the first move: the whole plan",
         {0, 0},
         0,
         0,
         {"GoTo:      7    10", "Down: ", "Knock: 1234", "Up  : ", "GoTo:      8    20",
          "KBack: 4321"},
         4,
         0},
    };
    for (const Row& row : rows) {
        const PlanCut cut = CutPlan(Plan(TwoLines), row.saved, row.offsetX, row.offsetY, {});
        EXPECT_EQ(cut.kind, CutKind::Cut) << row.name;
        EXPECT_EQ(cut.text, Text(row.expected)) << row.name;
        EXPECT_EQ(cut.resumeLine, row.resumeLine) << row.name;
        EXPECT_EQ(cut.digitsPassed, row.passed) << row.name;
    }
}

TEST(RecoveryCut, APositionOnNoLineFindsNothing) {
    for (HeadPosition saved : {HeadPosition{9, 5}, HeadPosition{7, 9}, HeadPosition{8, 21}}) {
        const PlanCut cut = CutPlan(Plan(TwoLines), saved, 0, 0, {});
        EXPECT_EQ(cut.kind, CutKind::NotFound) << saved.row << "," << saved.column;
        EXPECT_TRUE(cut.text.isEmpty());
    }
}

TEST(RecoveryCut, TheProgressRecordSettlesAnAmbiguousPosition) {
    // The second line crosses the dots of the first (its "0"s at columns 10..13): both pass
    // over row 7, column 13.
    const QStringList crossing{"",       "GoTo:      7    10", "Down: ", "Knock: 1234",
                               "Up  : ", "GoTo:      7     5", "Down: ", "Knock: 2200000003"};
    const HeadPosition saved{7, 13}; // the second line had struck 8 of its 10 digits

    const PlanCut guessed = CutPlan(Plan(crossing), saved, 0, 0, {});
    EXPECT_EQ(guessed.resumeLine, 4); // the first line: its last dot and the whole second again

    const PlanCut known = CutPlan(Plan(crossing), saved, 0, 0, 8);
    EXPECT_EQ(known.kind, CutKind::Cut);
    EXPECT_EQ(known.text, Text({"GoTo:      7     5", "Down: ", "Knock: 0000000003"}));
    EXPECT_EQ(known.digitsPassed, 8);
}

TEST(RecoveryCut, WithARecordTheRunningLineDecides) {
    struct Row {
        const char* name;
        int inFlight;
        HeadPosition saved;
        CutKind kind;
        QStringList expected;
    };
    // Lines 1..7 as above, then the needle raised as line 8.
    const QStringList plan = TwoLines + QStringList{"Up  : "};
    const Row rows[] = {
        {"nothing sent: the plan as it is", 0, {3, 3}, CutKind::Whole, {}},
        {"a move was running: the next line whole, wherever the head is",
         6,
         {8, 33},
         CutKind::Cut,
         {"GoTo:      8    20", "Down: ", "KBack: 4321", "Up  : "}},
        {"the last needle record: nothing left", 8, {8, 16}, CutKind::Cut, {}},
        {"a strike line not yet begun",
         4,
         {7, 10},
         CutKind::Cut,
         {"GoTo:      7    10", "Down: ", "Knock: 1234", "Up  : ", "GoTo:      8    20",
          "KBack: 4321", "Up  : "}},
        {"the running line, off its path", 4, {8, 18}, CutKind::NotFound, {}},
        {"a line past the plan's end", 12, {7, 12}, CutKind::NotFound, {}},
    };
    for (const Row& row : rows) {
        const PlanCut cut = CutPlan(Plan(plan), row.saved, 0, 0, row.inFlight);
        EXPECT_EQ(cut.kind, row.kind) << row.name;
        EXPECT_EQ(cut.text, Text(row.expected)) << row.name;
    }
}

} // namespace
} // namespace zeb::testing
