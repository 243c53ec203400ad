#include "setup/settings_file.h"

#include "setup/settings_text_file.h"

#include <QDir>
#include <QFileInfo>

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
        m_problems << QStringLiteral("строка %1: %2").arg(n).arg(text);
    }

    // A whole-integer line, or nothing (with the problem noted) when it is no number.
    std::optional<qint64> Integer(int n, const QString& what, const QString& kept) {
        const std::optional<qint64> value = WholeInteger(Line(n));
        if (!value)
            Problem(n, QStringLiteral("«%1» не число; %2 остаётся %3")
                           .arg(Line(n).left(MaxQuoted), what, kept));
        return value;
    }

    // Lines first..first+4: the mode and the four forces of one pass.
    void Pass(int first, LevelPanel& panel) {
        if (Line(first) == QStringLiteral("Group"))
            panel.Group.SetChecked(true);
        else
            panel.Individual.SetChecked(true);
        for (int level = 4; level >= 1; --level) {
            const int n = first + 5 - level;
            const int value = LevelField(Line(n));
            if (value > 255) {
                Problem(n, QStringLiteral("сила удара %1 вне 0..255; движок остаётся на %2")
                               .arg(value)
                               .arg(panel.Slider(level).Position()));
                continue;
            }
            panel.PutForce(level, value);
        }
    }

    // Lines 12 and 13: a value below 1 becomes 1000.
    void FieldSide(int n, const QString& what, qint32& side) {
        const std::optional<qint64> value = Integer(n, what, QString::number(side));
        if (!value)
            return;
        if (*value > MaxFieldSide) {
            Problem(n, QStringLiteral("%1 %2 больше %3 точек; остаётся %4")
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
            Integer(14, QStringLiteral("разрешение"), QString::number(index));
        if (!value)
            return;
        if (*value < std::numeric_limits<qint32>::min() ||
            *value > std::numeric_limits<qint32>::max()) {
            Problem(14, QStringLiteral("разрешение %1 не номер разрешения; остаётся %2")
                            .arg(*value)
                            .arg(index));
            return;
        }
        // Kept as read, so it is saved back unchanged; the picture places as for 0.
        index = static_cast<qint32>(*value);
        if (index < 0 || index > 8)
            Problem(14, QStringLiteral("разрешение %1 вне 0..8; рабочее поле "
                                       "считается как для разрешения 0")
                            .arg(index));
    }

    void MotorSpeed(quint8& speed) {
        const std::optional<qint64> value =
            Integer(15, QStringLiteral("скорость двигателей"), QString::number(speed));
        if (!value)
            return;
        if (*value < 0 || *value > 255) {
            Problem(15, QStringLiteral("скорость двигателей %1 вне 0..255; остаётся %2")
                            .arg(*value)
                            .arg(speed));
            return;
        }
        speed = *value == 0 ? 12 : static_cast<quint8>(*value);
    }

    void ChunkLength(qint32& length) {
        const std::optional<qint64> value =
            Integer(16, QStringLiteral("длина участка"), QString::number(length));
        if (!value)
            return;
        if (*value < 0 || *value > MaxChunkLength) {
            Problem(16, QStringLiteral("длина участка %1 вне 0..%2; остаётся %3")
                            .arg(*value)
                            .arg(MaxChunkLength)
                            .arg(length));
            return;
        }
        length = *value == 0 ? 8 : static_cast<qint32>(*value);
    }

    void PictureKind(bool& portrait) {
        const std::optional<qint64> value =
            Integer(17, QStringLiteral("вид изображения"),
                    portrait ? QStringLiteral("портрет") : QStringLiteral("текст"));
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

void AddPass(QStringList& lines, bool individual, const StrikeLevelSet& forces) {
    lines << (individual ? QStringLiteral("Ind  ") : QStringLiteral("Group"));
    for (int level = 4; level >= 1; --level)
        lines << ForceLine(level, forces[level]);
}

} // namespace

QString SettingsFilePath(const QString& startDirectory) {
    return QDir(startDirectory).filePath(QStringLiteral("Zeb.ini"));
}

SettingsLoadResult LoadSettings(const QString& startDirectory, Settings& settings,
                                StrikeLevels& levels, MachineState& machine) {
    SettingsLoadResult result;
    const QString path = SettingsFilePath(startDirectory);
    if (!QFileInfo::exists(path)) {
        settings.SettingsMissing = true;
        const QString error = SaveSettings(startDirectory, settings, levels, machine);
        if (!error.isEmpty())
            result.problems << QStringLiteral("Zeb.ini: не записывается (%1)").arg(error);
        result.portChecks = PortItemChecks(settings.PortName);
        return result;
    }
    const TextFileLines file = ReadTextLines(path, LineCount);
    if (!file.ok) {
        result.problems << QStringLiteral("Zeb.ini: не читается (%1); настройки остаются "
                                          "прежними")
                               .arg(file.error);
        result.portChecks = PortItemChecks(settings.PortName);
        return result;
    }
    Reader reader(file.lines, result.problems);
    if (file.lines.size() < LineCount) {
        reader.Problem(static_cast<int>(file.lines.size()) + 1,
                       QStringLiteral("нет строки; файл кончается на строке %1, остальное "
                                      "читается как пустое")
                           .arg(file.lines.size()));
    }
    reader.Pass(1, levels.PrintReady);
    reader.Pass(6, levels.PrintReady2);
    settings.PortName = reader.Line(11);
    result.portChecks = PortItemChecks(settings.PortName);
    reader.FieldSide(12, QStringLiteral("ширина"), settings.FieldWidth);
    reader.FieldSide(13, QStringLiteral("высота"), settings.FieldHeight);
    reader.Resolution(settings.ResolutionIndex);
    reader.MotorSpeed(machine.MotorSpeed);
    reader.ChunkLength(settings.ChunkLength);
    reader.PictureKind(levels.PortraitMode);
    return result;
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
        AddPass(lines, false, defaults);
        AddPass(lines, true, defaults);
        lines << QStringLiteral("com1") << QString::number(Settings::DefaultFieldWidth)
              << QString::number(Settings::DefaultFieldHeight);
    } else {
        AddPass(lines, levels.PrintReady.Individual.Checked(), levels.FirstPassLevels);
        AddPass(lines, levels.PrintReady2.Individual.Checked(), levels.SecondPassLevels);
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
    const QString error = WriteTextFileAtomically(SettingsFilePath(startDirectory),
                                                  SettingsLines(settings, levels, machine));
    if (settings.SettingsMissing) {
        settings.FieldWidth = Settings::DefaultFieldWidth;
        settings.FieldHeight = Settings::DefaultFieldHeight;
    }
    return error;
}

} // namespace zeb
