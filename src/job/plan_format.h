#pragma once
// The plan's record texts, in one place: the planner writes them with these functions, and
// every reader (estimate, execution, recovery) parses lines with ParsePlanLine, so the two
// sides cannot drift apart.
//
// A plan is single-byte text, one record per line, each line ended by CR LF; the file starts
// with an empty line. Records are recognised by their first five characters:
//   "GoTo: " + row + column   row in characters 7..12, column in 13..18, right-aligned
//   "Down: "                  needle down
//   "Up  : "                  needle up (two blanks)
//   "Knock: " + digits        forward strike line, digit i at column (move column + i - 1)
//   "KBack: " + digits        backward strike line, digit i at column (move column - i)
// Coordinates are picture coordinates; readers add the picture offsets.

#include "link/outcome.h"
#include "text/text_catalogue.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace zeb {

// File names in the start directory.
inline constexpr char PlanFileName[] = "123123123.txt";
inline constexpr char SecondPassPlanFileName[] = "123Sec.txt";
inline constexpr char RecoveryPlanFileName[] = "1.txt";
inline constexpr char DotMapDumpFileName[] = "123Bm.txt";

inline constexpr char PlanLineEnd[] = "\r\n";

// A move field holds a decimal integer in 6 characters.
inline constexpr int MoveFieldMin = -99999;
inline constexpr int MoveFieldMax = 999999;
bool FitsMoveField(int value);

// "GoTo: " with row and column right-aligned in 6 characters each, without the line end.
// Empty when either value does not fit its field: such a record is never written.
std::optional<QByteArray> MoveRecord(int row, int column);

QByteArray NeedleDownRecord(); // "Down: "
QByteArray NeedleUpRecord();   // "Up  : "
// "Knock: " or "KBack: " + the digits.
QByteArray StrikeRecord(bool forward, QByteArrayView digits);

enum class PlanRecordKind {
    Other,      // any line that is not a record: the empty first line, for instance
    Move,       // "GoTo:"
    NeedleDown, // "Down:"
    NeedleUp,   // "Up  :"
    Forward,    // "Knock"
    Backward,   // "KBack"
};

struct PlanRecord {
    PlanRecordKind kind = PlanRecordKind::Other;
    int row = 0;       // Move: picture row
    int column = 0;    // Move: picture column
    QByteArray digits; // Forward / Backward: every digit from character 8, '0'..'4'
};

// Parses one line (without its line end). A record whose fields are malformed (a move whose
// fields are not numbers, a strike line with characters other than '0'..'4') is refused with
// what is wrong with it; lines that are no record at all are Other.
Result<PlanRecord> ParsePlanLine(QByteArrayView line,
                                 const TextCatalogue& texts = TextCatalogue::BuiltInCatalogue());

// The digits that execution and the estimate act on: trailing '0's dropped, so a line of
// only '0's is empty. Recovery counts every digit instead.
QByteArrayView StruckDigits(QByteArrayView digits);

} // namespace zeb
