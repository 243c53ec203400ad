#pragma once
// Drives a virtual controller by hand: bytes in at a chosen time, answers out as they come
// due. Frames are spelled in hex in the tests, check bytes worked out by hand.

#include "sim/virtual_controller.h"

#include <QByteArray>

namespace zeb::sim::testing {

class Wire {
public:
    explicit Wire(ControllerOptions options = {}) : controller(std::move(options)) {}

    // Host bytes at even parity, all at the current time.
    void Send(const char* hex) { SendBytes(QByteArray::fromHex(hex)); }
    void SendBytes(const QByteArray& bytes) {
        for (char c : bytes)
            controller.Receive(static_cast<quint8>(c), false, now);
    }
    // One error inquiry byte (odd parity).
    void Inquire(quint8 b = 0x81) { controller.Receive(b, true, now); }

    // Every answer byte due by now.
    QByteArray Take() { return TakeUntil(now); }
    // Lets `ms` pass, collecting what arrives meanwhile.
    QByteArray TakeFor(qint64 ms) { return TakeUntil(now + ms); }
    QByteArray TakeUntil(qint64 until) {
        QByteArray got;
        for (;;) {
            const std::optional<qint64> next = controller.NextByteTime();
            if (!next || *next > until)
                break;
            now = std::max(now, *next);
            if (const std::optional<quint8> b = controller.TakeByte(now))
                got.append(static_cast<char>(*b));
        }
        now = std::max(now, until);
        return got;
    }

    VirtualController controller;
    qint64 now = 0;
};

inline QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}

} // namespace zeb::sim::testing
