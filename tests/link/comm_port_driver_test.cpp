// The serial port on a real pseudo-terminal: the one place in the link tests where real time
// passes (a read that gives up after 500 ms), so these cases are few. Last, the port against
// zeb-sim: the start-up sequence with an error inquiry in odd parity, and strike lines both
// ways; the controller is instant, so this costs little real time.

#include "common/manual_timers.h"
#include "common/recording_operator.h"
#include "link/comm_port_driver.h"
#include "link/device.h"
#include "link/handshake.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace zeb {
namespace {

// The driver on the slave side of a pseudo-terminal; the test holds the master.
class CommPortDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        int slave = -1;
        char name[256] = {};
        ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
        ::close(slave);
        path = QString::fromLocal8Bit(name);
        port.SetPortDeviceName(path);
        ASSERT_TRUE(port.OpenPort());
    }
    void TearDown() override { ::close(master); }
    // Up to `count` bytes that arrive on the master, waiting at most `waitMs` for each.
    QByteArray Receive(int count, int waitMs = 1000) const {
        QByteArray got;
        char c = 0;
        for (pollfd p{master, POLLIN, 0}; got.size() < count && ::poll(&p, 1, waitMs) > 0;)
            if (::read(master, &c, 1) == 1)
                got.append(c);
        return got;
    }
    termios Settings() const {
        termios t{};
        ::tcgetattr(master, &t);
        return t;
    }

    int master = -1;
    QString path;
    CommPortDriver1 port;
};

TEST_F(CommPortDriverTest, CarriesBytesBothWaysAndGivesUpAfterHalfASecond) {
    EXPECT_TRUE(port.WriteString(QByteArray("\x1B\x01\x00\x00\x1A", 5)));
    EXPECT_TRUE(port.WriteString(QByteArray())); // nothing to send is no failure
    EXPECT_EQ(Receive(5), QByteArray("\x1B\x01\x00\x00\x1A", 5));
    EXPECT_EQ(Receive(1, 50), QByteArray());

    ASSERT_EQ(::write(master, "\xA0\x00\xFF", 3), 3);
    quint8 b = 0x33;
    for (const quint8 expected : {0xA0, 0x00, 0xFF}) {
        ASSERT_TRUE(port.ReadByte(b));
        EXPECT_EQ(b, expected);
    }
    EXPECT_TRUE(port.PortOk());

    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(port.ReadByte(b));
    EXPECT_GE(timer.elapsed(), 480);
    EXPECT_LT(timer.elapsed(), 1500);
    EXPECT_EQ(b, 0xFF); // the caller's byte is left as it was
    EXPECT_FALSE(port.PortOk());
}

TEST_F(CommPortDriverTest, LineFormatAndParitySwitchReachTheLine) {
    const termios opened = Settings();
    EXPECT_EQ(cfgetospeed(&opened), B19200);
    EXPECT_TRUE(opened.c_cflag & CSTOPB);
    EXPECT_FALSE(opened.c_cflag & PARODD);

    port.SetParityOdd();
    EXPECT_TRUE(Settings().c_cflag & PARODD);
    port.SetParityEven();
    EXPECT_TRUE(port.PortOk());
    // Back as it was, nothing else changed.
    EXPECT_EQ(Settings().c_cflag, opened.c_cflag);
    EXPECT_EQ(Settings().c_iflag, opened.c_iflag);
}

TEST(CommPortDriver, PortThatDoesNotExist) {
    CommPortDriver1 port;
    port.SetPortDeviceName(QStringLiteral("/dev/zeb-no-such-port"));
    EXPECT_FALSE(port.OpenPort());
    EXPECT_FALSE(port.WriteString(QByteArray("\x1B\x01", 2)));
    quint8 b = 7;
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(port.ReadByte(b));
    EXPECT_LT(timer.elapsed(), 100); // no port: fails at once, not after the read limit
    EXPECT_EQ(b, 7);
    port.ClosePort(); // harmless on a port that never opened
}

// The lock file of an open port, wherever the serial port library keeps its locks.
QString LockOf(const QString& slave) {
    const QString name =
        QStringLiteral("/LCK..") + slave.mid(5).replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const QString& directory :
         {QStringLiteral("/var/lock"), QStringLiteral("/run/lock"), QStringLiteral("/tmp"),
          QStringLiteral("/var/tmp"),
          QStandardPaths::writableLocation(QStandardPaths::TempLocation)})
        if (QFileInfo::exists(directory + name))
            return directory + name;
    return {};
}

// A program killed just after creating the port's lock, before writing its number into it,
// leaves an empty lock; the next program opens the port all the same. A lock held by a live
// program still keeps the port from a second opener.
TEST_F(CommPortDriverTest, AnEmptyLockLeftByAKilledProgramDoesNotKeepThePortShut) {
    const QString lock = LockOf(path);
    ASSERT_FALSE(lock.isEmpty());
    CommPortDriver1 second;
    second.SetPortDeviceName(path);
    EXPECT_FALSE(second.OpenPort());
    port.ClosePort();
    ASSERT_FALSE(QFileInfo::exists(lock));

    QFile left(lock);
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.close();
    EXPECT_TRUE(second.OpenPort());
    EXPECT_GT(QFileInfo(lock).size(), 0); // the lock is the live program's now
    EXPECT_TRUE(second.WriteString(QByteArray("\x1B\x01", 2)));
    second.ClosePort();
    EXPECT_FALSE(QFileInfo::exists(lock));
}

TEST(CommPortDriver, PortNamesMapToTheSystemsDevices) {
    const std::pair<const char*, const char*> rows[] = {{"COM3", "/dev/ttyS2"},
                                                        {"com12", "/dev/ttyS11"},
                                                        {"com0", "com0"},
                                                        {"com1x", "com1x"},
                                                        {"/dev/pts/4", "/dev/pts/4"}};
    for (const auto& [name, system] : rows)
        EXPECT_EQ(CommPortDriver1::SystemPortName(QLatin1String(name)), QLatin1String(system))
            << name;
}

TEST(PtyLink, StartUpAndStrikeLinesAgainstZebSim) {
    QTemporaryDir dir;
    const QString strikes = dir.filePath(QStringLiteral("strikes.csv"));
    QProcess sim;
    sim.start(QStringLiteral(ZEB_SIM_EXE), {"--time-scale", "0", "--strikes", strikes});
    // It prints the terminal's path once it serves.
    ASSERT_TRUE(sim.waitForStarted(5000) && sim.waitForReadyRead(5000));
    const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();

    SystemClock clock;
    CommPortDriver1 port;
    testing::RecordingOperator op;
    testing::ManualTimers timers;
    LinkState link;
    MachineState machine;
    SelfTestState selfTest;
    Device dev(port, op, clock, link, machine, selfTest);
    port.SetPortDeviceName(path);
    ASSERT_TRUE(port.OpenPort()) << path.toStdString();

    // Host 3, controller 0: the greeting's rejection is confirmed by an inquiry, which only
    // the line settings mark as odd parity, and the controller's number is adopted.
    link.SeqNo = 3;
    StartUpLink(dev, timers, 1930, 2330);
    EXPECT_EQ(op.beeps, 1);
    EXPECT_TRUE(op.messages.isEmpty()) << op.messages.join(" | ").toStdString();
    EXPECT_TRUE(link.DeviceReady);
    EXPECT_TRUE(timers.Running(TimerId::Timer4));
    EXPECT_GT(machine.LinkTime, 0);

    EXPECT_TRUE(dev.SetStrike(StrikeLevelSet{{0, 20, 40, 60, 80}}));
    dev.PrintLine(LineDirection::Forward, "1204");
    dev.PrintLine(LineDirection::Backward, "30");
    EXPECT_TRUE(op.messages.isEmpty()) << op.messages.join(" | ").toStdString();
    EXPECT_EQ(machine.CurrentCol, 2);
    const std::optional<HeadPosition> head = dev.Monitor();
    ASSERT_TRUE(head.has_value());
    EXPECT_EQ(head->column, 2);
    EXPECT_EQ(head->row, 0);

    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(5000));
    QFile file(strikes);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // Forward from column 0: strike, step on; backward: step back, strike.
    EXPECT_EQ(file.readAll(), QByteArray("0,0,1,20\r\n0,1,2,40\r\n0,3,4,80\r\n0,3,3,60\r\n"));
}

} // namespace
} // namespace zeb
