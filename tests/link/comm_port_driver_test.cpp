// The serial port on a real pseudo-terminal: the one place in the link tests where real time
// passes (a read that gives up after 500 ms), so these cases are few.

#include "link/comm_port_driver.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace zeb {
namespace {

// The master side of a pseudo-terminal whose slave the driver opens.
class Pty {
public:
    Pty() {
        int slave = -1;
        char name[256] = {};
        if (::openpty(&m_master, &slave, name, nullptr, nullptr) == 0) {
            m_slaveName = QString::fromLocal8Bit(name);
            ::close(slave);
        }
    }
    ~Pty() {
        if (m_master >= 0)
            ::close(m_master);
    }
    const QString& SlaveName() const { return m_slaveName; }
    void Send(const QByteArray& bytes) const {
        ASSERT_EQ(::write(m_master, bytes.constData(), bytes.size()), bytes.size());
    }
    // What arrived on the master within a short time.
    QByteArray Receive(int count) const {
        QByteArray got;
        while (got.size() < count) {
            pollfd pfd{m_master, POLLIN, 0};
            if (::poll(&pfd, 1, 1000) <= 0)
                break;
            char c = 0;
            if (::read(m_master, &c, 1) != 1)
                break;
            got.append(c);
        }
        return got;
    }
    bool Pending() const {
        pollfd pfd{m_master, POLLIN, 0};
        return ::poll(&pfd, 1, 50) > 0;
    }
    termios Settings() const {
        termios t{};
        ::tcgetattr(m_master, &t);
        return t;
    }

private:
    int m_master = -1;
    QString m_slaveName;
};

class CommPortDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(pty.SlaveName().isEmpty());
        port.SetPortDeviceName(pty.SlaveName());
        ASSERT_TRUE(port.OpenPort());
    }
    Pty pty;
    CommPortDriver1 port;
};

TEST_F(CommPortDriverTest, OpensAPseudoTerminalAndCarriesBytesBothWays) {
    EXPECT_GE(port.PortHandle(), 0);
    EXPECT_TRUE(port.PortOk());

    EXPECT_TRUE(port.WriteString(QByteArray("\x1B\x01\x00\x00\x1A", 5)));
    EXPECT_EQ(pty.Receive(5), QByteArray("\x1B\x01\x00\x00\x1A", 5));

    pty.Send(QByteArray("\xA0\x00\xFF", 3));
    quint8 b = 0x33;
    ASSERT_TRUE(port.ReadByte(b));
    EXPECT_EQ(b, 0xA0);
    ASSERT_TRUE(port.ReadByte(b));
    EXPECT_EQ(b, 0x00);
    ASSERT_TRUE(port.ReadByte(b));
    EXPECT_EQ(b, 0xFF);

    EXPECT_TRUE(port.WriteString(QByteArray()));
    EXPECT_FALSE(pty.Pending());
}

TEST_F(CommPortDriverTest, ReadGivesUpAfterHalfASecondAndKeepsTheByte) {
    quint8 b = 0x5A;
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(port.ReadByte(b));
    const qint64 elapsed = timer.elapsed();
    EXPECT_EQ(b, 0x5A);
    EXPECT_FALSE(port.PortOk());
    EXPECT_GE(elapsed, 480);
    EXPECT_LT(elapsed, 1500);
}

TEST_F(CommPortDriverTest, LineFormatAndParitySwitchReachTheLine) {
    const termios opened = pty.Settings();
    EXPECT_EQ(cfgetospeed(&opened), B19200);
    EXPECT_TRUE(opened.c_cflag & CSTOPB);
    EXPECT_FALSE(opened.c_cflag & PARODD);

    port.SetParityOdd();
    EXPECT_TRUE(port.PortOk());
    EXPECT_TRUE(pty.Settings().c_cflag & PARODD);

    port.SetParityEven();
    EXPECT_TRUE(port.PortOk());
    const termios back = pty.Settings();
    EXPECT_FALSE(back.c_cflag & PARODD);
    EXPECT_EQ(back.c_cflag, opened.c_cflag);
    EXPECT_EQ(back.c_iflag, opened.c_iflag);
}

TEST(CommPortDriver, PortThatDoesNotExist) {
    CommPortDriver1 port;
    port.SetPortDeviceName(QStringLiteral("/dev/zeb-no-such-port"));
    EXPECT_FALSE(port.OpenPort());
    EXPECT_EQ(port.PortHandle(), -1);
    EXPECT_FALSE(port.WriteByte(0x1B));
    EXPECT_FALSE(port.WriteString(QByteArray("\x1B\x01", 2)));
    quint8 b = 7;
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(port.ReadByte(b));
    EXPECT_LT(timer.elapsed(), 100); // no port: fails at once, not after the read limit
    EXPECT_EQ(b, 7);
    port.ClosePort(); // harmless on a port that never opened
}

TEST(CommPortDriver, PortNamesMapToTheSystemsDevices) {
    struct Row {
        const char* name;
        const char* system;
    };
    const Row rows[] = {
        {"com1", "/dev/ttyS0"},
        {"com8", "/dev/ttyS7"},
        {"COM3", "/dev/ttyS2"},
        {"com12", "/dev/ttyS11"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"/dev/pts/4", "/dev/pts/4"},
        {"com0", "com0"},
        {"com", "com"},
        {"com1x", "com1x"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CommPortDriver1::SystemPortName(QString::fromLatin1(row.name)),
                  QString::fromLatin1(row.system))
            << row.name;
}

} // namespace
} // namespace zeb
