#pragma once
// The controller's transmit side. Answer bytes wait here until they are due and leave in the
// order of their due times (an inquiry answer overtakes the end byte of a long move). With
// pacing every byte holds the wire for 12 bits at 19200 baud. Transmit faults of the plan
// (lost, changed, late bytes) are applied as a byte is queued; a late byte holds back
// everything queued after it, as a stalled transmitter would.

#include "sim/fault_dice.h"
#include "sim/fault_plan.h"

#include <QtGlobal>

#include <optional>
#include <vector>

namespace zeb::sim {

inline constexpr qint64 WireByteUs = 625; // 12 bits at 19200 baud

class AnswerQueue {
public:
    AnswerQueue(bool paceWire, const FaultPlan& faults, FaultDice& dice)
        : m_pace(paceWire), m_faults(faults), m_dice(dice) {}

    // Queues `byte` to be sent at `readyUs` at the earliest. Returns a ticket for Pending(),
    // or nothing when a fault lost the byte.
    std::optional<quint64> Push(quint8 byte, qint64 readyUs);
    // When the next byte arrives at the host, if any is queued.
    std::optional<qint64> NextDueUs() const;
    // The next byte if it has arrived by `nowUs`.
    std::optional<quint8> Take(qint64 nowUs);
    bool Pending(quint64 ticket) const;
    // Forgets every queued byte (nobody listens on the line).
    void Clear() { m_items.clear(); }

private:
    struct Item {
        qint64 readyUs;
        quint64 ticket;
        quint8 byte;
    };

    bool m_pace;
    const FaultPlan& m_faults;
    FaultDice& m_dice;
    std::vector<Item> m_items; // ordered by ready time, then by ticket
    quint64 m_nextTicket = 1;
    qint64 m_wireFreeUs = 0; // the previous byte has left the wire
    qint64 m_stalledUntilUs = 0;
};

} // namespace zeb::sim
