#include "common/temp_dir.h"
#include "file_helpers.h"
#include "setup/language_codes.h"
#include "setup/language_file.h"

#include <gtest/gtest.h>

#include <QFile>

#include <optional>

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

TEST(ApplyLanguageString, Code43ThenLaterLinesWinStatusCodesFillTheirEntriesCutTo255) {
    LanguageTable table;
    StatusMessages messages;
    SetDefaultMessages(messages);
    ApplyLanguageString(table, messages, 43, QStringLiteral("Warm-up"));
    EXPECT_EQ(table.MainWindowText(43, DefaultMenuText(4, 3)), QStringLiteral("Warm-up"));
    EXPECT_EQ(messages.Text(8), QStringLiteral("Warm-up"));
    ApplyLanguageString(table, messages, 9008, QStringLiteral("Heating - "));
    EXPECT_EQ(messages.Text(8), QStringLiteral("Heating - "));
    // The entries are not in the codes' order.
    for (auto [code, entry] : {std::pair{9003, 1}, {9006, 6}, {9009, 4}, {9010, 5}}) {
        ApplyLanguageString(table, messages, code, QStringLiteral("text %1").arg(code));
        EXPECT_EQ(messages.Text(entry), QStringLiteral("text %1").arg(code));
    }
    ApplyLanguageString(table, messages, 9005, QString(300, QLatin1Char('x')));
    EXPECT_EQ(messages.Text(3), QString(255, QLatin1Char('x')));
    for (int code : {2, 41, 9000, 9011}) {
        ApplyLanguageString(table, messages, code, QStringLiteral("x"));
        EXPECT_FALSE(table.Defined(code)) << code;
    }
}

class LanguageFile : public ::testing::Test {
protected:
    testing::ScopedStartDirectory dir;
    LanguageTable table;
    StatusMessages messages;
    LinkState link;

    void SetUp() override { SetDefaultMessages(messages); }
    LanguageLoadResult Load() { return LoadLanguageFile(dir.Path(), table, messages); }
};

TEST_F(LanguageFile, NoFileKeepsTheBuiltInTextsAWindows1251FileReplacesThem) {
    EXPECT_TRUE(Load().fileName.isEmpty());
    EXPECT_EQ(table.DialogText(2001, QStringLiteral("Внимание !")), QStringLiteral("Внимание !"));

    QFile::copy(QStringLiteral(ZEB_TEST_DATA "/setup/english_menus.lng"), dir.File("english.lng"));
    const LanguageLoadResult result = Load();
    EXPECT_EQ(result.fileName, QStringLiteral("english.lng"));
    EXPECT_TRUE(result.error.isEmpty());
    ASSERT_TRUE(table.LanguageLoaded());

    EXPECT_EQ(table.MainWindowText(10, DefaultMenuText(1, 0)), QStringLiteral("File"));
    // Not in the file: the main window keeps its own text.
    EXPECT_EQ(table.MainWindowText(13, DefaultMenuText(1, 3)), QStringLiteral("Выход"));
    EXPECT_EQ(table.MainWindowText(131, QString()), QStringLiteral("Свойства  гравировки "));
    EXPECT_EQ(table.MainWindowText(0, QString()), QStringLiteral("Duration: "));
    EXPECT_EQ(messages.Text(8), QStringLiteral("Нагрев головки - ")); // 9008 after 43
    // Stored dialog texts: the file's, or empty where it has none.
    EXPECT_EQ(table.DialogText(2001, QStringLiteral("Внимание !")), QStringLiteral("Внимание!"));
    EXPECT_EQ(table.DialogText(2011, QStringLiteral("built in")), QString());

    ApplyLanguageToLink(table, link);
    EXPECT_TRUE(link.LanguageLoaded);
    EXPECT_EQ(link.PortCheckMessage, QStringLiteral("Проверьте порт"));
    EXPECT_EQ(link.LinkErrorMessage, QString());
}

TEST_F(LanguageFile, TheFirstByNameEvenEmptyWithAnyLineEnds) {
    WriteBytes(dir.File(QStringLiteral("b.lng")), "0010=B\r\n");
    WriteBytes(dir.File(QStringLiteral("a.lng")), "0010=F\n0011=O\r\n0012=S");
    WriteBytes(dir.File(QStringLiteral("0.txt")), "0010=T\r\n");
    EXPECT_EQ(Load().fileName, QStringLiteral("a.lng"));
    EXPECT_EQ(table.Text(10) + table.Text(11) + table.Text(12), QStringLiteral("FOS"));

    testing::ScopedStartDirectory other;
    WriteBytes(other.File(QStringLiteral("empty.lng")), "");
    LanguageTable empty;
    LoadLanguageFile(other.Path(), empty, messages);
    EXPECT_TRUE(empty.LanguageLoaded());
    EXPECT_EQ(empty.DialogText(9002, QStringLiteral("Ошибка связи.")), QString());
}

} // namespace
} // namespace zeb
