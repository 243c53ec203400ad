#include "sim/pty_server.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace zeb::sim {

namespace {
constexpr qint64 LookAtStopUs = 50000;
constexpr int NobodyThereMs = 10; // how often to look for a host while the slave is closed

// Microseconds on the monotonic clock: answers come due at fractions of a millisecond.
qint64 NowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

PtyServer::PtyServer(VirtualController& controller) : m_controller(controller) {}

PtyServer::~PtyServer() {
    if (m_master >= 0)
        ::close(m_master);
}

bool PtyServer::Open(QString* error) {
    auto fail = [&](const char* what) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QLatin1String(what),
                                                  QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    };
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0)
        return fail("cannot create a pseudo-terminal");
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        return fail("cannot unlock the pseudo-terminal");
    const char* name = ::ptsname(m_master);
    if (!name)
        return fail("cannot name the pseudo-terminal");
    m_slavePath = QString::fromLocal8Bit(name);
    // The line settings of the slave, set through the master: raw bytes, no echo.
    termios tio{};
    if (::tcgetattr(m_master, &tio) != 0)
        return fail("cannot read the line settings");
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B19200);
    ::cfsetospeed(&tio, B19200);
    tio.c_cflag |= CSTOPB | CLOCAL | CREAD;
    if (::tcsetattr(m_master, TCSANOW, &tio) != 0)
        return fail("cannot set the line settings");
    return true;
}

bool PtyServer::ParityOdd() const {
    termios tio{};
    return ::tcgetattr(m_master, &tio) == 0 && (tio.c_cflag & PARODD) != 0;
}

// Answer bytes go out as they come due; with nobody on the slave side they are lost, as on a
// cable with no one at the other end.
void PtyServer::Deliver(qint64 nowUs) {
    for (;;) {
        const std::optional<qint64> next = m_controller.NextByteTimeUs();
        if (!next || *next > nowUs)
            return;
        const std::optional<quint8> byte = m_controller.TakeByteUs(nowUs);
        if (byte && m_hostListening) {
            const char c = static_cast<char>(*byte);
            // A full buffer means the host stopped reading: the byte is lost (an overrun).
            [[maybe_unused]] const ssize_t written = ::write(m_master, &c, 1);
        }
    }
}

void PtyServer::ReadHost() {
    char buffer[256];
    const ssize_t n = ::read(m_master, buffer, sizeof buffer);
    if (n <= 0)
        return;
    // The parity of the line as it is now: the host switches it only between its bytes and
    // waits for our answer before switching back.
    const bool odd = ParityOdd();
    for (ssize_t i = 0; i < n; ++i)
        m_controller.ReceiveUs(static_cast<quint8>(buffer[i]), odd, NowUs());
}

void PtyServer::Serve(const std::atomic<bool>& stop) {
    while (!stop.load()) {
        const qint64 now = NowUs();
        Deliver(now);
        qint64 waitUs = LookAtStopUs;
        if (const std::optional<qint64> next = m_controller.NextByteTimeUs())
            waitUs = std::clamp<qint64>(*next - now, 0, LookAtStopUs);
        const timespec timeout{static_cast<time_t>(waitUs / 1000000),
                               static_cast<long>(waitUs % 1000000) * 1000};
        pollfd pfd{m_master, POLLIN, 0};
        const int ready = ::ppoll(&pfd, 1, &timeout, nullptr);
        if (ready < 0)
            continue; // a signal: look at `stop`
        if (pfd.revents & POLLIN) {
            m_hostListening = true;
            ReadHost();
            continue;
        }
        if (pfd.revents & (POLLHUP | POLLERR)) {
            // The slave is closed: forget what the last host left unread, then wait for the
            // next one without spinning.
            if (m_hostListening)
                ::tcflush(m_master, TCIOFLUSH);
            m_hostListening = false;
            ::poll(nullptr, 0, NobodyThereMs);
        } else {
            m_hostListening = true;
        }
    }
}

} // namespace zeb::sim
