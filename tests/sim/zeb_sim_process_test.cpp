// zeb-sim as a real process on a pseudo-terminal, talked to through the program's own port
// driver: the inquiry in odd parity, a job's strike line, and the files it leaves.
#include "link/comm_port_driver.h"
#include "setup/file_helpers.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zeb::sim::testing {
namespace {

using zeb::testing::ReadBytes;
using zeb::testing::WriteBytes;

// Sends `hex` and reads `count` answer bytes back, in hex.
QByteArray Exchange(CommPortDriver1& port, const char* hex, int count) {
    port.WriteString(QByteArray::fromHex(hex));
    QByteArray got;
    for (quint8 b = 0; got.size() < count && port.ReadByte(b);)
        got.append(static_cast<char>(b));
    return got.toHex();
}

TEST(ZebSimProcess, ServesAJobsStrikeLineAndWritesItsFiles) {
    QTemporaryDir dir;
    const QString link = dir.filePath("ttyZEB");
    QProcess sim;
    sim.start(QStringLiteral(ZEB_SIM_EXE),
              {"--time-scale", "0", "--link", link, "--trace", dir.filePath("t.txt"), "--strikes",
               dir.filePath("s.csv"), "--workpiece", dir.filePath("w.png"), "--state",
               dir.filePath("state")});
    // It prints the terminal's path once it serves.
    ASSERT_TRUE(sim.waitForStarted(10000) && sim.waitForReadyRead(10000));
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), QString::fromLocal8Bit(sim.readLine()).trimmed());

    CommPortDriver1 port;
    port.SetPortDeviceName(link);
    ASSERT_TRUE(port.OpenPort());
    port.SetParityOdd(); // an inquiry first: the parity is seen through the line settings
    EXPECT_EQ(Exchange(port, "81", 1), QByteArray("90"));
    port.SetParityEven();
    EXPECT_EQ(Exchange(port, "1b3700002c", 2), QByteArray("a050"));     // BeginPrint with 0
    EXPECT_EQ(Exchange(port, "221b2100043f", 2), QByteArray("a151"));   // forward, 4 dots, with 1
    EXPECT_EQ(Exchange(port, "231204000014", 3), QByteArray("a26253")); // 1 2 0 4, with 2

    // The lists and the saved position are there while the simulator still runs.
    EXPECT_EQ(ReadBytes(dir.filePath("s.csv")), QByteArray("0,0,1,0\r\n0,1,2,0\r\n0,3,4,0\r\n"));
    EXPECT_EQ(ReadBytes(dir.filePath("t.txt")), QByteArray("0 BeginPrint 1B 37 00 00 2C\r\n"
                                                           "1 PrintLine 1B 21 00 04 3F\r\n"
                                                           "2 data 12 04 00 00 14\r\n"));
    EXPECT_EQ(ReadBytes(dir.filePath("state")), QByteArray("0\r\n4\r\n"));
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(10000));
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_TRUE(sim.readAllStandardError().contains("3 strikes, 0 warm-up strikes"));

    EXPECT_EQ(QImage(dir.filePath("w.png")).size(), QSize(4, 1));
    EXPECT_FALSE(QFileInfo(link).isSymLink()); // the terminal is gone, so is the link
}

TEST(ZebSimProcess, BadCommandLinesAreRefused) {
    QTemporaryDir dir;
    const QString precious = dir.filePath("precious.txt");
    WriteBytes(precious, "keep me");
    const struct {
        QStringList args;
        int exitCode;
        const char* message;
    } rows[] = {
        {{"--bogus"}, 2, "unknown option --bogus"},
        {{"--time-scale", "fast"}, 2, "--time-scale"},
        {{"--trace"}, 2, "--trace needs a value"},
        {{"--link", precious}, 1, ""}, // a real file is never replaced by the link
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        QProcess p;
        p.start(QStringLiteral(ZEB_SIM_EXE), row.args);
        ASSERT_TRUE(p.waitForFinished(10000));
        EXPECT_EQ(p.exitCode(), row.exitCode);
        EXPECT_TRUE(QString::fromLocal8Bit(p.readAllStandardError()).contains(row.message));
        EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
    }
    EXPECT_EQ(ReadBytes(precious), QByteArray("keep me"));
}

} // namespace
} // namespace zeb::sim::testing
