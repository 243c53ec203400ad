#include "sim/answer_queue.h"

#include <algorithm>

namespace zeb::sim {

std::optional<quint64> AnswerQueue::Push(quint8 byte, qint64 readyUs) {
    if (m_dice.Roll(m_faults.dropTx))
        return std::nullopt;
    if (m_dice.Roll(m_faults.corruptTx))
        byte ^= m_dice.NonZeroByte();
    readyUs = std::max(readyUs, m_stalledUntilUs);
    if (m_dice.Roll(m_faults.delayTx)) {
        readyUs += 1000LL * m_dice.Between(200, 900);
        m_stalledUntilUs = readyUs;
    }
    const Item item{readyUs, m_nextTicket++, byte};
    auto at = std::upper_bound(m_items.begin(), m_items.end(), item,
                               [](const Item& a, const Item& b) { return a.readyUs < b.readyUs; });
    m_items.insert(at, item);
    return item.ticket;
}

std::optional<qint64> AnswerQueue::NextDueUs() const {
    if (m_items.empty())
        return std::nullopt;
    const qint64 start = std::max(m_items.front().readyUs, m_wireFreeUs);
    return m_pace ? start + WireByteUs : start;
}

std::optional<quint8> AnswerQueue::Take(qint64 nowUs) {
    const std::optional<qint64> due = NextDueUs();
    if (!due || *due > nowUs)
        return std::nullopt;
    const quint8 byte = m_items.front().byte;
    m_items.erase(m_items.begin());
    m_wireFreeUs = *due;
    return byte;
}

bool AnswerQueue::Pending(quint64 ticket) const {
    return std::any_of(m_items.begin(), m_items.end(),
                       [ticket](const Item& i) { return i.ticket == ticket; });
}

} // namespace zeb::sim
