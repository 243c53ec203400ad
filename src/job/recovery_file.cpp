#include "job/recovery_file.h"

#include "job/plan_format.h"
#include "job/progress_record.h"
#include "setup/settings_text_file.h"
#include "text/text_catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <climits>

namespace zeb {

namespace {

// The strongest force a slider of the engraving panels can set.
constexpr int MaxStrikeForce = 200;

// Line numbers of the file, counted from 1.
enum Line {
    PicturePathLine = 1,
    OffsetXLine,
    OffsetYLine,
    FirstForce8Line,
    SecondPassFollowsLine = 8,
    SecondForce8Line,
    ResolutionLine = 13,
    SecondPassStartedLine,
};

QString Problem(const TextCatalogue& texts, const QString& startDirectory, int line,
                const QString& what) {
    return texts.Text(TextKey::RecoveryFileLine)
        .arg(QDir::toNativeSeparators(RecoveryFilePath(startDirectory)))
        .arg(line)
        .arg(what);
}

std::optional<int> Number(const QStringList& lines, int line) {
    if (line > lines.size())
        return std::nullopt;
    bool ok = false;
    const int value = lines[line - 1].trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The file's first `lines` lines, or why it cannot be read.
Result<QStringList> ReadLines(const TextCatalogue& texts, const QString& startDirectory,
                              int lines) {
    TextFileLines file = ReadTextLines(RecoveryFilePath(startDirectory), lines);
    if (file.ok)
        return std::move(file.lines);
    return Outcome::Failed(
        texts.Text(TextKey::RecoveryFileUnreadable)
            .arg(QDir::toNativeSeparators(RecoveryFilePath(startDirectory)), file.error));
}

// Line `line` missing, or not a number in its range.
Outcome BadLine(const TextCatalogue& texts, const QString& startDirectory, const QStringList& lines,
                int line) {
    return Outcome::Failed(Problem(texts, startDirectory, line,
                                   line > lines.size()
                                       ? texts.Text(TextKey::RecoveryLineMissing)
                                       : texts.Text(TextKey::RecoveryLineNotANumber)));
}

} // namespace

QString RecoveryFilePath(const QString& startDirectory) {
    return QDir(startDirectory).filePath(RecoveryFileName);
}

bool RecoveryFileExists(const QString& startDirectory) {
    return QFileInfo::exists(RecoveryFilePath(startDirectory));
}

void RemoveJobRecords(const QString& startDirectory) {
    QFile::remove(RecoveryFilePath(startDirectory));
    RemoveProgressRecord(startDirectory);
}

QStringList RecoveryLines(const RecoveryRecord& record) {
    QStringList lines{record.picturePath, QString::number(record.offsetX),
                      QString::number(record.offsetY)};
    // Levels "8", "16", "24", "32": device levels 1..4.
    for (int level = 1; level <= 4; ++level)
        lines << QString::number(record.firstPass[level]);
    lines << (record.secondPassFollows ? QStringLiteral("1") : QStringLiteral("0"));
    for (int level = 1; level <= 4; ++level)
        lines << QString::number(record.secondPass[level]);
    lines << QString::number(record.resolutionIndex);
    if (record.secondPassStarted)
        lines << QStringLiteral("Sec");
    return lines;
}

Outcome WriteRecoveryFile(const QString& startDirectory, const RecoveryRecord& record) {
    const QString error =
        WriteTextFileAtomically(RecoveryFilePath(startDirectory), RecoveryLines(record));
    return error.isEmpty() ? Outcome::Done() : Outcome::Failed(error);
}

Result<RecoveryRecord> ReadRecoveryFile(const TextCatalogue& texts, const QString& startDirectory) {
    const Result<QStringList> read = ReadLines(texts, startDirectory, 14);
    if (!read)
        return read.AsOutcome();
    const QStringList& lines = *read;
    RecoveryRecord record;
    if (lines.size() < PicturePathLine)
        return BadLine(texts, startDirectory, lines, PicturePathLine);
    record.picturePath = lines[PicturePathLine - 1];
    Outcome bad = Outcome::Done();
    auto take = [&](int line, int low, int high, int& into) {
        const auto value = Number(lines, line);
        if (!value || *value < low || *value > high) {
            bad = BadLine(texts, startDirectory, lines, line);
            return false;
        }
        into = *value;
        return true;
    };
    // Forces of levels "8" to "32" from `firstLine` on. A pass that is struck holds only what
    // its sliders can show (1..200, the second pass's level "32" from 0): a hand-edited force
    // no operator could have chosen never reaches the machine.
    auto takeForces = [&](int firstLine, StrikeLevelSet& into, bool struck, int lowest32) {
        for (int level = 1; level <= 4; ++level) {
            int force = 0;
            const int low = !struck ? 0 : (level == 4 ? lowest32 : 1);
            if (!take(firstLine + level - 1, low, struck ? MaxStrikeForce : 255, force))
                return false;
            into[level] = static_cast<quint8>(force);
        }
        return true;
    };
    record.secondPassStarted = lines.size() >= SecondPassStartedLine &&
                               lines[SecondPassStartedLine - 1] == QStringLiteral("Sec");
    // Read first: it says whether the second pass's forces are struck.
    const bool followsKnown = Number(lines, SecondPassFollowsLine).has_value();
    const bool secondStruck =
        record.secondPassStarted || (followsKnown && *Number(lines, SecondPassFollowsLine) == 1);
    int follows = 0;
    if (!take(OffsetXLine, MoveFieldMin, MoveFieldMax, record.offsetX) ||
        !take(OffsetYLine, MoveFieldMin, MoveFieldMax, record.offsetY) ||
        !takeForces(FirstForce8Line, record.firstPass, true, 1) ||
        !take(SecondPassFollowsLine, 0, 1, follows) ||
        !takeForces(SecondForce8Line, record.secondPass, secondStruck, 0) ||
        !take(ResolutionLine, INT_MIN, INT_MAX, record.resolutionIndex))
        return bad;
    record.secondPassFollows = follows == 1;
    return record;
}

Result<RecoveryOffsets> ReadRecoveryOffsets(const TextCatalogue& texts,
                                            const QString& startDirectory) {
    const Result<QStringList> read = ReadLines(texts, startDirectory, 3);
    if (!read)
        return read.AsOutcome();
    const QStringList& lines = *read;
    RecoveryOffsets offsets;
    for (int line : {OffsetXLine, OffsetYLine}) {
        const auto value = Number(lines, line);
        if (!value || *value < MoveFieldMin || *value > MoveFieldMax)
            return BadLine(texts, startDirectory, lines, line);
        (line == OffsetXLine ? offsets.x : offsets.y) = *value;
    }
    return offsets;
}

} // namespace zeb
