#pragma once
// The second front door: the virtual controller on a pseudo-terminal, so the program's real
// serial port code talks to it as to a machine. The host opens the slave side; we hold the
// master. A pty carries no parity bits, but the host's odd/even switch stays visible on the
// master as the PARODD flag of the line settings: a byte read while PARODD is set is an
// error inquiry.

#include "sim/virtual_controller.h"

#include <QString>

#include <atomic>

namespace zeb::sim {

class PtyServer {
public:
    explicit PtyServer(VirtualController& controller);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pseudo-terminal in raw mode; false with a message on failure.
    bool Open(QString* error);
    // The path the host opens, e.g. /dev/pts/7.
    QString SlavePath() const { return m_slavePath; }
    // Serves until `stop` turns true; looks at it at least every 50 ms.
    void Serve(const std::atomic<bool>& stop);

private:
    void Deliver(qint64 nowUs);
    void ReadHost();
    bool ParityOdd() const;

    VirtualController& m_controller;
    int m_master = -1;
    QString m_slavePath;
    bool m_hostListening = false;
};

} // namespace zeb::sim
