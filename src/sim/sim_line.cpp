#include "sim/sim_line.h"

namespace zeb::sim {

namespace {
constexpr qint64 ReadLimitMs = 500; // one byte read gives up after 250 x 1 + 250 ms
}

SimLine::SimLine(VirtualController& controller, VirtualClock& clock)
    : m_controller(controller), m_clock(clock) {}

bool SimLine::OpenPort() {
    m_open = PortDeviceName() != m_missing || m_missing.isEmpty();
    m_odd = false;
    if (m_open) {
        // What the controller said while nobody listened is gone.
        const qint64 now = m_clock.MonotonicMs();
        while (m_controller.TakeByte(now)) {
        }
    }
    SetPortOk(m_open);
    return m_open;
}

void SimLine::ClosePort() {
    m_open = false;
}

bool SimLine::WriteByte(quint8 b) {
    if (!m_open) {
        SetPortOk(false);
        return false;
    }
    m_controller.Receive(b, m_odd, m_clock.MonotonicMs());
    SetPortOk(true);
    return true;
}

bool SimLine::ReadByte(quint8& b) {
    const qint64 deadline = m_clock.MonotonicMs() + ReadLimitMs;
    if (!m_open) {
        // Time still passes, so a loop that waits with a time limit ends on a closed port.
        m_clock.AdvanceTo(deadline);
        SetPortOk(false);
        return false;
    }
    // Time passes in slices, as on a real line, so the window's wait work runs in between.
    auto passUntil = [this](qint64 t) {
        while (m_clock.MonotonicMs() + WaitSliceMs < t) {
            m_clock.AdvanceTo(m_clock.MonotonicMs() + WaitSliceMs);
            WhileWaiting();
        }
        m_clock.AdvanceTo(t);
    };
    for (;;) {
        const std::optional<qint64> next = m_controller.NextByteTime();
        if (!next || *next > deadline)
            break;
        passUntil(*next);
        // A byte announced may still be lost on the way (a fault): look again.
        if (const std::optional<quint8> got = m_controller.TakeByte(m_clock.MonotonicMs())) {
            b = *got;
            SetPortOk(true);
            return true;
        }
    }
    passUntil(deadline);
    SetPortOk(false);
    return false;
}

void SimLine::SetParityOdd() {
    if (m_open)
        m_odd = true;
}

void SimLine::SetParityEven() {
    if (m_open)
        m_odd = false;
}

void SimLine::SetMissingPort(const QString& name) {
    m_missing = name;
    if (m_open && PortDeviceName() == name)
        m_open = false;
}

bool SimLine::ParityOdd() const {
    return m_odd;
}

} // namespace zeb::sim
