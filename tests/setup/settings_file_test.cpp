// "Zeb.ini": the default file, what every line reads as, faulty lines that are reported while
// the rest is read, and saving back, which must never leave a half-written file: a write cut
// off in the middle, once by killing the writer, once by failing its write, leaves what the
// operator had. "ZebTone.ini": the last tone controls, back as written; anything else means
// neutral values with a message, and "Zeb.ini" is never touched.
#include "common/temp_dir.h"
#include "file_helpers.h"
#include "setup/settings_file.h"
#include "setup/tone_levels_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>

namespace zeb {
namespace {

using testing::FilesIn;
using testing::ReadBytes;
using testing::WriteBytes;

// The file a first start writes, spelled out: Windows-1251 text (plain ASCII here), CR LF.
const QByteArray DefaultFile = "Group\r\nKnKHel4-14\r\nKnKHel3-10\r\nKnKHel2-5\r\nKnKHel1-2\r\n"
                               "Ind  \r\nKnKHel4-14\r\nKnKHel3-10\r\nKnKHel2-5\r\nKnKHel1-2\r\n"
                               "com1\r\n1930\r\n2330\r\n0\r\n12\r\n8\r\n1\r\n";

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
    void Load(const QByteArray& file) {
        WriteBytes(Path(), file);
        result = LoadSettings(dir.Path(), settings, levels, machine);
    }
    QString Save() { return SaveSettings(dir.Path(), settings, levels, machine); }

    // Everything a load sets, on one line: per pass the mode and the forces of levels "32" to
    // "8"; the port and its checked item (#9: none); field size, resolution, motor speed,
    // chunk length and picture kind. (What the sliders show: the window's tests.)
    QString Digest() const {
        auto pass = [&](int n) {
            const StrikeLevelSet& f = levels.Forces(n);
            return QString::asprintf("%s %d/%d/%d/%d",
                                     levels.Mode(n) == LevelMode::Group ? "Group" : "Ind", f[4],
                                     f[3], f[2], f[1]);
        };
        const auto& ports = result.portChecks;
        return pass(1) + " | " + pass(2) +
               QString::asprintf(" | %s #%d | %dx%d r%d m%d c%d %s", qPrintable(settings.PortName),
                                 int(std::find(ports.begin(), ports.end(), true) - ports.begin()) +
                                     1,
                                 settings.FieldWidth, settings.FieldHeight,
                                 settings.ResolutionIndex, int(machine.MotorSpeed),
                                 settings.ChunkLength, levels.PortraitMode ? "portrait" : "text");
    }
};

const QString OperatorDigest = "Ind 120/90/60/30 | Group 0/7/6/5 | "
                               "com2 #2 | 1500x1700 r2 m30 c6 text";

TEST(LoadSettings, MissingFileWritesTheDefaultFileByteForByteAndReadsItBackOnRequest) {
    Session s;
    s.settings.FieldWidth = 640;
    s.result = LoadSettings(s.dir.Path(), s.settings, s.levels, s.machine);
    EXPECT_EQ(ReadBytes(s.Path()), DefaultFile);
    EXPECT_TRUE(s.settings.SettingsMissing);
    EXPECT_TRUE(s.result.problems.isEmpty());
    // Nothing is read back: the forces keep their start values; the field is the default one.
    EXPECT_EQ(s.Digest(), "Group 0/0/0/0 | Group 0/0/0/0 | "
                          "com1 #1 | 1930x2330 r0 m12 c8 portrait");
    // Read back, it holds what the next start reads from the default file: line 2 moves
    // level "32" in group mode, which derives 10, 6, 1 first; lines 3..5 then replace them.
    ReadBackDefaultFile(s.settings, s.levels, s.machine);
    Session next;
    next.Load(DefaultFile);
    EXPECT_EQ(s.Digest(), next.Digest());
    EXPECT_EQ(s.Digest(), "Group 14/10/5/2 | Ind 14/10/5/2 | "
                          "com1 #1 | 1930x2330 r0 m12 c8 portrait");

    // Still the file of a start without one: while it was missing every save writes the
    // defaults but for the last four lines.
    EXPECT_TRUE(s.settings.SettingsMissing);
    ASSERT_TRUE(s.Save().isEmpty());
    EXPECT_EQ(ReadBytes(s.Path()), DefaultFile);
    s.levels.FirstPassLevels = SliderCoupling(100); // "32" moved to 100 in group mode
    s.settings.PortName = QStringLiteral("com5");
    s.settings.ResolutionIndex = 3;
    s.machine.MotorSpeed = 20;
    s.levels.PortraitMode = false; // "Текст (ускорение)"
    ASSERT_TRUE(s.Save().isEmpty());
    QByteArray expected = DefaultFile;
    expected.replace("0\r\n12\r\n8\r\n1\r\n", "3\r\n20\r\n8\r\n0\r\n");
    EXPECT_EQ(ReadBytes(s.Path()), expected);
    // A job start clears the mark; from then on the values held are written.
    s.settings.SettingsMissing = false;
    ASSERT_TRUE(s.Save().isEmpty());
    EXPECT_EQ(ReadBytes(s.Path()), "Group\r\nKnKHel4-100\r\nKnKHel3-67\r\nKnKHel2-34\r\n"
                                   "KnKHel1-9\r\nInd  \r\nKnKHel4-14\r\nKnKHel3-10\r\nKnKHel2-5\r\n"
                                   "KnKHel1-2\r\ncom5\r\n1930\r\n2330\r\n3\r\n20\r\n8\r\n0\r\n");
}

TEST(LoadSettings, AnOperatorsFileReadsBackAsWrittenAndIsNotReplacedByTheDefaults) {
    Session s;
    s.Load(Bytes(OperatorLines()));
    EXPECT_TRUE(s.result.problems.isEmpty()) << s.result.problems.join('\n').toStdString();
    ReadBackDefaultFile(s.settings, s.levels, s.machine); // a file that was there stays
    EXPECT_EQ(s.Digest(), OperatorDigest);
    EXPECT_FALSE(s.settings.SettingsMissing);
    ASSERT_TRUE(s.Save().isEmpty());
    EXPECT_EQ(ReadBytes(s.Path()), Bytes(OperatorLines()));
}

TEST(LoadSettings, EachLineReadsAsTheFormatSaysAndABadValueIsReportedWhileTheRestIsRead) {
    struct Case {
        int line;
        const char* text;
        const char* from; // what changes in the operator file's digest
        const char* to;
        // Reported with this in the text (a mode or force line: with the value taken, and
        // its pass marked faulty); nullptr when not reported.
        const char* told = nullptr;
    };
    const Case cases[] = {
        {1, "Group", "Ind 120", "Group 120"},
        {3, "KnKHel3-250", "/90/", "/200/"}, // clamped by its slider, as the operator sees
        {7, "KnKHel4-0", "", ""},            // the second pass's level "32" may be 0
        {4, "KnKHel2-  7", "/60/", "/7/"},   // blanks before the force, within its field
        {2, "KnKHel4-014 ", "120/", "14/"},
        {11, "COM3", "com2 #2", "COM3 #9"}, // no port item checked
        {11, "com3", "com2 #2", "com3 #3"},
        {12, "-5", "1500x", "1000x"},
        {13, "  1200 dots", "x1700", "x1200"},
        {15, "0", "m30", "m12"},
        {16, "0", "c6", "c8"},
        {17, "-3", "text", "portrait"},
        // Mode and force lines not as the program writes them: read as the format says, and
        // the value taken told.
        {1, "group", "", "", "взят индивидуальный режим"}, // only "Group" is group mode
        {6, "Group ", "Group 0", "Ind 0", "взят индивидуальный режим"},
        {2, "KnKHel4-1999", "120/", "199/", "взята сила 199"}, // three characters only
        {2, "KnKHel4-", "120/", "1/", "взята сила 1"},         // raised to the slider's 1
        {7, "KnKHel4-", "", "", "взята сила 0"},
        {9, "KnKHel2-   6", "/7/6/", "/7/1/", "взята сила 1"}, // the force past the field
        {2, "KnKHel3-120", "", "", "взята сила 120"},          // lines out of their places
        // Level "16" stands at 1 on the panel and does not move; the force still follows it.
        {4, "KnKHel2-x7", "/60/", "/1/", "взята сила 1"},
        // Beyond any force: the level stays where the panel shows it at start.
        {3, "KnKHel3-300", "/90/", "/3/", "взята сила 3"},
        {2, "KnKHel4-999", "120/", "3/", "взята сила 3"},
        // Reported; the value keeps what it held.
        {12, "wide", "1500x", "1930x", "ширина остаётся 1930"},
        {14, "12", "r2", "r12", "как для разрешения 0"},
        {15, "300", "m30", "m12", "остаётся 12"},
        {16, "-4", "c6", "c8", "остаётся 8"},
        {17, "yes", "text", "portrait", "остаётся портрет"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("line %1: \"%2\"").arg(c.line).arg(c.text).toStdString());
        Session s;
        QStringList lines = OperatorLines();
        lines[c.line - 1] = QString::fromLatin1(c.text);
        s.Load(Bytes(lines));
        QString expected = OperatorDigest;
        EXPECT_EQ(s.Digest(), *c.from ? expected.replace(c.from, c.to) : expected);
        const bool faulty = c.told && c.line <= 10;
        EXPECT_EQ(s.settings.LevelLinesFaulty,
                  (std::array<bool, 2>{faulty && c.line <= 5, faulty && c.line > 5}));
        EXPECT_TRUE(s.settings.KeepFileReason.isEmpty());
        if (!c.told) {
            EXPECT_TRUE(s.result.problems.isEmpty()) << s.result.problems.join('\n').toStdString();
        } else {
            ASSERT_EQ(s.result.problems.size(), 1) << s.result.problems.join('\n').toStdString();
            EXPECT_TRUE(s.result.problems[0].startsWith(QStringLiteral("строка %1: ").arg(c.line)))
                << s.result.problems[0].toStdString();
            EXPECT_TRUE(s.result.problems[0].contains(QString::fromUtf8(c.told)))
                << s.result.problems[0].toStdString();
        }
    }
}

TEST(LoadSettings, ALevelTheFileCannotGiveKeepsWhatTheGroupRuleDerivedForIt) {
    const struct {
        const char* lines; // lines 1..5
        const char* digest;
    } cases[] = {
        // Level "32" moves from 3 to 100 and derives 67, 34, 9; "24" and "16" keep theirs.
        {"Group|KnKHel4-100|KnKHel3-300|KnKHel2-999|KnKHel1-7", "Group 100/67/34/7"},
        // Level "32" stays at 3: nothing is derived, the levels stay where the panel has them.
        {"Group|KnKHel4-3|KnKHel3-300|KnKHel2-999|KnKHel1-7", "Group 3/3/1/7"},
        {"Ind  |KnKHel4-100|KnKHel3-300|KnKHel2-999|KnKHel1-7", "Ind 100/3/1/7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        Session s;
        QStringList lines = OperatorLines();
        const QStringList first = QString::fromLatin1(c.lines).split('|');
        for (int i = 0; i < 5; ++i)
            lines[i] = first[i];
        s.Load(Bytes(lines));
        EXPECT_TRUE(s.Digest().startsWith(QString::fromLatin1(c.digest) + " |"))
            << s.Digest().toStdString();
    }
}

TEST(LoadSettings, ShortFilesTellTheValuesTakenForTheMissingLines) {
    Session s;
    s.Load("Group\r\nKnKHel4-50\r\nKnKHel3-40\r\nKnKHel2-30\r\nKnKHel1-20\r\n");
    EXPECT_EQ(s.Digest(), "Group 50/40/30/20 | Ind 0/1/1/1 | "
                          " #9 | 1000x1000 r0 m12 c8 text");
    EXPECT_EQ(s.settings.LevelLinesFaulty, (std::array<bool, 2>{false, true}));
    EXPECT_EQ(
        s.result.problems,
        QStringList({"строка 6: нет строки; взят индивидуальный режим",
                     "строка 7: нет строки; взята сила 0", "строка 8: нет строки; взята сила 1",
                     "строка 9: нет строки; взята сила 1", "строка 10: нет строки; взята сила 1",
                     "строка 11: нет строки; файл кончается на строке 5, остальное "
                     "читается как пустое"}));

    // Both passes whole: only the end of the file is told.
    Session passes;
    passes.Load(Bytes(OperatorLines().mid(0, 12)));
    EXPECT_EQ(passes.settings.LevelLinesFaulty, (std::array<bool, 2>{false, false}));
    EXPECT_EQ(passes.result.problems,
              QStringList({"строка 13: нет строки; файл кончается на строке 12, остальное "
                           "читается как пустое"}));

    // Lines ending in LF only, and nothing read after line 17.
    Session lf;
    lf.Load(Bytes(OperatorLines()).replace("\r\n", "\n") + "Group\nextra line\n");
    EXPECT_TRUE(lf.result.problems.isEmpty()) << lf.result.problems.join('\n').toStdString();
    EXPECT_EQ(lf.Digest(), OperatorDigest);
    Session last; // the last line without its end
    last.Load(Bytes(OperatorLines()).chopped(3) + "1");
    EXPECT_EQ(last.Digest(), QString(OperatorDigest).replace("text", "portrait"));
}

TEST(LoadSettings, AFileThatCannotBeReadKeepsEverythingAndIsNeverWritten) {
    // Nothing but a plain file is read: a pipe would hold the start-up until written into.
    const std::pair<const char*, std::function<bool(const QString&)>> kinds[] = {
        {"directory", [](const QString& path) { return QDir().mkdir(path); }},
        {"pipe", [](const QString& path) { return mkfifo(qPrintable(path), 0600) == 0; }},
        {"link to nowhere",
         [](const QString& path) { return QFile::link(QStringLiteral("gone.ini"), path); }},
    };
    for (const auto& [kind, make] : kinds) {
        SCOPED_TRACE(kind);
        Session s;
        ASSERT_TRUE(make(s.Path()));
        const QFileInfo before(s.Path());
        s.result = LoadSettings(s.dir.Path(), s.settings, s.levels, s.machine);
        ASSERT_EQ(s.result.problems.size(), 1);
        EXPECT_TRUE(s.result.problems[0].startsWith(QStringLiteral("не читается")))
            << s.result.problems[0].toStdString();
        EXPECT_FALSE(s.settings.SettingsMissing);
        EXPECT_EQ(s.settings.LevelLinesFaulty, (std::array<bool, 2>{true, true}));
        EXPECT_EQ(s.Digest(), "Group 0/0/0/0 | Group 0/0/0/0 | "
                              "com1 #1 | 1930x2330 r0 m12 c8 portrait");
        // Neither the close nor a job start replaces it; each says so.
        const QString error = s.Save();
        EXPECT_TRUE(error.startsWith(QStringLiteral("Zeb.ini не записан: при запуске он не "
                                                    "читался")))
            << error.toStdString();
        const QFileInfo after(s.Path());
        EXPECT_EQ(std::tuple(after.isDir(), after.isSymLink(), after.isFile(), after.exists()),
                  std::tuple(before.isDir(), before.isSymLink(), before.isFile(), before.exists()));
        // Nothing left beside it either.
        EXPECT_EQ(
            QDir(s.dir.Path())
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"Zeb.ini"});
    }
}

// Files this process writes may grow to `bytes` and no further, until the guard goes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

// The operator's file on disk, and another port held to be saved over it.
struct Held : Session {
    Held() {
        Load(Bytes(OperatorLines()));
        settings.PortName = QStringLiteral("com7");
    }
};

TEST(SaveSettingsDeathTest, WriterKilledHalfWayLeavesTheOldFileWhole) {
    Held held;
    // The kernel kills the writer (SIGXFSZ) when it tries to write past 20 bytes: the new
    // content is cut off after its first 20 bytes, and the writer gets no chance to tidy up.
    EXPECT_EXIT(
        {
            std::signal(SIGXFSZ, SIG_DFL);
            FileSizeLimit limit(20);
            held.Save();
            std::_Exit(0);
        },
        ::testing::KilledBySignal(SIGXFSZ), "");
    // Whatever the killed writer had written went nowhere near the settings, and the next
    // start reads the old settings as they were.
    EXPECT_EQ(ReadBytes(held.Path()), Bytes(OperatorLines()));
    EXPECT_EQ(FilesIn(held.dir.Path()), QStringList{QStringLiteral("Zeb.ini")});
    Settings next;
    EXPECT_TRUE(LoadSettings(held.dir.Path(), next, held.levels, held.machine).problems.isEmpty());
    EXPECT_EQ(next.PortName, QStringLiteral("com2"));
}

TEST(SaveSettings, FailedWriteIsReportedAndTheOldFileStays) {
    Held held;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    QString error;
    {
        FileSizeLimit limit(20);
        error = held.Save();
    }
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadBytes(held.Path()), Bytes(OperatorLines()));
    EXPECT_EQ(FilesIn(held.dir.Path()), QStringList{QStringLiteral("Zeb.ini")});
    // Once writing works again the new settings replace the old ones whole.
    ASSERT_TRUE(held.Save().isEmpty());
    EXPECT_TRUE(ReadBytes(held.Path()).contains("\r\ncom7\r\n"));
    EXPECT_EQ(FilesIn(held.dir.Path()), QStringList{QStringLiteral("Zeb.ini")});
}

TEST(ToneLevelsFile, WrittenValuesComeBackAndAMissingFileIsNeutral) {
    testing::ScopedStartDirectory dir;
    ToneLevelsLoad load = LoadToneLevels(dir.Path());
    EXPECT_TRUE(load.levels.Neutral());
    EXPECT_TRUE(load.problem.isEmpty());

    const ToneLevels levels{20, 230, 1.4, true};
    ASSERT_EQ(SaveToneLevels(dir.Path(), levels), QString());
    EXPECT_EQ(ReadBytes(dir.File("ZebTone.ini")), QByteArray("20\r\n230\r\n1.4\r\n1\r\n"));
    EXPECT_EQ(FilesIn(dir.Path()), QStringList{"ZebTone.ini"});
    load = LoadToneLevels(dir.Path());
    EXPECT_EQ(load.levels, levels);
    EXPECT_TRUE(load.problem.isEmpty());

    // A gamma that has no short decimal form still comes back as the same number.
    const ToneLevels third{0, 255, 1.0 / 3.0, false};
    ASSERT_EQ(SaveToneLevels(dir.Path(), third), QString());
    EXPECT_EQ(LoadToneLevels(dir.Path()).levels, third);
}

TEST(ToneLevelsFile, AnyOtherContentMeansNeutralWithAMessage) {
    struct Row {
        const char* name;
        QByteArray bytes;
        const char* told; // part of the message
    };
    const Row rows[] = {
        {"three lines", "20\r\n230\r\n1.4\r\n", "3 строк"},
        {"five lines", "20\r\n230\r\n1.4\r\n1\r\n0\r\n", "больше 4"},
        {"black no number", "x\r\n230\r\n1.4\r\n1\r\n", "строка 1"},
        {"white no number", "20\r\n\r\n1.4\r\n1\r\n", "строка 2"},
        {"gamma with a comma", "20\r\n230\r\n1,4\r\n1\r\n", "строка 3"},
        {"invert as a word", "20\r\n230\r\n1.4\r\nyes\r\n", "строка 4"},
        {"black not below white", "230\r\n20\r\n1.4\r\n0\r\n", "меньше белой"},
        {"white above 255", "0\r\n300\r\n1\r\n0\r\n", "0..255"},
        {"gamma too small", "0\r\n255\r\n0.05\r\n0\r\n", "0.1..10"},
        {"empty", "", "0 строк"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        testing::ScopedStartDirectory dir;
        WriteBytes(dir.File("ZebTone.ini"), row.bytes);
        const ToneLevelsLoad load = LoadToneLevels(dir.Path());
        EXPECT_TRUE(load.levels.Neutral());
        EXPECT_TRUE(load.problem.contains("ZebTone.ini")) << load.problem.toStdString();
        EXPECT_TRUE(load.problem.contains(QString::fromUtf8(row.told)))
            << load.problem.toStdString();
        EXPECT_EQ(ReadBytes(dir.File("ZebTone.ini")), row.bytes); // left as it was
        EXPECT_EQ(FilesIn(dir.Path()), QStringList{"ZebTone.ini"});
    }

    // Not a file at all: told, and not waited on.
    testing::ScopedStartDirectory dir;
    ASSERT_TRUE(QDir(dir.Path()).mkdir("ZebTone.ini"));
    const ToneLevelsLoad load = LoadToneLevels(dir.Path());
    EXPECT_TRUE(load.levels.Neutral());
    EXPECT_FALSE(load.problem.isEmpty());
    EXPECT_FALSE(SaveToneLevels(dir.Path(), ToneLevels{}).isEmpty());
}

} // namespace
} // namespace zeb
