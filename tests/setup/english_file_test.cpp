// The English language file that comes with the package, read as the program reads it: it
// must translate every code the catalogue knows, and nothing else; and every text an operator
// reads has a code it can be translated by.
#include "common/temp_dir.h"
#include "file_helpers.h"
#include "setup/language_file.h"
#include "text/text_tables.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <set>

namespace zeb {
namespace {

const QString EnglishPath = QStringLiteral(ZEB_DIST "/English.lng");

bool HasCyrillic(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.script() == QChar::Script_Cyrillic; });
}

// Every code a language line may set, with the built-in text it replaces.
std::vector<std::pair<int, QString>> KnownCodes() {
    std::vector<std::pair<int, QString>> codes;
    for (const text::CodedText& coded : text::CodedTexts())
        codes.emplace_back(coded.code, QString::fromUtf8(coded.builtIn));
    for (const text::KeyedText& keyed : text::KeyedTexts()) {
        if (keyed.code != text::NoCode && keyed.code != 431) // 431 is the table's own
            codes.emplace_back(keyed.code, QString::fromUtf8(keyed.builtIn));
    }
    return codes;
}

QStringList Placeholders(const QString& text) {
    QStringList found;
    for (const auto& match : QRegularExpression("%\\d").globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}

TEST(EnglishFile, TheProgramsReaderFindsEveryCodeTranslated) {
    testing::ScopedStartDirectory dir;
    ASSERT_TRUE(QFile::copy(EnglishPath, dir.File("English.lng")));
    TextCatalogue texts;
    const LanguageLoadResult loaded = LoadLanguageFile(dir.Path(), texts);
    ASSERT_EQ(loaded.fileName, "English.lng");
    ASSERT_TRUE(loaded.error.isEmpty()) << loaded.error.toStdString();
    for (const auto& [code, builtIn] : KnownCodes()) {
        ASSERT_TRUE(texts.Defined(code)) << "code " << code << " missing";
        const QString english = texts.FileText(code);
        EXPECT_FALSE(english.trimmed().isEmpty()) << code;
        EXPECT_FALSE(HasCyrillic(english)) << code << ": " << english.toStdString();
        // Numbers and names are put into the same places.
        EXPECT_EQ(Placeholders(english), Placeholders(builtIn)) << code;
        // A caption that a value follows keeps the blank before it.
        EXPECT_EQ(english.endsWith(' '), builtIn.endsWith(' ')) << code;
    }
}

// What stays literal whatever the language: the report on Zeb.ini (its keys run from
// SettingsLine to SettingsProblemsHeading; it is told before the language file is read), the
// language file's own problem, and names. Any other text without a code is one no file can
// translate.
TEST(EnglishFile, OnlyNamesAndWhatComesBeforeTheLanguageFileHaveNoCode) {
    const std::set<TextKey> names = {TextKey::WindowTitle,           TextKey::AboutVersion,
                                     TextKey::PictureOpenCaption,    TextKey::MenuPort,
                                     TextKey::MenuServiceStartOne,   TextKey::MenuServiceStartTwo,
                                     TextKey::LanguageFileUnreadable};
    for (const text::KeyedText& keyed : text::KeyedTexts()) {
        const bool settings =
            keyed.key >= TextKey::SettingsLine && keyed.key <= TextKey::SettingsProblemsHeading;
        EXPECT_EQ(keyed.code == text::NoCode, settings || names.contains(keyed.key))
            << keyed.builtIn;
    }
}

TEST(EnglishFile, EveryLineIsACommentOrOneKnownCodeAndEndsInCrLf) {
    const QStringList lines = testing::TextLines(EnglishPath);
    ASSERT_GT(lines.size(), 100);
    std::set<int> seen;
    for (const QString& line : lines) {
        if (line.startsWith(';'))
            continue;
        const std::optional<int> code = LanguageLineCode(line);
        ASSERT_TRUE(code) << line.toStdString();
        EXPECT_TRUE(TextCatalogue::IsKnownCode(*code)) << line.toStdString();
        EXPECT_TRUE(seen.insert(*code).second) << "twice: " << line.toStdString();
        EXPECT_FALSE(line.contains('\r') || line.contains('\n')) << line.toStdString();
    }
    EXPECT_EQ(seen.size(), KnownCodes().size());
}

} // namespace
} // namespace zeb
