// The program's command line: the options the menu entry and the operator use, and the
// start directory they choose.
#include "app/program_options.h"
#include "common/temp_dir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <ostream>

namespace zeb::app {
namespace {

struct OptionsCase {
    QStringList args;
    bool version;
    bool help;
    QString startDir;
    bool error;
};

// Names each case by its command line in the test list.
void PrintTo(const OptionsCase& c, std::ostream* os) {
    *os << "zeb";
    for (const QString& arg : c.args)
        *os << " '" << arg.toStdString() << "'";
}

class ProgramOptionsTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(ProgramOptionsTest, ReadsTheCommandLine) {
    const OptionsCase& c = GetParam();
    const ProgramOptions o = ParseProgramOptions(c.args);
    EXPECT_EQ(o.version, c.version);
    EXPECT_EQ(o.help, c.help);
    EXPECT_EQ(o.startDir, c.startDir);
    EXPECT_EQ(!o.error.isEmpty(), c.error) << o.error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramOptionsTest,
    ::testing::Values(
        // Without options the start directory stays the current one.
        OptionsCase{{}, false, false, "", false},
        OptionsCase{{"--version"}, true, false, "", false},
        OptionsCase{{"--help"}, false, true, "", false},
        OptionsCase{{"-h"}, false, true, "", false},
        OptionsCase{{"--start-dir", "~/ZEB"}, false, false, "~/ZEB", false},
        OptionsCase{{"--start-dir=/srv/zeb"}, false, false, "/srv/zeb", false},
        // A directory name that looks like an option is still the directory.
        OptionsCase{{"--start-dir", "--version"}, false, false, "--version", false},
        OptionsCase{{"--start-dir", "a", "--version"}, true, false, "a", false},
        OptionsCase{{"--start-dir"}, false, false, "", true},
        OptionsCase{{"--start-dir", ""}, false, false, "", true},
        OptionsCase{{"--start-dir="}, false, false, "", true},
        OptionsCase{{"--start"}, false, false, "", true},
        OptionsCase{{"picture.jpg"}, false, false, "", true}));

TEST(ExpandHome, TakesOnlyALeadingTildeAsTheHomeDirectory) {
    EXPECT_EQ(ExpandHome("~", "/home/op"), "/home/op");
    EXPECT_EQ(ExpandHome("~/ZEB", "/home/op"), "/home/op/ZEB");
    EXPECT_EQ(ExpandHome("~other/ZEB", "/home/op"), "~other/ZEB");
    EXPECT_EQ(ExpandHome("ZEB/~", "/home/op"), "ZEB/~");
    EXPECT_EQ(ExpandHome("/srv/ZEB", "/home/op"), "/srv/ZEB");
}

TEST(EnterStartDirectory, MakesAMissingOneTakesARelativeOneAndToldOfAFileInTheWay) {
    testing::ScopedStartDirectory top;
    QString error;
    // A relative directory is taken from the current one.
    ASSERT_TRUE(EnterStartDirectory("work", &error));
    EXPECT_EQ(QDir::currentPath(), QDir(top.File("work")).canonicalPath());
    // A missing one is made with its parents; a second start finds it there.
    for (int start = 0; start < 2; ++start) {
        QDir::setCurrent(top.Path());
        ASSERT_TRUE(EnterStartDirectory(top.File("home/op/ZEB"), &error)) << error.toStdString();
        EXPECT_EQ(QDir::currentPath(), QDir(top.File("home/op/ZEB")).canonicalPath());
    }
    // A file in the way is told and the current directory stays.
    QFile file(top.File("ZEB"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString before = QDir::currentPath();
    EXPECT_FALSE(EnterStartDirectory(top.File("ZEB"), &error));
    EXPECT_TRUE(error.contains(top.File("ZEB"))) << error.toStdString();
    EXPECT_EQ(QDir::currentPath(), before);
}

} // namespace
} // namespace zeb::app
