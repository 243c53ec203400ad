#include "common/temp_dir.h"
#include "file_helpers.h"
#include "setup/settings_file.h"
#include "strike_levels_helpers.h"

#include <gtest/gtest.h>

#include <QDir>

#include <functional>
#include <initializer_list>

namespace zeb {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

// The file a first start writes, spelled out: Windows-1251 text (plain ASCII here), CR LF.
const QByteArray DefaultFile = "Group\r\n"
                               "KnKHel4-14\r\n"
                               "KnKHel3-10\r\n"
                               "KnKHel2-5\r\n"
                               "KnKHel1-2\r\n"
                               "Ind  \r\n"
                               "KnKHel4-14\r\n"
                               "KnKHel3-10\r\n"
                               "KnKHel2-5\r\n"
                               "KnKHel1-2\r\n"
                               "com1\r\n"
                               "1930\r\n"
                               "2330\r\n"
                               "0\r\n"
                               "12\r\n"
                               "8\r\n"
                               "1\r\n";

// A file of an operator who has changed everything; line N is element N - 1.
QStringList OperatorLines() {
    return {"Ind  ",     "KnKHel4-120", "KnKHel3-90", "KnKHel2-60", "KnKHel1-30", "Group",
            "KnKHel4-0", "KnKHel3-7",   "KnKHel2-6",  "KnKHel1-5",  "com2",       "1500",
            "1700",      "2",           "30",         "6",          "0"};
}

QByteArray Bytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

struct Session {
    testing::ScopedStartDirectory dir;
    Settings settings;
    StrikeLevels levels;
    MachineState machine;
    SettingsLoadResult result;

    QString Path() const { return dir.File(QStringLiteral("Zeb.ini")); }
    void Load() { result = LoadSettings(dir.Path(), settings, levels, machine); }
    QString Save() { return SaveSettings(dir.Path(), settings, levels, machine); }
};

TEST(LoadSettings, MissingFileWritesTheDefaultFileByteForByte) {
    Session s;
    s.settings.FieldWidth = 640;
    s.Load();
    EXPECT_EQ(ReadBytes(s.Path()), DefaultFile);
    EXPECT_TRUE(s.settings.SettingsMissing);
    EXPECT_EQ(s.settings.FieldWidth, 1930);
    EXPECT_EQ(s.settings.FieldHeight, 2330);
    EXPECT_TRUE(s.result.problems.isEmpty());
    // Nothing is read back: forces and sliders keep their start values.
    EXPECT_EQ(s.levels.FirstPassLevels, Forces(0, 0, 0, 0));
    EXPECT_EQ(s.levels.Slider(1).Position(), 3);
    EXPECT_TRUE(s.levels.PrintReady2.Group.Checked());
}

TEST(SaveSettings, WhileTheFileWasMissingEverySaveWritesTheDefaults) {
    Session s;
    s.Load();
    s.levels.Slider(1).SetPosition(100);
    s.settings.PortName = QStringLiteral("com5");
    s.settings.ResolutionIndex = 3;
    s.machine.MotorSpeed = 20;
    s.levels.RadioButton9.Click();
    ASSERT_TRUE(s.Save().isEmpty());
    QByteArray expected = DefaultFile;
    expected.replace("0\r\n12\r\n8\r\n1\r\n", "3\r\n20\r\n8\r\n0\r\n");
    EXPECT_EQ(ReadBytes(s.Path()), expected);

    // A job start clears the mark; from then on the values held are written.
    s.settings.SettingsMissing = false;
    ASSERT_TRUE(s.Save().isEmpty());
    EXPECT_EQ(ReadBytes(s.Path()), QByteArray("Group\r\nKnKHel4-100\r\nKnKHel3-67\r\n"
                                              "KnKHel2-34\r\nKnKHel1-9\r\nGroup\r\n"
                                              "KnKHel4-0\r\nKnKHel3-0\r\nKnKHel2-0\r\n"
                                              "KnKHel1-0\r\ncom5\r\n1930\r\n2330\r\n"
                                              "3\r\n20\r\n8\r\n0\r\n"));
}

TEST(LoadSettings, ReadsWhatTheOperatorSaved) {
    Session first;
    WriteBytes(first.Path(), Bytes(OperatorLines()));
    first.Load();
    EXPECT_TRUE(first.result.problems.isEmpty()) << first.result.problems.join('\n').toStdString();
    EXPECT_TRUE(first.levels.PrintReady.Individual.Checked());
    EXPECT_TRUE(first.levels.Slider(2).Enabled());
    EXPECT_EQ(first.levels.FirstPassLevels, Forces(120, 90, 60, 30));
    EXPECT_TRUE(first.levels.PrintReady2.Group.Checked());
    EXPECT_EQ(first.levels.SecondPassLevels, Forces(0, 7, 6, 5));
    EXPECT_EQ(first.levels.PrintReady2.ValueLabel(2).Text(), QStringLiteral("(6)"));
    EXPECT_EQ(first.settings.PortName, QStringLiteral("com2"));
    EXPECT_EQ(first.result.portChecks, (std::array<bool, 8>{false, true}));
    EXPECT_EQ(first.settings.FieldWidth, 1500);
    EXPECT_EQ(first.settings.FieldHeight, 1700);
    EXPECT_EQ(first.settings.ResolutionIndex, 2);
    EXPECT_EQ(first.machine.MotorSpeed, 30);
    EXPECT_EQ(first.settings.ChunkLength, 6);
    EXPECT_FALSE(first.levels.PortraitMode);
    EXPECT_FALSE(first.settings.SettingsMissing);

    // Saved again, the file is the same byte for byte.
    ASSERT_TRUE(first.Save().isEmpty());
    EXPECT_EQ(ReadBytes(first.Path()), Bytes(OperatorLines()));
}

TEST(LoadSettings, GroupModeForcesAreThoseOfTheFile) {
    // Line 2 moves TrackBar1 in group mode, which derives 10, 6, 1 first; lines 3..5 then
    // replace the derived forces.
    Session s;
    WriteBytes(s.Path(), DefaultFile);
    s.Load();
    EXPECT_EQ(s.levels.FirstPassLevels, Forces(14, 10, 5, 2));
    EXPECT_EQ(s.levels.Slider(3).Position(), 5);
    EXPECT_EQ(s.levels.PrintReady.ValueLabel(1).Text(), QStringLiteral("(2)"));
    EXPECT_EQ(s.levels.SecondPassLevels, Forces(14, 10, 5, 2));
    EXPECT_TRUE(s.levels.PrintReady2.Individual.Checked());
}

struct LineCase {
    const char* what;
    int line;
    const char* text;
    std::function<void(const Session&)> check;
};

class SettingsLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(SettingsLine, ReadsAsTheFormatSays) {
    const LineCase& c = GetParam();
    Session s;
    QStringList lines = OperatorLines();
    lines[c.line - 1] = QString::fromLatin1(c.text);
    WriteBytes(s.Path(), Bytes(lines));
    s.Load();
    EXPECT_TRUE(s.result.problems.isEmpty()) << s.result.problems.join('\n').toStdString();
    c.check(s);
}

const LineCase LineCases[] = {
    {"Group", 1, "Group",
     [](const Session& s) { EXPECT_TRUE(s.levels.PrintReady.Group.Checked()); }},
    {"LowerCaseGroup", 1, "group",
     [](const Session& s) { EXPECT_TRUE(s.levels.PrintReady.Individual.Checked()); }},
    {"GroupAndBlank", 6, "Group ",
     [](const Session& s) { EXPECT_TRUE(s.levels.PrintReady2.Individual.Checked()); }},
    {"Force200", 2, "KnKHel4-200",
     [](const Session& s) { EXPECT_EQ(s.levels.FirstPassLevels[4], 200); }},
    {"ThreeCharactersOnly", 2, "KnKHel4-1999",
     [](const Session& s) { EXPECT_EQ(s.levels.FirstPassLevels[4], 199); }},
    {"EmptyForceRaisedToOne", 2, "KnKHel4-",
     [](const Session& s) {
         EXPECT_EQ(s.levels.FirstPassLevels[4], 1);
         EXPECT_EQ(s.levels.PrintReady.ValueLabel(4).Text(), QStringLiteral("(1)"));
     }},
    {"SecondPassLevel32MayBeZero", 7, "KnKHel4-",
     [](const Session& s) { EXPECT_EQ(s.levels.SecondPassLevels[4], 0); }},
    {"ForceAbove200Clamped", 3, "KnKHel3-250",
     [](const Session& s) {
         EXPECT_EQ(s.levels.FirstPassLevels[3], 200);
         EXPECT_EQ(s.levels.Slider(2).Position(), 200);
     }},
    {"LeadingBlanks", 4, "KnKHel2-  7",
     [](const Session& s) { EXPECT_EQ(s.levels.FirstPassLevels[2], 7); }},
    {"DigitsUpToALetter", 4, "KnKHel2-7x5",
     [](const Session& s) { EXPECT_EQ(s.levels.FirstPassLevels[2], 7); }},
    {"ZeroOnASliderAlreadyAtOne", 4, "KnKHel2-x7",
     [](const Session& s) {
         // TrackBar3 stands at 1 by design and does not move; the force still follows it.
         EXPECT_EQ(s.levels.FirstPassLevels[2], 1);
     }},
    {"UpperCasePort", 11, "COM3",
     [](const Session& s) {
         EXPECT_EQ(s.settings.PortName, QStringLiteral("COM3"));
         EXPECT_EQ(s.result.portChecks, (std::array<bool, 8>{}));
     }},
    {"Port3", 11, "com3",
     [](const Session& s) {
         EXPECT_EQ(s.result.portChecks, (std::array<bool, 8>{false, false, true}));
     }},
    {"DevicePath", 11, "/dev/ttyUSB0 ",
     [](const Session& s) { EXPECT_EQ(s.settings.PortName, QStringLiteral("/dev/ttyUSB0 ")); }},
    {"WidthZero", 12, "0", [](const Session& s) { EXPECT_EQ(s.settings.FieldWidth, 1000); }},
    {"WidthNegative", 12, "-5", [](const Session& s) { EXPECT_EQ(s.settings.FieldWidth, 1000); }},
    {"HeightWithTrailingWords", 13, "  1200 dots",
     [](const Session& s) { EXPECT_EQ(s.settings.FieldHeight, 1200); }},
    {"MotorSpeedZero", 15, "0", [](const Session& s) { EXPECT_EQ(s.machine.MotorSpeed, 12); }},
    {"MotorSpeed255", 15, "255", [](const Session& s) { EXPECT_EQ(s.machine.MotorSpeed, 255); }},
    {"ChunkLengthZero", 16, "0", [](const Session& s) { EXPECT_EQ(s.settings.ChunkLength, 8); }},
    {"PortraitAnyNonZero", 17, "-3", [](const Session& s) { EXPECT_TRUE(s.levels.PortraitMode); }},
};

INSTANTIATE_TEST_SUITE_P(Cases, SettingsLine, ::testing::ValuesIn(LineCases),
                         [](const auto& info) { return std::string(info.param.what); });

struct BadCase {
    const char* what;
    int line;
    const char* text;
    std::function<void(const Session&)> check; // the value kept
};

class SettingsBadLine : public ::testing::TestWithParam<BadCase> {};

TEST_P(SettingsBadLine, IsReportedAndTheRestIsStillRead) {
    const BadCase& c = GetParam();
    Session s;
    QStringList lines = OperatorLines();
    lines[c.line - 1] = QString::fromLatin1(c.text);
    WriteBytes(s.Path(), Bytes(lines));
    s.Load();
    ASSERT_EQ(s.result.problems.size(), 1) << s.result.problems.join('\n').toStdString();
    EXPECT_TRUE(s.result.problems[0].startsWith(QStringLiteral("строка %1: ").arg(c.line)))
        << s.result.problems[0].toStdString();
    c.check(s);
    // Every other line was read all the same.
    if (c.line != 17) {
        EXPECT_FALSE(s.levels.PortraitMode);
    }
    if (c.line != 16) {
        EXPECT_EQ(s.settings.ChunkLength, 6);
    }
    EXPECT_EQ(s.settings.PortName, QStringLiteral("com2"));
}

const BadCase BadCases[] = {
    {"ForceAbove255", 3, "KnKHel3-300",
     [](const Session& s) {
         EXPECT_EQ(s.levels.FirstPassLevels[3], 0); // individual mode: nothing derived it
         EXPECT_EQ(s.levels.Slider(2).Position(), 3);
         EXPECT_EQ(s.levels.FirstPassLevels[2], 60);
     }},
    {"WidthNotANumber", 12, "wide",
     [](const Session& s) {
         EXPECT_EQ(s.settings.FieldWidth, 1930);
         EXPECT_EQ(s.settings.FieldHeight, 1700);
     }},
    {"WidthNotWhollyANumber", 12, "15OO",
     [](const Session& s) { EXPECT_EQ(s.settings.FieldWidth, 1930); }},
    {"HeightBeyondABitmap", 13, "99999",
     [](const Session& s) { EXPECT_EQ(s.settings.FieldHeight, 2330); }},
    {"ResolutionOutsideList", 14, "12",
     [](const Session& s) { EXPECT_EQ(s.settings.ResolutionIndex, 12); }},
    {"MotorSpeedAbove255", 15, "300",
     [](const Session& s) { EXPECT_EQ(s.machine.MotorSpeed, 12); }},
    {"MotorSpeedNotANumber", 15, "fast",
     [](const Session& s) {
         EXPECT_EQ(s.machine.MotorSpeed, 12);
         EXPECT_EQ(s.settings.ResolutionIndex, 2);
     }},
    {"ChunkLengthNegative", 16, "-4",
     [](const Session& s) { EXPECT_EQ(s.settings.ChunkLength, 8); }},
    {"PictureKindNotANumber", 17, "yes",
     [](const Session& s) { EXPECT_TRUE(s.levels.PortraitMode); }},
};

INSTANTIATE_TEST_SUITE_P(Cases, SettingsBadLine, ::testing::ValuesIn(BadCases),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(LoadSettings, ShortFileReadsAsEmptyLinesAndSaysSo) {
    Session s;
    WriteBytes(s.Path(), "Group\r\nKnKHel4-50\r\nKnKHel3-40\r\nKnKHel2-30\r\nKnKHel1-20\r\n");
    s.Load();
    EXPECT_EQ(s.levels.FirstPassLevels, Forces(50, 40, 30, 20));
    EXPECT_TRUE(s.levels.PrintReady2.Individual.Checked());
    EXPECT_EQ(s.levels.SecondPassLevels, Forces(0, 1, 1, 1));
    EXPECT_EQ(s.settings.PortName, QString());
    EXPECT_EQ(s.result.portChecks, (std::array<bool, 8>{}));
    EXPECT_EQ(s.settings.FieldWidth, 1000);
    EXPECT_EQ(s.settings.FieldHeight, 1000);
    EXPECT_EQ(s.settings.ResolutionIndex, 0);
    EXPECT_EQ(s.machine.MotorSpeed, 12);
    EXPECT_EQ(s.settings.ChunkLength, 8);
    EXPECT_FALSE(s.levels.PortraitMode);
    ASSERT_EQ(s.result.problems.size(), 1);
    EXPECT_TRUE(s.result.problems[0].startsWith(QStringLiteral("строка 6: нет строки")));
}

TEST(LoadSettings, LinesEndingInLineFeedOnlyAndNothingAfterLine17) {
    Session s;
    QByteArray bytes = Bytes(OperatorLines()).replace("\r\n", "\n");
    WriteBytes(s.Path(), bytes + "Group\nextra line\n");
    s.Load();
    EXPECT_TRUE(s.result.problems.isEmpty()) << s.result.problems.join('\n').toStdString();
    EXPECT_EQ(s.settings.PortName, QStringLiteral("com2"));
    EXPECT_EQ(s.settings.ChunkLength, 6);
    EXPECT_FALSE(s.levels.PortraitMode);
}

TEST(LoadSettings, LastLineWithoutItsEnd) {
    Session s;
    QStringList lines = OperatorLines();
    lines[16] = QStringLiteral("1");
    QByteArray bytes = Bytes(lines);
    bytes.chop(2);
    WriteBytes(s.Path(), bytes);
    s.Load();
    EXPECT_TRUE(s.result.problems.isEmpty()) << s.result.problems.join('\n').toStdString();
    EXPECT_TRUE(s.levels.PortraitMode);
}

TEST(LoadSettings, UnreadableFileKeepsEverythingAndIsNotOverwritten) {
    Session s;
    ASSERT_TRUE(QDir(s.dir.Path()).mkdir(QStringLiteral("Zeb.ini")));
    s.Load();
    ASSERT_EQ(s.result.problems.size(), 1);
    EXPECT_TRUE(s.result.problems[0].startsWith(QStringLiteral("Zeb.ini: не читается")));
    EXPECT_FALSE(s.settings.SettingsMissing);
    EXPECT_EQ(s.settings.PortName, QStringLiteral("com1"));
    EXPECT_EQ(s.result.portChecks, (std::array<bool, 8>{true}));
    EXPECT_TRUE(QFileInfo(s.Path()).isDir());
}

} // namespace
} // namespace zeb
