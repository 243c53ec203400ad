#include "setup/tone_levels_file.h"

#include "setup/settings_text_file.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace zeb {

namespace {

constexpr int LineCount = 4;
// How much of a faulty line a message quotes.
constexpr int MaxQuoted = 40;

std::optional<int> WholeNumber(const QString& line) {
    bool ok = false;
    const int value = line.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<double> Number(const QString& line) {
    bool ok = false;
    const double value = line.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

QString NotTaken(const QString& what) {
    return QStringLiteral("Файл %1: %2 Тон взят без изменений (чёрная точка 0, белая 255, "
                          "гамма 1, без инверсии).")
        .arg(QString::fromLatin1(ToneLevelsFileName), what);
}

QString BadLine(int n, const QString& line, const QString& expected) {
    return NotTaken(
        QStringLiteral("строка %1 «%2»: ожидается %3.").arg(n).arg(line.left(MaxQuoted), expected));
}

} // namespace

QString ToneLevelsFilePath(const QString& startDirectory) {
    return QDir(startDirectory).filePath(QString::fromLatin1(ToneLevelsFileName));
}

ToneLevelsLoad LoadToneLevels(const QString& startDirectory) {
    ToneLevelsLoad load;
    const QString path = ToneLevelsFilePath(startDirectory);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return load;
    // A pipe or a device would hold the Open until somebody wrote into it.
    if (!info.isFile()) {
        load.problem = NotTaken(QStringLiteral("это не файл."));
        return load;
    }
    const TextFileLines file = ReadTextLines(path, LineCount + 1);
    if (!file.ok) {
        load.problem = NotTaken(QStringLiteral("не читается (%1).").arg(file.error));
        return load;
    }
    if (file.lines.size() != LineCount) {
        load.problem = NotTaken(file.lines.size() > LineCount
                                    ? QStringLiteral("в нём больше %1 строк.").arg(LineCount)
                                    : QStringLiteral("в нём %1 строк(и) вместо %2.")
                                          .arg(file.lines.size())
                                          .arg(LineCount));
        return load;
    }
    const QStringList& lines = file.lines;
    const std::optional<int> black = WholeNumber(lines[0]);
    if (!black) {
        load.problem = BadLine(1, lines[0], QStringLiteral("чёрная точка, целое 0..254"));
        return load;
    }
    const std::optional<int> white = WholeNumber(lines[1]);
    if (!white) {
        load.problem = BadLine(2, lines[1], QStringLiteral("белая точка, целое 1..255"));
        return load;
    }
    const std::optional<double> gamma = Number(lines[2]);
    if (!gamma) {
        load.problem = BadLine(3, lines[2], QStringLiteral("гамма 0.1..10 с десятичной точкой"));
        return load;
    }
    const QString invert = lines[3].trimmed();
    if (invert != QLatin1String("0") && invert != QLatin1String("1")) {
        load.problem = BadLine(4, lines[3], QStringLiteral("«1» (инверсия) или «0»"));
        return load;
    }
    const ToneLevels read{*black, *white, *gamma, invert == QLatin1String("1")};
    if (const QString problem = ToneLevelsProblem(read); !problem.isEmpty()) {
        load.problem = NotTaken(problem);
        return load;
    }
    load.levels = read;
    return load;
}

QStringList ToneLevelsLines(const ToneLevels& levels) {
    return {QString::number(levels.black), QString::number(levels.white), GammaText(levels.gamma),
            levels.invert ? QStringLiteral("1") : QStringLiteral("0")};
}

QString SaveToneLevels(const QString& startDirectory, const ToneLevels& levels) {
    const QString path = ToneLevelsFilePath(startDirectory);
    const QString error = WriteTextFileAtomically(path, ToneLevelsLines(levels));
    if (error.isEmpty())
        return {};
    return QStringLiteral("%1 не записан: %2").arg(QDir::toNativeSeparators(path), error);
}

} // namespace zeb
