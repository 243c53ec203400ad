// The forces zeb-cli engrave strikes, read off the virtual controller's strike list: those of
// the default file in a new directory, those the window holds after loading the same
// Zeb.ini, and never one taken in place of a faulty line of Zeb.ini.
#include "app/window_probe.h"
#include "e2e/e2e_rig.h"
#include "setup/strike_levels.h"
#include "setup/strike_levels_helpers.h"

#include <QSlider>
#include <gtest/gtest.h>

#include <set>

namespace zeb::testing {
namespace {

// The forces struck with each profile 1..4, from the `from`-th strike on.
std::map<int, std::set<int>> ForcesByProfile(const std::vector<StruckDot>& strikes,
                                             size_t from = 0) {
    std::map<int, std::set<int>> forces;
    for (size_t i = from; i < strikes.size(); ++i)
        forces[strikes[i].profile].insert(strikes[i].force);
    return forces;
}

// What a pass's forces strike: profile d with the force of level d.
std::map<int, std::set<int>> Struck(const StrikeLevelSet& forces) {
    return {{1, {forces[1]}}, {2, {forces[2]}}, {3, {forces[3]}}, {4, {forces[4]}}};
}

// engrave's line of a pass's forces, "first pass forces: 14, 10, 5, 2 (levels ...", as far as
// its levels.
QString ForcesLine(const QString& pass, const StrikeLevelSet& f) {
    const auto n = [&f](int level) { return QString::number(f[level]); };
    return QStringLiteral("%1 pass forces: %2, %3, %4, %5 (levels")
        .arg(pass, n(4), n(3), n(2), n(1));
}

const QByteArray DefaultFile = Settings();

TEST(CliForces, ANewDirectoryStrikesTheForcesOfTheDefaultFile) {
    E2eDir d;
    ASSERT_TRUE(d.StartSimWith(Picture()));
    const CliResult run = d.Cli({"engrave", "pic.bmp", "--port", d.Port(), "--mode", "combined"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(ForcesByProfile(d.Strikes()), Struck(Forces(14, 10, 5, 2)));
    const QString levels = " (levels \"32\", \"24\", \"16\", \"8\")";
    EXPECT_TRUE(run.out.contains("first pass forces: 14, 10, 5, 2" + levels +
                                 "\nsecond pass forces: 14, 10, 5, 2" + levels +
                                 ", no second pass\n"))
        << run.out.toStdString();
    // The job start wrote what was held: the default file, its own port kept.
    EXPECT_EQ(d.Read("Zeb.ini"), DefaultFile);
}

TEST(CliForces, TheToolHoldsAndStrikesWhatTheWindowHoldsAfterLoadingTheSameFile) {
    struct Row {
        const char* name;
        QByteArray file;
    };
    const Row rows[] = {
        // Sliders clamp: the first pass's "32" 0 -> 1 (after the group rule ran), 250 -> 200,
        // the second pass's "32" keeps 0, its "8" 0 -> 1.
        {"clamped", Settings(0, true, "Group", "0,250,5,2", "Group", "0,255,1,0")},
        // Blanks before a force; a faulty second pass, told and taken the same everywhere.
        {"second pass faulty", Settings(0, true, "Ind  ", "200,  9,3,1", "Ind  ", "999,7,,4")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WindowFixture window(WithFile("Zeb.ini", row.file));
        const StrikeLevels& held = window.form->State().Levels;
        // The window shows what it holds.
        for (int n = 1; n <= 8; ++n) {
            const StrikeLevelSet& pass = n <= 4 ? held.FirstPassLevels : held.SecondPassLevels;
            EXPECT_EQ(Find<QSlider>(*window.form, QString("TrackBar%1").arg(n))->value(),
                      pass[4 - (n - 1) % 4])
                << n;
        }

        E2eDir d;
        ASSERT_TRUE(d.StartSimWith(Picture()));
        d.Write("Zeb.ini", row.file);
        const CliResult run =
            d.Cli({"engrave", "pic.bmp", "--port", d.Port(), "--mode", "combined"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(ForcesLine("first", held.FirstPassLevels)))
            << run.out.toStdString();
        EXPECT_TRUE(run.out.contains("\n" + ForcesLine("second", held.SecondPassLevels)))
            << run.out.toStdString();
        EXPECT_EQ(ForcesByProfile(d.Strikes()), Struck(held.FirstPassLevels));
        // The same words about the same lines.
        const QStringList told = window.answerer.messages.join('\n').split('\n').mid(1);
        for (const QString& line : told)
            EXPECT_TRUE(run.err.contains("Zeb.ini: " + line)) << line.toStdString();
        EXPECT_EQ(told.isEmpty(), run.err.isEmpty()) << run.err.toStdString();
    }
}

TEST(CliForces, FromFaultyLinesOnlyTheForcesGivenAreStruckAndNoneTakenIsWritten) {
    const QByteArray firstFaulty = Settings(0, true, "Group", "999,10,5,2");
    QByteArray givenWritten = firstFaulty;
    givenWritten.replace("Group\r\nKnKHel4-999\r\nKnKHel3-10\r\nKnKHel2-5\r\nKnKHel1-2",
                         "Ind  \r\nKnKHel4-40\r\nKnKHel3-30\r\nKnKHel2-20\r\nKnKHel1-10");
    struct Row {
        const char* name;
        QByteArray file;       // empty: Zeb.ini is a directory
        int exitWithout;       // engrave without --forces
        QByteArray afterGiven; // Zeb.ini after engrave --forces 40,30,20,10; empty: unchanged
    };
    const Row rows[] = {
        {"first pass beyond any force", firstFaulty, 2, givenWritten},
        {"file ends in the first pass", "Group\r\nKnKHel4-14\r\nKnKHel3-10\r\n", 2, {}},
        {"unreadable", {}, 2, {}},
        // Its first pass is sound; the second's taken forces never reach the file.
        {"second pass faulty",
         Settings(0, true, "Group", "60,40,20,6", "Ind  ", "14,x,5,2"),
         0,
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        E2eDir d;
        ASSERT_TRUE(d.StartSimWith(Picture()));
        if (row.file.isEmpty())
            ASSERT_TRUE(QDir(d.File("")).mkdir("Zeb.ini"));
        else
            d.Write("Zeb.ini", row.file);
        const QStringList engrave{"engrave", "pic.bmp", "--port", d.Port(), "--mode", "combined"};

        CliResult run = d.Cli(engrave);
        ASSERT_EQ(run.exitCode, row.exitWithout) << run.err.toStdString();
        if (row.exitWithout == 2) {
            EXPECT_TRUE(run.err.contains(QStringLiteral(
                "Zeb.ini: силы первого прохода не из файла (строки 1..5 неверны или их нет, или "
                "файл не читается), и их никто не выбирал. Задайте их: --forces F32,F24,F16,F8, "
                "или исправьте Zeb.ini.")))
                << run.err.toStdString();
            EXPECT_TRUE(d.Strikes().empty());
        } else {
            EXPECT_EQ(ForcesByProfile(d.Strikes()), Struck(Forces(60, 40, 20, 6)));
        }
        EXPECT_EQ(d.Read("Zeb.ini"), row.file);

        const size_t before = d.Strikes().size();
        run = d.Cli(engrave + QStringList{"--forces", "40,30,20,10"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(ForcesByProfile(d.Strikes(), before), Struck(Forces(40, 30, 20, 10)));
        EXPECT_EQ(d.Read("Zeb.ini"), row.afterGiven.isEmpty() ? row.file : row.afterGiven);
        EXPECT_EQ(QFileInfo(d.File("Zeb.ini")).isDir(), row.file.isEmpty());
    }
}

} // namespace
} // namespace zeb::testing
