#include "job/plan_format.h"

#include "text/text_catalogue.h"

#include <algorithm>
#include <cstdio>

namespace zeb {

namespace {

constexpr char MovePrefix[] = "GoTo: ";
constexpr char DownPrefix[] = "Down: ";
constexpr char UpPrefix[] = "Up  : ";
constexpr char ForwardPrefix[] = "Knock: ";
constexpr char BackwardPrefix[] = "KBack: ";

constexpr int KeyLength = 5;    // records are told apart by their first five characters
constexpr int FieldWidth = 6;   // each move coordinate
constexpr int RowField = 6;     // characters 7..12, zero-based
constexpr int ColumnField = 12; // characters 13..18, zero-based
constexpr int MoveLength = ColumnField + FieldWidth;
constexpr int DigitsStart = 7; // strike digits from character 8

// A coordinate field: blanks, then an optional minus and at least one decimal digit.
std::optional<int> ParseField(QByteArrayView field) {
    int i = 0;
    while (i < field.size() && field[i] == ' ')
        ++i;
    bool negative = false;
    if (i < field.size() && field[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == field.size())
        return std::nullopt;
    int value = 0;
    for (; i < field.size(); ++i) {
        const char ch = field[i];
        if (ch < '0' || ch > '9')
            return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    return negative ? -value : value;
}

bool StrikeDigitsValid(QByteArrayView digits) {
    for (char ch : digits) {
        if (ch < '0' || ch > '4')
            return false;
    }
    return true;
}

} // namespace

bool FitsMoveField(int value) {
    return value >= MoveFieldMin && value <= MoveFieldMax;
}

std::optional<QByteArray> MoveRecord(int row, int column) {
    if (!FitsMoveField(row) || !FitsMoveField(column))
        return std::nullopt;
    char text[MoveLength + 1];
    std::snprintf(text, sizeof text, "%s%6d%6d", MovePrefix, row, column);
    return QByteArray(text, MoveLength);
}

QByteArray NeedleDownRecord() {
    return QByteArray(DownPrefix);
}

QByteArray NeedleUpRecord() {
    return QByteArray(UpPrefix);
}

QByteArray StrikeRecord(bool forward, QByteArrayView digits) {
    QByteArray text(forward ? ForwardPrefix : BackwardPrefix);
    text.append(digits);
    return text;
}

Result<PlanRecord> ParsePlanLine(QByteArrayView line, const TextCatalogue& texts) {
    PlanRecord record;
    const QByteArrayView key = line.first(std::min<qsizetype>(line.size(), KeyLength));
    if (key == QByteArrayView(MovePrefix).first(KeyLength)) {
        record.kind = PlanRecordKind::Move;
        if (line.size() != MoveLength) {
            return Outcome::Failed(
                texts.Text(TextKey::PlanMoveLength).arg(MoveLength).arg(line.size()));
        }
        const auto row = ParseField(line.sliced(RowField, FieldWidth));
        const auto column = ParseField(line.sliced(ColumnField, FieldWidth));
        if (!row || !column) {
            return Outcome::Failed(texts.Text(TextKey::PlanMoveNotANumber));
        }
        record.row = *row;
        record.column = *column;
    } else if (key == QByteArrayView(DownPrefix).first(KeyLength)) {
        record.kind = PlanRecordKind::NeedleDown;
    } else if (key == QByteArrayView(UpPrefix).first(KeyLength)) {
        record.kind = PlanRecordKind::NeedleUp;
    } else if (key == QByteArrayView(ForwardPrefix).first(KeyLength) ||
               key == QByteArrayView(BackwardPrefix).first(KeyLength)) {
        const bool forward = key == QByteArrayView(ForwardPrefix).first(KeyLength);
        record.kind = forward ? PlanRecordKind::Forward : PlanRecordKind::Backward;
        const QByteArrayView prefix(forward ? ForwardPrefix : BackwardPrefix);
        if (!line.startsWith(prefix)) {
            return Outcome::Failed(
                texts.Text(TextKey::PlanStrikePrefix).arg(QString::fromLatin1(prefix)));
        }
        const QByteArrayView digits = line.sliced(DigitsStart);
        if (!StrikeDigitsValid(digits)) {
            return Outcome::Failed(texts.Text(TextKey::PlanStrikeDigits));
        }
        record.digits = digits.toByteArray();
    }
    return record;
}

QByteArrayView StruckDigits(QByteArrayView digits) {
    qsizetype length = digits.size();
    while (length > 0 && digits[length - 1] == '0')
        --length;
    return digits.first(length);
}

} // namespace zeb
