// Saving the settings must never leave a half-written "Zeb.ini": these tests cut the write
// off in the middle, once by killing the writer, once by failing its write, and look at what
// the operator would find at the next start.

#include "common/temp_dir.h"
#include "file_helpers.h"
#include "setup/settings_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>

namespace zeb {
namespace {

using testing::FilesIn;
using testing::ReadBytes;
using testing::WriteBytes;

const QByteArray OldFile = "Ind  \r\nKnKHel4-120\r\nKnKHel3-90\r\nKnKHel2-60\r\nKnKHel1-30\r\n"
                           "Group\r\nKnKHel4-0\r\nKnKHel3-7\r\nKnKHel2-6\r\nKnKHel1-5\r\n"
                           "com2\r\n1500\r\n1700\r\n2\r\n30\r\n6\r\n0\r\n";

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

struct Held {
    Settings settings;
    StrikeLevels levels;
    MachineState machine;
};

TEST(SaveSettingsDeathTest, WriterKilledHalfWayLeavesTheOldFileWhole) {
    testing::ScopedStartDirectory dir;
    const QString path = dir.File(QStringLiteral("Zeb.ini"));
    WriteBytes(path, OldFile);
    Held held;
    held.settings.PortName = QStringLiteral("com7");

    // The kernel kills the writer (SIGXFSZ) when it tries to write past 20 bytes: the new
    // content is cut off after its first 20 bytes, and the writer gets no chance to tidy up.
    EXPECT_EXIT(
        {
            std::signal(SIGXFSZ, SIG_DFL);
            FileSizeLimit limit(20);
            SaveSettings(dir.Path(), held.settings, held.levels, held.machine);
            std::_Exit(0);
        },
        ::testing::KilledBySignal(SIGXFSZ), "");

    EXPECT_EQ(ReadBytes(path), OldFile);
    // Whatever the killed writer had written went nowhere near the settings.
    EXPECT_EQ(FilesIn(dir.Path()), QStringList{QStringLiteral("Zeb.ini")});

    // The next start reads the old settings as they were.
    Held next;
    const SettingsLoadResult result =
        LoadSettings(dir.Path(), next.settings, next.levels, next.machine);
    EXPECT_TRUE(result.problems.isEmpty());
    EXPECT_EQ(next.settings.PortName, QStringLiteral("com2"));
}

TEST(SaveSettings, FailedWriteIsReportedAndTheOldFileStays) {
    testing::ScopedStartDirectory dir;
    const QString path = dir.File(QStringLiteral("Zeb.ini"));
    WriteBytes(path, OldFile);
    Held held;
    held.settings.PortName = QStringLiteral("com7");

    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    QString error;
    {
        FileSizeLimit limit(20);
        error = SaveSettings(dir.Path(), held.settings, held.levels, held.machine);
    }
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadBytes(path), OldFile);
    EXPECT_EQ(FilesIn(dir.Path()), QStringList{QStringLiteral("Zeb.ini")});

    // Once writing works again the new settings replace the old ones whole.
    ASSERT_TRUE(SaveSettings(dir.Path(), held.settings, held.levels, held.machine).isEmpty());
    EXPECT_TRUE(ReadBytes(path).contains("\r\ncom7\r\n"));
    EXPECT_EQ(FilesIn(dir.Path()), QStringList{QStringLiteral("Zeb.ini")});
}

} // namespace
} // namespace zeb
