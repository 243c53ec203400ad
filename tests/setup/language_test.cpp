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

struct CodeCase {
    const char* line;
    std::optional<int> code;
    const char* text; // UTF-8
};

class LanguageLine : public ::testing::TestWithParam<CodeCase> {};

TEST_P(LanguageLine, CodeIsTheFirstFourCharactersAndTextFollowsTheFirstEquals) {
    const CodeCase& c = GetParam();
    const QString line = QString::fromUtf8(c.line);
    EXPECT_EQ(LanguageLineCode(line), c.code);
    EXPECT_EQ(LanguageLineText(line), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageLine,
    ::testing::Values(CodeCase{"0043=Прогрев", 43, "Прогрев"},
                      CodeCase{"  43=Прогрев", 43, "Прогрев"},
                      CodeCase{"   0=Время: ", 0, "Время: "},     // code 0 as blanks and 0
                      CodeCase{"0=Время", std::nullopt, "Время"}, // "0=Вр" is no number
                      CodeCase{"10=Файл", std::nullopt, "Файл"},
                      CodeCase{"1031=a=b", 1031, "a=b"}, // only the first "=" counts
                      CodeCase{"0131= two  blanks ", 131, " two  blanks "},
                      CodeCase{"9009", 9009, "9009"}, // no "=": the whole line
                      CodeCase{"43", 43, "43"}, CodeCase{" 4 3=x", std::nullopt, "x"},
                      CodeCase{"abcd=x", std::nullopt, "x"}, CodeCase{"", std::nullopt, ""}));

TEST(ApplyLanguageString, Code43RenamesTheMenuAndStatusEntry8AndLaterLinesWin) {
    LanguageTable table;
    StatusMessages messages;
    SetDefaultMessages(messages);
    ApplyLanguageString(table, messages, 43, QStringLiteral("Warm-up"));
    EXPECT_EQ(table.MainWindowText(43, DefaultMenuText(4, 3)), QStringLiteral("Warm-up"));
    EXPECT_EQ(messages.Text(8), QStringLiteral("Warm-up"));

    ApplyLanguageString(table, messages, 9008, QStringLiteral("Heating - "));
    EXPECT_EQ(messages.Text(8), QStringLiteral("Heating - "));
    EXPECT_EQ(table.MainWindowText(43, DefaultMenuText(4, 3)), QStringLiteral("Warm-up"));

    ApplyLanguageString(table, messages, 43, QStringLiteral("Warm-up again"));
    EXPECT_EQ(messages.Text(8), QStringLiteral("Warm-up again"));
}

TEST(ApplyLanguageString, StatusCodesFillTheirEntriesCutTo255) {
    LanguageTable table;
    StatusMessages messages;
    SetDefaultMessages(messages);
    const int codes[] = {9003, 9004, 9005, 9006, 9007, 9008, 9009, 9010};
    const int entries[] = {1, 2, 3, 6, 7, 8, 4, 5};
    for (int i = 0; i < 8; ++i)
        ApplyLanguageString(table, messages, codes[i], QStringLiteral("text %1").arg(codes[i]));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(messages.Text(entries[i]), QStringLiteral("text %1").arg(codes[i]));

    const QString longText(300, QLatin1Char('x'));
    ApplyLanguageString(table, messages, 9005, longText);
    EXPECT_EQ(messages.Text(3), QString(255, QLatin1Char('x')));
}

TEST(ApplyLanguageString, UnknownCodesAreIgnored) {
    LanguageTable table;
    StatusMessages messages;
    SetDefaultMessages(messages);
    for (int code : {2, 20, 41, 9000, 9011, -43})
        ApplyLanguageString(table, messages, code, QStringLiteral("x"));
    for (int code : {2, 20, 41, 9000, 9011, -43})
        EXPECT_FALSE(table.Defined(code)) << code;
    EXPECT_EQ(messages.Text(8), QStringLiteral("Разогрев головки - "));
}

TEST(StatusMessages, BuiltInTexts) {
    StatusMessages messages;
    SetDefaultMessages(messages);
    const char* expected[] = {"Преобразование изображения", "Перенос данных",
                              "Изображение готово",         "Устройство готово к работе",
                              "Найдено устройство ",        "Загрузка файла",
                              "Подготовка данных",          "Разогрев головки - "};
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(messages.Text(n), QString::fromUtf8(expected[n - 1])) << n;
    EXPECT_EQ(messages.Text(0), QString());
    EXPECT_EQ(messages.Text(9), QString());
}

TEST(MainWindowTexts, StandardButtonsDifferByOneBlankAndShareCode431) {
    EXPECT_EQ(DefaultMainWindowText(QStringLiteral("RadioButton2")),
              QStringLiteral("Стандарт  (двухсторонний проход)"));
    EXPECT_EQ(DefaultMainWindowText(QStringLiteral("RadioButton6")),
              QStringLiteral("Стандарт   (двухсторонний проход)"));
    int named431 = 0;
    for (const MainWindowText& t : MainWindowTexts())
        named431 += t.code == 431;
    EXPECT_EQ(named431, 2);
    EXPECT_EQ(DefaultMenuText(1, 0), QStringLiteral("Файл"));
    EXPECT_EQ(DefaultMenuText(8, 1), QStringLiteral("О..."));
    EXPECT_EQ(DefaultMainWindowText(QStringLiteral("Label37")),
              QStringLiteral("Длительность работы: "));
}

class LanguageFile : public ::testing::Test {
protected:
    testing::ScopedStartDirectory dir;
    LanguageTable table;
    StatusMessages messages;
    LinkState link;

    void SetUp() override { SetDefaultMessages(messages); }
    LanguageLoadResult Load() { return LoadLanguageFile(dir.Path(), table, messages); }
    void CopySample(const QString& as) {
        QFile::copy(QStringLiteral(ZEB_TEST_DATA "/setup/english_menus.lng"), dir.File(as));
    }
};

TEST_F(LanguageFile, NoFileLeavesEveryTextBuiltIn) {
    const LanguageLoadResult result = Load();
    EXPECT_TRUE(result.fileName.isEmpty());
    EXPECT_FALSE(table.LanguageLoaded());
    EXPECT_EQ(table.DialogText(2001, QStringLiteral("Внимание !")), QStringLiteral("Внимание !"));
    ApplyLanguageToLink(table, link);
    EXPECT_FALSE(link.LanguageLoaded);
}

TEST_F(LanguageFile, Windows1251FileReplacesTexts) {
    CopySample(QStringLiteral("english.lng"));
    const LanguageLoadResult result = Load();
    EXPECT_EQ(result.fileName, QStringLiteral("english.lng"));
    EXPECT_TRUE(result.error.isEmpty());
    ASSERT_TRUE(table.LanguageLoaded());

    EXPECT_EQ(table.MainWindowText(10, DefaultMenuText(1, 0)), QStringLiteral("File"));
    EXPECT_EQ(table.MainWindowText(11, DefaultMenuText(1, 1)), QStringLiteral("Open"));
    // Not in the file: the main window keeps its own text.
    EXPECT_EQ(table.MainWindowText(13, DefaultMenuText(1, 3)), QStringLiteral("Выход"));
    EXPECT_EQ(table.MainWindowText(131, QString()), QStringLiteral("Свойства  гравировки "));
    EXPECT_EQ(table.MainWindowText(0, QString()), QStringLiteral("Duration: "));
    EXPECT_EQ(table.MainWindowText(81, QString()), QStringLiteral("About=more"));
    // 43 came first, 9008 later: the later one is the status text.
    EXPECT_EQ(table.Text(43), QStringLiteral("Warm-up"));
    EXPECT_EQ(messages.Text(8), QStringLiteral("Нагрев головки - "));
    EXPECT_EQ(messages.Text(4), QStringLiteral("Устройство готово к работе"));
    // Stored dialog texts: the file's, or empty where it has none.
    EXPECT_EQ(table.DialogText(2001, QStringLiteral("Внимание !")), QStringLiteral("Внимание!"));
    EXPECT_EQ(table.DialogText(2011, QStringLiteral("built in")), QString());
    EXPECT_FALSE(table.Defined(9999));

    ApplyLanguageToLink(table, link);
    EXPECT_TRUE(link.LanguageLoaded);
    EXPECT_EQ(link.PortCheckMessage, QStringLiteral("Проверьте порт"));
    EXPECT_EQ(link.LinkErrorMessage, QString());
}

TEST_F(LanguageFile, FirstByNameOfSeveral) {
    WriteBytes(dir.File(QStringLiteral("b.lng")), "0010=B\r\n");
    WriteBytes(dir.File(QStringLiteral("a.lng")), "0010=A\r\n");
    WriteBytes(dir.File(QStringLiteral("0.txt")), "0010=T\r\n");
    EXPECT_EQ(Load().fileName, QStringLiteral("a.lng"));
    EXPECT_EQ(table.Text(10), QStringLiteral("A"));
}

TEST_F(LanguageFile, EmptyFileStillCountsAsLoaded) {
    WriteBytes(dir.File(QStringLiteral("empty.lng")), "");
    Load();
    EXPECT_TRUE(table.LanguageLoaded());
    EXPECT_EQ(table.DialogText(9002, QStringLiteral("Ошибка связи.")), QString());
}

TEST_F(LanguageFile, LinesEndingInLineFeedAndALastLineWithoutEnd) {
    WriteBytes(dir.File(QStringLiteral("x.lng")), "0010=F\n0011=O\r\n0012=S");
    Load();
    EXPECT_EQ(table.Text(10), QStringLiteral("F"));
    EXPECT_EQ(table.Text(11), QStringLiteral("O"));
    EXPECT_EQ(table.Text(12), QStringLiteral("S"));
}

} // namespace
} // namespace zeb
