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
    testing::ScopedStartDirectory dir;
    Settings settings;
    StrikeLevels levels;
    MachineState machine;
    QString Path() const { return dir.File(QStringLiteral("Zeb.ini")); }
    QString Save() { return SaveSettings(dir.Path(), settings, levels, machine); }
    Held() {
        WriteBytes(Path(), OldFile);
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
    EXPECT_EQ(ReadBytes(held.Path()), OldFile);
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
    EXPECT_EQ(ReadBytes(held.Path()), OldFile);
    EXPECT_EQ(FilesIn(held.dir.Path()), QStringList{QStringLiteral("Zeb.ini")});
    // Once writing works again the new settings replace the old ones whole.
    ASSERT_TRUE(held.Save().isEmpty());
    EXPECT_TRUE(ReadBytes(held.Path()).contains("\r\ncom7\r\n"));
    EXPECT_EQ(FilesIn(held.dir.Path()), QStringList{QStringLiteral("Zeb.ini")});
}

} // namespace
} // namespace zeb
