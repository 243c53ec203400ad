#include "setup/language_file.h"

#include "setup/settings_text_file.h"

#include <QDir>

namespace zeb {

namespace {

bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

std::optional<int> LanguageLineCode(const QString& line) {
    const QString field = line.left(4);
    qsizetype i = 0;
    while (i < field.size() && IsBlank(field[i]))
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == QLatin1Char('-') || field[i] == QLatin1Char('+'))) {
        negative = field[i] == QLatin1Char('-');
        ++i;
    }
    if (i == field.size())
        return std::nullopt;
    int value = 0;
    for (; i < field.size(); ++i) {
        if (field[i] < QLatin1Char('0') || field[i] > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (field[i].unicode() - '0');
    }
    return negative ? -value : value;
}

QString LanguageLineText(const QString& line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    return equals < 0 ? line : line.mid(equals + 1);
}

LanguageLoadResult LoadLanguageFile(const QString& startDirectory, TextCatalogue& texts) {
    LanguageLoadResult result;
    texts.Clear();
    const QStringList found = QDir(startDirectory)
                                  .entryList({QStringLiteral("*.lng")},
                                             QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    if (found.isEmpty())
        return result;
    result.fileName = found.first();
    const TextFileLines file = ReadTextLines(QDir(startDirectory).filePath(result.fileName));
    if (!file.ok) {
        result.error = file.error;
        return result;
    }
    texts.SetLanguageLoaded(true);
    for (const QString& line : file.lines) {
        if (const std::optional<int> code = LanguageLineCode(line))
            texts.Define(*code, LanguageLineText(line));
    }
    return result;
}

void ApplyLanguageToLink(const TextCatalogue& texts, LinkState& link) {
    link.LanguageLoaded = texts.LanguageLoaded();
    link.PortCheckMessage = texts.FileText(9001);
    link.LinkErrorMessage = texts.FileText(9002);
}

} // namespace zeb
