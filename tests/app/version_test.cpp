// One version everywhere: the three programs' --version, the About box's own line, and the
// git revision of the tree they were built from.
#include "app/about_box.h"
#include "common/temp_dir.h"
#include "version/version.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace zeb::app {
namespace {

const QString kVersion = QLatin1String(Version());

// Runs `program --version` where no display can be reached: a window system asked for
// would end the program with an error instead.
QString VersionOutput(const QString& program, int* exitCode) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", "xcb");
    p.setProcessEnvironment(env);
    p.start(program, {"--version"});
    if (!p.waitForFinished(30000))
        return "(did not finish)";
    *exitCode = p.exitCode();
    return QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
}

// What `git args...` prints about the source tree; empty when git cannot tell.
QString GitSays(const QStringList& args) {
    QProcess git;
    git.start("git", QStringList{"-C", ZEB_TEST_DATA} + args);
    if (!git.waitForFinished(10000) || git.exitStatus() != QProcess::NormalExit ||
        git.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(git.readAllStandardOutput()).trimmed();
}

TEST(Version, NamesTheCommitTheTreeIsAt) {
    // Only a checkout of this very tree: sources unpacked inside another repository are not.
    const QString top = GitSays({"rev-parse", "--show-toplevel"});
    if (top.isEmpty() || QDir(top).canonicalPath() != QDir(ZEB_TEST_DATA "/../..").canonicalPath())
        GTEST_SKIP() << "not built from a git checkout";
    const QString hash = GitSays({"rev-parse", "--short=7", "HEAD"});
    EXPECT_TRUE(kVersion.contains(QStringLiteral(".%1").arg(hash)))
        << kVersion.toStdString() << " is not of commit " << hash.toStdString();
}

TEST(Version, IsADebianVersionThatAllThreeProgramsPrintWithoutADisplay) {
    // The package takes it as its version: digits first, then only [0-9A-Za-z.+~].
    EXPECT_TRUE(QRegularExpression(R"(^\d+\.\d+(\+git\d+\.[0-9a-f]{7,}(\.dirty)?)?$)")
                    .match(kVersion)
                    .hasMatch())
        << kVersion.toStdString();
    const struct {
        const char* name;
        const char* path;
    } programs[] = {{"zeb", ZEB_EXE}, {"zeb-cli", ZEB_CLI_EXE}, {"zeb-sim", ZEB_SIM_EXE}};
    for (const auto& program : programs) {
        int exitCode = -1;
        EXPECT_EQ(VersionOutput(program.path, &exitCode),
                  QStringLiteral("%1 (ZEB) %2\n").arg(program.name, kVersion));
        EXPECT_EQ(exitCode, 0) << program.name;
    }
}

QString LabelText(const QDialog& box, const char* name) {
    const auto* label = box.findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("(no label %1)").arg(name);
}

// The build's version on a line of its own, neither replaced by the texts file nor translated.
TEST(AboutBox, ShowsTheBuildsVersionOnALineOfItsOwn) {
    testing::ScopedStartDirectory dir;
    const TextCatalogue builtIn;
    const TAboutBox plain(builtIn, dir.Path());
    EXPECT_EQ(LabelText(plain, "VersionLabel"), "ZEB " + kVersion);
    EXPECT_EQ(LabelText(plain, "Label8"), QString::fromUtf8("ZEB_05z6 (10_01_2020)"));

    QFile file(dir.File("DopFile.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Workshop build 7\r\nName\r\n");
    file.close();
    // A language file that defines every code there is.
    TextCatalogue everything;
    everything.SetLanguageLoaded(true);
    for (int code = 1; code < 10000; ++code)
        if (TextCatalogue::IsKnownCode(code))
            everything.Define(code, QStringLiteral("T"));
    const TAboutBox box(everything, dir.Path());
    EXPECT_EQ(LabelText(box, "Label8"), "Workshop build 7");
    EXPECT_EQ(LabelText(box, "Label1"), "T");
    EXPECT_EQ(LabelText(box, "VersionLabel"), "ZEB " + kVersion);
}

} // namespace
} // namespace zeb::app
