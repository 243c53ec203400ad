// The language file read into the text catalogue, and the catalogue's rules: which texts a
// loaded file replaces, which go empty where it is silent, which keep their built-in wording.
// The English file that comes with the package, read as the program reads it, must translate
// every code the catalogue knows, and nothing else; and every text an operator reads has a
// code it can be translated by.
#include "common/temp_dir.h"
#include "file_helpers.h"
#include "setup/language_file.h"
#include "text/text_tables.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include <optional>
#include <set>

namespace zeb {
namespace {

using testing::WriteBytes;

TEST(LanguageLine, CodeIsTheFirstFourCharactersAndTextFollowsTheFirstEquals) {
    const std::tuple<const char*, std::optional<int>, const char*> cases[] = {
        {"0043=Прогрев", 43, "Прогрев"},
        {"  43=Прогрев", 43, "Прогрев"},
        {"   0=Время: ", 0, "Время: "},     // code 0 as blanks and 0
        {"0=Время", std::nullopt, "Время"}, // "0=Вр" is no number
        {"1031=a=b", 1031, "a=b"},          // only the first "=" counts
        {"0131= two  blanks ", 131, " two  blanks "},
        {"9009", 9009, "9009"}, // no "=": the whole line
        {" 4 3=x", std::nullopt, "x"},
        {"", std::nullopt, ""},
    };
    for (const auto& [text, code, rest] : cases) {
        const QString line = QString::fromUtf8(text);
        EXPECT_EQ(LanguageLineCode(line), code) << text;
        EXPECT_EQ(LanguageLineText(line), QString::fromUtf8(rest)) << text;
    }
}

TEST(TextCatalogue, Code43ThenLaterLinesWinStatusCodesFillTheirEntriesCutTo255) {
    TextCatalogue texts;
    texts.SetLanguageLoaded(true);
    texts.Define(43, QStringLiteral("Warm-up"));
    EXPECT_EQ(texts.Text(43), QStringLiteral("Warm-up"));
    EXPECT_EQ(texts.Status(8), QStringLiteral("Warm-up"));
    texts.Define(9008, QStringLiteral("Heating - "));
    EXPECT_EQ(texts.Status(8), QStringLiteral("Heating - "));
    // The entries are not in the codes' order.
    for (auto [code, entry] : {std::pair{9003, 1}, {9006, 6}, {9009, 4}, {9010, 5}}) {
        texts.Define(code, QStringLiteral("text %1").arg(code));
        EXPECT_EQ(texts.Status(entry), QStringLiteral("text %1").arg(code));
    }
    texts.Define(9005, QString(300, QLatin1Char('x')));
    EXPECT_EQ(texts.Status(3), QString(255, QLatin1Char('x')));
    texts.Define(43, QString(300, QLatin1Char('y')));
    EXPECT_EQ(texts.Text(43).size(), 300); // the menu item is not cut
    EXPECT_EQ(texts.Status(8), QString(255, QLatin1Char('y')));
    for (int code : {2, 41, 9000, 9011}) {
        texts.Define(code, QStringLiteral("x"));
        EXPECT_FALSE(texts.Defined(code)) << code;
    }
}

TEST(TextCatalogue, WhatALoadedFileLeavesOutIsEmptyOnlyForTheTablesDialogTextsAndMessages) {
    const QString file = QStringLiteral("from the file");
    const struct {
        const char* name;
        TextId text;
        int code; // the code a language line sets
        const char* builtIn;
        bool emptyWhereSilent;
    } cases[] = {
        {"a dialog text", 2011, 2011, "Предидущая работа не  завершена !", true},
        {"a message", 9002, 9002, "Ошибка связи.", true},
        {"a menu entry", 13, 13, "Выход", false},
        {"a status text", 9009, 9009, "Устройство готово к работе", false},
        // A keyed text with a code: what a text given a code later does.
        {"a twin with its own wording", TextKey::StandardQualityMirror, 431,
         "Стандарт   (двухсторонний проход)", false},
        {"a text without a code", TextKey::CalibrationDone, -1, "Калибровка завершена.", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TextCatalogue texts;
        EXPECT_EQ(texts.Text(c.text), QString::fromUtf8(c.builtIn));
        texts.SetLanguageLoaded(true);
        EXPECT_EQ(texts.Text(c.text),
                  c.emptyWhereSilent ? QString() : QString::fromUtf8(c.builtIn));
        EXPECT_FALSE(texts.Replaced(c.text));
        texts.Define(c.code, file);
        const bool replaced = c.code >= 0;
        EXPECT_EQ(texts.Replaced(c.text), replaced);
        EXPECT_EQ(texts.Text(c.text), replaced ? file : QString::fromUtf8(c.builtIn));
    }
}

// Without a code stays literal whatever the language: the report on Zeb.ini (its keys run from
// SettingsLine to SettingsProblemsHeading; it is told before the language file is read), the
// language file's own problem, and names. Any other text without a code is one no file can
// translate.
TEST(TextCatalogue, EveryCodeAndEveryKeyHasOneBuiltInTextAndOnlyLiteralsHaveNoCode) {
    const std::set<TextKey> names = {TextKey::WindowTitle,           TextKey::AboutVersion,
                                     TextKey::PictureOpenCaption,    TextKey::MenuPort,
                                     TextKey::MenuServiceStartOne,   TextKey::MenuServiceStartTwo,
                                     TextKey::LanguageFileUnreadable};
    std::set<int> codes;
    for (const text::CodedText& t : text::CodedTexts()) {
        EXPECT_TRUE(codes.insert(t.code).second) << t.code;
        EXPECT_TRUE(t.code >= 0 && t.code <= 9999) << t.code; // four characters in a line
        EXPECT_FALSE(QString::fromUtf8(t.builtIn).isEmpty()) << t.code;
    }
    EXPECT_EQ(codes.size(), 81u); // the language table's codes, 0 .. 9010
    std::set<TextKey> keys;
    std::set<int> laterCodes;
    for (const text::KeyedText& t : text::KeyedTexts()) {
        EXPECT_TRUE(keys.insert(t.key).second) << static_cast<int>(t.key);
        // A code of the free range names one text only.
        if (t.code >= 3000 && t.code <= 8999) {
            EXPECT_TRUE(laterCodes.insert(t.code).second) << t.code;
        }
        EXPECT_FALSE(QString::fromUtf8(t.builtIn).isEmpty()) << static_cast<int>(t.key);
        // A code given to a keyed text is one the table knows, or one from its free range.
        EXPECT_TRUE(t.code == text::NoCode || codes.count(t.code) ||
                    (t.code >= 3000 && t.code <= 8999))
            << t.code;
        const bool settings =
            t.key >= TextKey::SettingsLine && t.key <= TextKey::SettingsProblemsHeading;
        EXPECT_EQ(t.code == text::NoCode, settings || names.contains(t.key)) << t.builtIn;
    }
    EXPECT_EQ(keys.size(), static_cast<size_t>(TextKey::ButtonCancel) + 1);
}

class LanguageFile : public ::testing::Test {
protected:
    testing::ScopedStartDirectory dir;
    TextCatalogue texts;
    LinkState link;

    LanguageLoadResult Load() { return LoadLanguageFile(dir.Path(), texts); }
};

TEST_F(LanguageFile, NoFileKeepsTheBuiltInTextsAWindows1251FileReplacesThem) {
    EXPECT_TRUE(Load().fileName.isEmpty());
    EXPECT_EQ(texts.Text(2001), QStringLiteral("Внимание !"));

    QFile::copy(QStringLiteral(ZEB_TEST_DATA "/setup/english_menus.lng"), dir.File("english.lng"));
    const LanguageLoadResult result = Load();
    EXPECT_EQ(result.fileName, QStringLiteral("english.lng"));
    EXPECT_TRUE(result.error.isEmpty());
    ASSERT_TRUE(texts.LanguageLoaded());

    EXPECT_EQ(texts.Text(10), QStringLiteral("File"));
    // Not in the file: the main window keeps its own text.
    EXPECT_EQ(texts.Text(13), QStringLiteral("Выход"));
    EXPECT_EQ(texts.Text(131), QStringLiteral("Свойства  гравировки "));
    EXPECT_EQ(texts.Text(0), QStringLiteral("Duration: "));
    EXPECT_EQ(texts.Status(8), QStringLiteral("Нагрев головки - ")); // 9008 after 43
    // Stored dialog texts: the file's, or empty where it has none.
    EXPECT_EQ(texts.Text(2001), QStringLiteral("Внимание!"));
    EXPECT_EQ(texts.Text(2011), QString());

    ApplyLanguageToLink(texts, link);
    EXPECT_TRUE(link.LanguageLoaded);
    EXPECT_EQ(link.PortCheckMessage, QStringLiteral("Проверьте порт"));
    EXPECT_EQ(link.LinkErrorMessage, QString());
}

TEST_F(LanguageFile, TheFirstByNameEvenEmptyWithAnyLineEnds) {
    WriteBytes(dir.File(QStringLiteral("b.lng")), "0010=B\r\n");
    WriteBytes(dir.File(QStringLiteral("a.lng")), "0010=F\n0011=O\r\n0012=S");
    WriteBytes(dir.File(QStringLiteral("0.txt")), "0010=T\r\n");
    EXPECT_EQ(Load().fileName, QStringLiteral("a.lng"));
    EXPECT_EQ(texts.FileText(10) + texts.FileText(11) + texts.FileText(12), QStringLiteral("FOS"));

    testing::ScopedStartDirectory other;
    WriteBytes(other.File(QStringLiteral("empty.lng")), "");
    TextCatalogue empty;
    LoadLanguageFile(other.Path(), empty);
    EXPECT_TRUE(empty.LanguageLoaded());
    EXPECT_EQ(empty.Text(9002), QString());
}

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

TEST_F(LanguageFile, EnglishHasEveryCodeOnceOnCrLfLinesAndTheReaderFindsEachTranslated) {
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

    ASSERT_TRUE(QFile::copy(EnglishPath, dir.File("English.lng")));
    const LanguageLoadResult loaded = Load();
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

} // namespace
} // namespace zeb
