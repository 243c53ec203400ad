#pragma once
// Drives a virtual controller by hand: bytes in at a chosen time, answers out as they come
// due. Frames are spelled in hex in the tests, check bytes worked out by hand.

#include "sim/virtual_controller.h"

#include <gtest/gtest.h>

namespace zeb::sim::testing {

class Wire {
public:
    explicit Wire(ControllerOptions options = {}) : controller(std::move(options)) {}

    // Host bytes at even parity, all at the current time.
    void Send(const QByteArray& bytes) {
        for (char c : bytes)
            controller.Receive(static_cast<quint8>(c), false, now);
    }
    // Every answer byte due by now, or after `ms` have passed.
    QByteArray Take() { return TakeFor(0); }
    QByteArray TakeFor(qint64 ms) {
        QByteArray got;
        for (std::optional<qint64> next; (next = controller.NextByteTime()) && *next <= now + ms;) {
            if (const std::optional<quint8> b = controller.TakeByte(std::max(now, *next)))
                got.append(static_cast<char>(*b));
        }
        now += ms;
        return got;
    }

    // Plays the host's side from a script of steps "send>expect", separated by spaces:
    // `send` is hex bytes ("!81" an inquiry byte in odd parity, "+40" lets 40 ms pass),
    // `expect` what has come by then, in hex.
    void Play(const QByteArray& script) {
        for (const QByteArray& step : script.simplified().split(' ')) {
            const QByteArray send = step.left(step.indexOf('>'));
            QByteArray got;
            if (send.startsWith('+')) {
                got = TakeFor(send.mid(1).toLongLong());
            } else {
                if (send.startsWith('!'))
                    controller.Receive(static_cast<quint8>(QByteArray::fromHex(send.mid(1))[0]),
                                       true, now);
                else
                    Send(QByteArray::fromHex(send));
                got = Take();
            }
            EXPECT_EQ((send + QByteArray(">") + got.toHex()).toStdString(), step.toStdString());
        }
    }

    VirtualController controller;
    qint64 now = 0;
};

} // namespace zeb::sim::testing
