#include "cli/cli_tone.h"

namespace zeb::cli {

namespace {

const QString LevelsOption = QStringLiteral("--levels");
const QString InvertOption = QStringLiteral("--invert");

QString BadLevels(const QString& value) {
    return QStringLiteral("--levels wants B,W,G: black point B and white point W, whole numbers "
                          "0..255 with B < W, and gamma G 0.1..10 (e.g. 20,230,1.4), not \"%1\"")
        .arg(value);
}

} // namespace

std::vector<Option> ToneOptions() {
    return {{LevelsOption, Option::Value}, {InvertOption, Option::Flag}};
}

bool IsToneOption(const Arg& arg) {
    return arg.name == LevelsOption || arg.name == InvertOption;
}

QString TakeToneOption(const Arg& arg, ToneLevels& levels) {
    if (arg.name == InvertOption) {
        levels.invert = true;
        return {};
    }
    const QStringList parts = arg.value.split(QLatin1Char(','));
    if (parts.size() != 3)
        return BadLevels(arg.value);
    bool blackOk = false;
    bool whiteOk = false;
    bool gammaOk = false;
    ToneLevels read = levels;
    read.black = parts[0].trimmed().toInt(&blackOk);
    read.white = parts[1].trimmed().toInt(&whiteOk);
    read.gamma = parts[2].trimmed().toDouble(&gammaOk);
    if (!blackOk || !whiteOk || !gammaOk || !ToneLevelsProblem(read).isEmpty())
        return BadLevels(arg.value);
    levels = read;
    return {};
}

QString ToneOptionsHelp(int column) {
    const QString indent(column, QLatin1Char(' '));
    const auto option = [&](const QString& name, const QStringList& lines) {
        QString text = QStringLiteral("  ") + name.leftJustified(column - 3) + QLatin1Char(' ');
        for (qsizetype i = 0; i < lines.size(); ++i)
            text += (i ? indent : QString()) + lines[i] + QLatin1Char('\n');
        return text;
    };
    return option(QStringLiteral("--levels B,W,G"),
                  {QStringLiteral("tone controls before the tone curve: red values up to the"),
                   QStringLiteral("black point B turn black, from the white point W on white,"),
                   QStringLiteral("those between are spread with gamma G (above 1 lifts the"),
                   QStringLiteral("shadows); B and W whole numbers 0..255 with B < W,"),
                   QStringLiteral("G 0.1..10. Without it (and --invert) the picture is"),
                   QStringLiteral("taken as it is: the tool reads no ZebTone.ini")}) +
           option(QStringLiteral("--invert"),
                  {QStringLiteral("invert the picture first (light materials); transparent"),
                   QStringLiteral("parts stay unstruck")});
}

} // namespace zeb::cli
