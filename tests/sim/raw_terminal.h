#pragma once
// A small raw termios client for the pseudo-terminal that zeb-sim serves: 8 data bits, two
// stop bits, even parity switched to odd for an inquiry, as the program's own port does.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace zeb::sim::testing {

class RawTerminal {
public:
    ~RawTerminal() {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    bool Open(const QString& path) {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY);
        if (m_fd < 0)
            return false;
        termios tio{};
        if (::tcgetattr(m_fd, &tio) != 0)
            return false;
        ::cfmakeraw(&tio);
        tio.c_cflag |= CSTOPB | PARENB | CLOCAL | CREAD;
        tio.c_cflag &= ~PARODD;
        // A pty cannot keep PARENB, and Linux refuses a change that keeps nothing else
        // (EINVAL); what matters is that the line is raw.
        ::tcsetattr(m_fd, TCSANOW, &tio);
        termios now{};
        return ::tcgetattr(m_fd, &now) == 0 && (now.c_lflag & (ICANON | ECHO)) == 0;
    }

    void SetParityOdd(bool odd) {
        termios tio{};
        ::tcgetattr(m_fd, &tio);
        if (odd)
            tio.c_cflag |= PARODD;
        else
            tio.c_cflag &= ~PARODD;
        ::tcsetattr(m_fd, TCSANOW, &tio);
    }

    bool Write(const QByteArray& bytes) {
        return ::write(m_fd, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size();
    }

    // Up to `count` bytes, waiting at most `limitMs` in all.
    QByteArray Read(int count, int limitMs = 3000) {
        QByteArray got;
        while (got.size() < count) {
            pollfd pfd{m_fd, POLLIN, 0};
            if (::poll(&pfd, 1, limitMs) <= 0)
                break;
            char buffer[64];
            const ssize_t n =
                ::read(m_fd, buffer, std::min<size_t>(sizeof buffer, count - got.size()));
            if (n <= 0)
                break;
            got.append(buffer, n);
        }
        return got;
    }

private:
    int m_fd = -1;
};

} // namespace zeb::sim::testing
