#include "setup/settings_file.h"

#include "setup/settings_text_file.h"
#include "text/text_catalogue.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <limits>
#include <optional>

namespace zeb {

namespace {

constexpr int LineCount = 17;
// Larger work fields than this cannot be held as a bitmap.
constexpr qint64 MaxFieldSide = 32767;
// How much of a faulty line a problem quotes.
constexpr int MaxQuoted = 40;
// A chunk is part of one strike line, and no line is longer than a move can go.
constexpr qint64 MaxChunkLength = 65535;
// The two mode lines as the program writes them.
const QString GroupLine = QStringLiteral("Group");
const QString IndividualLine = QStringLiteral("Ind  ");

// Read before the language file, so always in the built-in wording.
QString Text(TextKey key) {
    return TextCatalogue::BuiltIn(key);
}

bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A force field: at most three characters from position 9, leading blanks allowed, digits up
// to the first other character. Nothing numeric there reads as 0.
int LevelField(const QString& line) {
    const QString field = line.mid(8, 3);
    qsizetype i = 0;
    while (i < field.size() && IsBlank(field[i]))
        ++i;
    int value = 0;
    for (; i < field.size() && IsDigit(field[i]); ++i)
        value = value * 10 + (field[i].unicode() - '0');
    return value;
}

// A force line as the program writes it: "KnKHel<level>-", then the force 0..255 within the
// three characters the reader takes (blanks before it allowed), nothing but blanks after. Any
// other line reads as some force too, but not as one the operator wrote.
bool IsForceLine(const QString& line, int level) {
    if (!line.startsWith(QStringLiteral("KnKHel%1-").arg(level)))
        return false;
    qsizetype i = 8;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    const qsizetype digits = i;
    while (i < line.size() && IsDigit(line[i]))
        ++i;
    if (i == digits || i > 11)
        return false;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    return i == line.size() && LevelField(line) <= 255;
}

// A whole integer line: leading blanks skipped, the number ends at the next blank or the end
// of the line, anything after that blank ignored. An empty line reads as 0; anything else
// that is not a decimal integer gives nothing.
std::optional<qint64> WholeInteger(const QString& line) {
    qsizetype i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    qsizetype end = i;
    while (end < line.size() && !IsBlank(line[end]))
        ++end;
    if (end == i)
        return 0;
    bool negative = false;
    if (line[i] == QLatin1Char('-') || line[i] == QLatin1Char('+')) {
        negative = line[i] == QLatin1Char('-');
        ++i;
    }
    // Eighteen digits always fit; longer numbers are no setting of ours.
    if (i == end || end - i > 18)
        return std::nullopt;
    qint64 value = 0;
    for (; i < end; ++i) {
        if (!IsDigit(line[i]))
            return std::nullopt;
        value = value * 10 + (line[i].unicode() - '0');
    }
    return negative ? -value : value;
}

class Reader {
public:
    Reader(const QStringList& lines, QStringList& problems)
        : m_lines(lines), m_problems(problems) {}

    QString Line(int n) const { return n <= m_lines.size() ? m_lines[n - 1] : QString(); }

    void Problem(int n, const QString& text) {
        m_problems << Text(TextKey::SettingsLine).arg(n).arg(text);
    }

    // A whole-integer line, or nothing (with the problem noted) when it is no number.
    std::optional<qint64> Integer(int n, const QString& what, const QString& kept) {
        const std::optional<qint64> value = WholeInteger(Line(n));
        if (!value)
            Problem(n, Text(TextKey::SettingsNotANumber).arg(Line(n).left(MaxQuoted), what, kept));
        return value;
    }

    // Lines first..first+4: the mode and the four forces of pass 1 or 2, taken as the
    // engraving-properties panel takes them. Returns whether each line was there as the
    // program writes it; a faulty one is reported with what was taken.
    bool Pass(int first, int pass, StrikeLevels& levels) {
        bool sound = true;
        const bool group = Line(first) == GroupLine;
        levels.Mode(pass) = group ? LevelMode::Group : LevelMode::Individual;
        if (!group && Line(first) != IndividualLine) {
            Taken(first, Text(TextKey::SettingsModeExpected), Text(TextKey::SettingsModeTaken));
            sound = false;
        }
        // No force is above 255: such a line leaves its level where the panel shows it.
        std::array<std::optional<int>, 4> values;
        for (int level = 4; level >= 1; --level) {
            const int value = LevelField(Line(first + 5 - level));
            if (value <= 255)
                values[static_cast<size_t>(4 - level)] = value;
        }
        StrikeLevelSet& forces = levels.Forces(pass);
        forces = ForcesAsLoaded(pass, levels.Mode(pass), values);
        for (int level = 4; level >= 1; --level) {
            const int n = first + 5 - level;
            if (IsForceLine(Line(n), level))
                continue;
            Taken(n, Text(TextKey::SettingsForceExpected).arg(level),
                  Text(TextKey::SettingsForceTaken).arg(forces[level]));
            sound = false;
        }
        return sound;
    }

    // A missing or malformed mode or force line, and the value taken in its place.
    void Taken(int n, const QString& expected, const QString& taken) {
        if (n > m_lines.size())
            Problem(n, Text(TextKey::SettingsLineMissing).arg(taken));
        else
            Problem(
                n, Text(TextKey::SettingsLineFaulty).arg(Line(n).left(MaxQuoted), expected, taken));
    }

    // Lines 12 and 13: a value below 1 becomes 1000.
    void FieldSide(int n, const QString& what, qint32& side) {
        const std::optional<qint64> value = Integer(n, what, QString::number(side));
        if (!value)
            return;
        if (*value > MaxFieldSide) {
            Problem(n, Text(TextKey::SettingsFieldTooLarge)
                           .arg(what)
                           .arg(*value)
                           .arg(MaxFieldSide)
                           .arg(side));
            return;
        }
        side = *value < 1 ? 1000 : static_cast<qint32>(*value);
    }

    void Resolution(qint32& index) {
        const std::optional<qint64> value =
            Integer(14, Text(TextKey::SettingsResolution), QString::number(index));
        if (!value)
            return;
        if (*value < std::numeric_limits<qint32>::min() ||
            *value > std::numeric_limits<qint32>::max()) {
            Problem(14, Text(TextKey::SettingsResolutionNotAnIndex).arg(*value).arg(index));
            return;
        }
        // Kept as read, so it is saved back unchanged; the picture places as for 0.
        index = static_cast<qint32>(*value);
        if (index < 0 || index > 8)
            Problem(14, Text(TextKey::SettingsResolutionOutside).arg(index));
    }

    void MotorSpeed(quint8& speed) {
        const std::optional<qint64> value =
            Integer(15, Text(TextKey::SettingsMotorSpeed), QString::number(speed));
        if (!value)
            return;
        if (*value < 0 || *value > 255) {
            Problem(15, Text(TextKey::SettingsMotorSpeedOutside).arg(*value).arg(speed));
            return;
        }
        speed = *value == 0 ? 12 : static_cast<quint8>(*value);
    }

    void ChunkLength(qint32& length) {
        const std::optional<qint64> value =
            Integer(16, Text(TextKey::SettingsChunkLength), QString::number(length));
        if (!value)
            return;
        if (*value < 0 || *value > MaxChunkLength) {
            Problem(16, Text(TextKey::SettingsChunkLengthOutside)
                            .arg(*value)
                            .arg(MaxChunkLength)
                            .arg(length));
            return;
        }
        length = *value == 0 ? 8 : static_cast<qint32>(*value);
    }

    void PictureKind(bool& portrait) {
        const std::optional<qint64> value =
            Integer(17, Text(TextKey::SettingsPictureKind),
                    Text(portrait ? TextKey::SettingsPortrait : TextKey::SettingsText));
        if (value)
            portrait = *value != 0;
    }

private:
    const QStringList& m_lines;
    QStringList& m_problems;
};

QString ForceLine(int level, quint8 force) {
    return QStringLiteral("KnKHel%1-%2").arg(level).arg(force);
}

void AddPass(QStringList& lines, LevelMode mode, const StrikeLevelSet& forces) {
    lines << (mode == LevelMode::Individual ? IndividualLine : GroupLine);
    for (int level = 4; level >= 1; --level)
        lines << ForceLine(level, forces[level]);
}

// Every value from the seventeen lines, in the file's order.
void ReadLines(const QStringList& lines, SettingsLoadResult& result, Settings& settings,
               StrikeLevels& levels, MachineState& machine) {
    Reader reader(lines, result.problems);
    settings.LevelLinesFaulty = {!reader.Pass(1, 1, levels), !reader.Pass(6, 2, levels)};
    if (lines.size() < LineCount) {
        // Missing lines of the passes are told with the values taken, one by one.
        reader.Problem(std::max(static_cast<int>(lines.size()) + 1, 11),
                       Text(TextKey::SettingsFileEnds).arg(lines.size()));
    }
    settings.PortName = reader.Line(11);
    result.portChecks = PortItemChecks(settings.PortName);
    reader.FieldSide(12, Text(TextKey::SettingsWidth), settings.FieldWidth);
    reader.FieldSide(13, Text(TextKey::SettingsHeight), settings.FieldHeight);
    reader.Resolution(settings.ResolutionIndex);
    reader.MotorSpeed(machine.MotorSpeed);
    reader.ChunkLength(settings.ChunkLength);
    reader.PictureKind(levels.PortraitMode);
}

// The whole file written, or why not.
QString WriteSettings(const QString& startDirectory, Settings& settings, const StrikeLevels& levels,
                      const MachineState& machine) {
    const QString error = WriteTextFileAtomically(SettingsFilePath(startDirectory),
                                                  SettingsLines(settings, levels, machine));
    if (settings.SettingsMissing) {
        settings.FieldWidth = Settings::DefaultFieldWidth;
        settings.FieldHeight = Settings::DefaultFieldHeight;
    }
    return error;
}

} // namespace

QString SettingsFilePath(const QString& startDirectory) {
    return QDir(startDirectory).filePath(QStringLiteral("Zeb.ini"));
}

SettingsLoadResult LoadSettings(const QString& startDirectory, Settings& settings,
                                StrikeLevels& levels, MachineState& machine) {
    SettingsLoadResult result;
    const QString path = SettingsFilePath(startDirectory);
    const QFileInfo info(path);
    // A link that leads nowhere is the operator's, not a missing file: it is not replaced.
    if (!info.exists() && !info.isSymLink()) {
        settings.SettingsMissing = true;
        const QString error = WriteSettings(startDirectory, settings, levels, machine);
        if (error.isEmpty())
            result.defaultFileWritten = true;
        else
            result.problems << Text(TextKey::SettingsDefaultNotWritten).arg(error);
        result.portChecks = PortItemChecks(settings.PortName);
        return result;
    }
    // Anything but a plain file (a directory, a pipe, a device) is not read: a pipe would
    // hold the start-up until somebody wrote into it.
    TextFileLines file;
    if (info.isFile())
        file = ReadTextLines(path, LineCount);
    else
        file.error = Text(TextKey::SettingsNotAFile);
    if (!file.ok) {
        result.problems << Text(TextKey::SettingsUnreadable).arg(file.error);
        settings.LevelLinesFaulty = {true, true};
        settings.KeepFileReason = Text(TextKey::SettingsKept).arg(file.error);
        result.portChecks = PortItemChecks(settings.PortName);
        return result;
    }
    ReadLines(file.lines, result, settings, levels, machine);
    return result;
}

void ReadBackDefaultFile(Settings& settings, StrikeLevels& levels, MachineState& machine) {
    if (!settings.SettingsMissing)
        return;
    // The default content is sound: there is nothing to report.
    SettingsLoadResult readBack;
    ReadLines(SettingsLines(settings, levels, machine), readBack, settings, levels, machine);
}

QStringList SettingsLines(const Settings& settings, const StrikeLevels& levels,
                          const MachineState& machine) {
    QStringList lines;
    if (settings.SettingsMissing) {
        StrikeLevelSet defaults;
        defaults[4] = 14;
        defaults[3] = 10;
        defaults[2] = 5;
        defaults[1] = 2;
        AddPass(lines, LevelMode::Group, defaults);
        AddPass(lines, LevelMode::Individual, defaults);
        lines << QStringLiteral("com1") << QString::number(Settings::DefaultFieldWidth)
              << QString::number(Settings::DefaultFieldHeight);
    } else {
        AddPass(lines, levels.FirstPassMode, levels.FirstPassLevels);
        AddPass(lines, levels.SecondPassMode, levels.SecondPassLevels);
        lines << settings.PortName << QString::number(settings.FieldWidth)
              << QString::number(settings.FieldHeight);
    }
    lines << QString::number(settings.ResolutionIndex) << QString::number(machine.MotorSpeed)
          << QString::number(settings.ChunkLength)
          << (levels.PortraitMode ? QStringLiteral("1") : QStringLiteral("0"));
    return lines;
}

QString SaveSettings(const QString& startDirectory, Settings& settings, const StrikeLevels& levels,
                     const MachineState& machine) {
    const QString error = settings.KeepFileReason.isEmpty()
                              ? WriteSettings(startDirectory, settings, levels, machine)
                              : settings.KeepFileReason;
    return error.isEmpty() ? QString() : Text(TextKey::SettingsNotWritten).arg(error);
}

} // namespace zeb
