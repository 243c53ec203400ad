#include "link/comm_port_driver.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace zeb {

namespace {
// A byte leaves a 19200 baud line in well under a millisecond; a write that has not gone
// within this time has a stuck line behind it.
constexpr int WriteLimitMs = 500;
constexpr unsigned long EmptyLockGraceMs = 300;

// A program that ended without closing the port (killed, crashed) leaves its line settings
// on the device, and on a pseudo-terminal the input flags it left make the next open fail.
// They are cleared, so the open can be tried once more; true when there was something to
// clear.
bool ClearLeftoverInputFlags(const QString& path) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    termios tio{};
    bool cleared = ::tcgetattr(fd, &tio) == 0 && tio.c_iflag != 0;
    if (cleared) {
        tio.c_iflag = 0;
        cleared = ::tcsetattr(fd, TCSANOW, &tio) == 0;
    }
    ::close(fd);
    return cleared;
#else
    Q_UNUSED(path);
    return false;
#endif
}

// A program killed in the instant between creating the port's lock file and writing its
// process number into it leaves an empty lock, which the serial port library takes for a live
// one for half a minute: the resume after such a kill could not open the port. A lock that is
// still empty a moment later belongs to no one and is removed (as is its removal lock); the
// library clears locks of programs that are gone by itself. True when one was removed.
bool RemoveEmptyPortLocks(const QString& systemName) {
#ifdef Q_OS_UNIX
    QString name = systemName.startsWith(QLatin1String("/dev/")) ? systemName.mid(5) : systemName;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    name.prepend(QLatin1String("/LCK.."));
    // The directories the library looks in for its locks.
    const QStringList directories{QStringLiteral("/var/lock"),
                                  QStringLiteral("/etc/locks"),
                                  QStringLiteral("/var/spool/locks"),
                                  QStringLiteral("/var/spool/uucp"),
                                  QStringLiteral("/tmp"),
                                  QStringLiteral("/var/tmp"),
                                  QStringLiteral("/var/lock/lockdev"),
                                  QStringLiteral("/run/lock"),
                                  QStandardPaths::writableLocation(QStandardPaths::TempLocation)};
    QStringList empty;
    for (const QString& directory : directories)
        for (const QString& path : {directory + name, directory + name + QLatin1String(".rmlock")})
            if (const QFileInfo lock(path); lock.isFile() && lock.size() == 0)
                empty += path;
    if (empty.isEmpty())
        return false;
    // A live program writes its number right after creating the file.
    QThread::msleep(EmptyLockGraceMs);
    bool removed = false;
    for (const QString& path : empty)
        if (const QFileInfo lock(path); lock.isFile() && lock.size() == 0)
            removed = QFile::remove(path) || removed;
    return removed;
#else
    Q_UNUSED(systemName);
    return false;
#endif
}
} // namespace

CommPortDriver1::~CommPortDriver1() {
    ClosePort();
}

QString CommPortDriver1::SystemPortName(const QString& name) {
    static const QRegularExpression comN(QStringLiteral("^com([1-9][0-9]*)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comN.match(name);
    if (!match.hasMatch())
        return name;
    const int number = match.captured(1).toInt();
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

bool CommPortDriver1::OpenPort() {
    ClosePort();
    m_port.setPortName(SystemPortName(PortDeviceName()));
    m_port.setBaudRate(19200);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::EvenParity);
    m_port.setStopBits(QSerialPort::TwoStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    // The line format is applied as part of the open. On a pseudo-terminal the kernel drops
    // the parity enable bit without an error, so the open succeeds there too, and the parity
    // kind (PARODD) still reaches the line settings the other end can read.
    if (!m_port.open(QIODevice::ReadWrite) &&
        !(ClearLeftoverInputFlags(m_port.portName()) && m_port.open(QIODevice::ReadWrite)) &&
        !(RemoveEmptyPortLocks(m_port.portName()) && m_port.open(QIODevice::ReadWrite)))
        return false;
    // Bytes waiting from before the open were meant for an earlier program (a pseudo-terminal
    // keeps them while nobody has it open); a real port starts empty, and so does this one.
    m_port.clear(QSerialPort::AllDirections);
    SetPortOk(true);
    return true;
}

void CommPortDriver1::ClosePort() {
    if (m_port.isOpen())
        m_port.close();
}

bool CommPortDriver1::WriteByte(quint8 b) {
    const char c = static_cast<char>(b);
    const bool ok = m_port.isOpen() && m_port.write(&c, 1) == 1 &&
                    (m_port.bytesToWrite() == 0 || m_port.waitForBytesWritten(WriteLimitMs));
    m_port.clearError();
    SetPortOk(ok);
    return ok;
}

bool CommPortDriver1::ReadByte(quint8& b) {
    bool ok = false;
    if (m_port.isOpen()) {
        const QDeadlineTimer deadline(ReadLimitMs);
        // A wait may end early without data (a signal, a write becoming possible); keep
        // waiting until the byte is there or the 500 ms are over.
        bool gone = false;
        while (m_port.bytesAvailable() == 0 && !deadline.hasExpired()) {
            const int slice =
                static_cast<int>(std::min<qint64>(deadline.remainingTime(), WaitSliceMs));
            if (gone) {
                // The other end is gone (a pty whose master closed, an unplugged adapter):
                // the line is as silent as a dead controller, so the read takes its time
                // rather than letting the waits above spin.
                QThread::msleep(static_cast<unsigned long>(slice));
            } else if (!m_port.waitForReadyRead(slice)) {
                const QSerialPort::SerialPortError error = m_port.error();
                gone = error != QSerialPort::NoError && error != QSerialPort::TimeoutError;
            }
            if (m_port.bytesAvailable() == 0)
                WhileWaiting();
        }
        char c = 0;
        if (m_port.bytesAvailable() > 0 && m_port.getChar(&c)) {
            b = static_cast<quint8>(c);
            ok = true;
        }
        m_port.clearError();
    }
    SetPortOk(ok);
    return ok;
}

void CommPortDriver1::ApplyParity(QSerialPort::Parity parity) {
    // QSerialPort re-reads the line settings and changes only the parity, so switching back
    // restores exactly the format set at open.
    SetPortOk(m_port.isOpen() && m_port.setParity(parity));
    m_port.clearError();
}

void CommPortDriver1::SetParityOdd() {
    ApplyParity(QSerialPort::OddParity);
}

void CommPortDriver1::SetParityEven() {
    ApplyParity(QSerialPort::EvenParity);
}

} // namespace zeb
