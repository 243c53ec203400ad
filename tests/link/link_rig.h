#pragma once
// The link against the in-process virtual controller on a virtual clock, with a tap on the
// line that records every byte both ways (">1B <A3 ...", ">!81" in odd parity) and can lose
// or delay bytes on the way in.

#include "common/manual_timers.h"
#include "common/recording_operator.h"
#include "link/device.h"
#include "sim/sim_line.h"
#include "sim/virtual_controller.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <optional>

namespace zeb::testing {

class TapLine : public SerialLine {
public:
    TapLine(SerialLine& inner, VirtualClock& clock) : m_inner(inner), m_clock(clock) {}

    bool OpenPort() override {
        m_inner.SetPortDeviceName(PortDeviceName());
        return m_inner.OpenPort();
    }
    void ClosePort() override { m_inner.ClosePort(); }
    bool WriteByte(quint8 b) override {
        m_wire << (m_odd ? QStringLiteral(">!") : QStringLiteral(">")) + Hex(b);
        return m_inner.WriteByte(b);
    }
    bool ReadByte(quint8& b) override {
        if (m_readsLeft && *m_readsLeft == 0) {
            m_clock.Advance(500);
            return false;
        }
        quint8 got = 0;
        if (!m_inner.ReadByte(got))
            return false;
        if (m_drop == got) { // lost on the way: to the host a read that found nothing
            m_drop.reset();
            m_wire << QStringLiteral("<lost ") + Hex(got);
            m_clock.Advance(500);
            return false;
        }
        if (m_readsLeft)
            --*m_readsLeft;
        m_wire << QStringLiteral("<") + Hex(got);
        m_clock.Advance(m_lateMs);
        b = got;
        return true;
    }
    void SetParityOdd() override {
        m_odd = true;
        m_inner.SetParityOdd();
    }
    void SetParityEven() override {
        m_odd = false;
        m_inner.SetParityEven();
    }

    void DropIncoming(quint8 b) { m_drop = b; } // the next such byte from the controller
    void SilenceAfterReads(int reads) { m_readsLeft = reads; }
    void DelayIncoming(int msPerByte) { m_lateMs = msPerByte; } // every byte from now on
    // Every byte so far, in order, then forgets them.
    QString Wire() {
        const QString wire = m_wire.join(QLatin1Char(' '));
        m_wire.clear();
        return wire;
    }

private:
    static QString Hex(quint8 b) { return QString::asprintf("%02X", b); }

    SerialLine& m_inner;
    VirtualClock& m_clock;
    QStringList m_wire;
    bool m_odd = false;
    int m_lateMs = 0;
    std::optional<quint8> m_drop;
    std::optional<int> m_readsLeft;
};

struct LinkRig {
    explicit LinkRig(sim::ControllerOptions options = {})
        : vc(std::move(options)), simLine(vc, clock), tap(simLine, clock),
          dev(tap, op, clock, link, machine, selfTest) {
        tap.SetPortDeviceName(QStringLiteral("com1"));
        tap.OpenPort();
    }
    // Host and controller both at sequence number `seqNo`.
    LinkRig& StartAt(int seqNo) {
        link.SeqNo = static_cast<quint8>(seqNo);
        vc.SetExpectedSeqNo(seqNo);
        return *this;
    }
    // What the window does with an operation's outcome: tells the operator why it was not
    // done. True when it was.
    bool Shown(const Outcome& outcome) {
        Tell(op, outcome);
        return outcome.Ok();
    }
    // What the controller saw, in order: command names, or frames as hex.
    QStringList Commands() const { return Traced(false); }
    QStringList Frames() const { return Traced(true); }
    QStringList Traced(bool frames) const {
        QStringList out;
        for (const sim::TracedCommand& c : vc.Trace())
            out << (frames ? QString::fromLatin1(c.frame.toHex(' ').toUpper()) : c.name);
        return out;
    }
    // Each command's name with the four code bytes of its frame.
    QStringList NamedCodes() const {
        QStringList out;
        for (const sim::TracedCommand& c : vc.Trace())
            out << c.name + " " + QString::fromLatin1(c.frame.left(4).toHex(' ').toUpper());
        return out;
    }

    // The link is lost with exactly `message` shown, and the menus are locked.
    void ExpectLost(const QString& message) const {
        EXPECT_EQ(op.messages, QStringList{message});
        EXPECT_FALSE(link.DeviceReady);
        EXPECT_TRUE(op.locked);
    }

    VirtualClock clock;
    sim::VirtualController vc;
    sim::SimLine simLine;
    TapLine tap;
    RecordingOperator op;
    ManualTimers timers;
    LinkState link;
    MachineState machine;
    SelfTestState selfTest;
    Device dev;
};

} // namespace zeb::testing
