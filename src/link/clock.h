#pragma once
// Time as a dependency: elapsed times come from a monotonic clock, time of day only for the
// completion time shown to the operator. Tests hand in a VirtualClock that the in-process
// virtual controller advances, so no test sleeps.

#include <QDateTime>
#include <QtGlobal>

namespace zeb {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic scale; only differences mean anything.
    virtual qint64 MonotonicMs() const = 0;
    // Wall-clock time of day.
    virtual QDateTime Now() const = 0;
};

class SystemClock final : public Clock {
public:
    SystemClock();
    qint64 MonotonicMs() const override;
    QDateTime Now() const override;

private:
    qint64 m_startNs;
};

class VirtualClock final : public Clock {
public:
    explicit VirtualClock(QDateTime start = QDateTime(QDate(2026, 1, 5), QTime(9, 0)))
        : m_start(start) {}
    qint64 MonotonicMs() const override { return m_nowMs; }
    QDateTime Now() const override { return m_start.addMSecs(m_nowMs); }
    void Advance(qint64 ms) { m_nowMs += ms > 0 ? ms : 0; }
    void AdvanceTo(qint64 ms) { m_nowMs = ms > m_nowMs ? ms : m_nowMs; }

private:
    QDateTime m_start;
    qint64 m_nowMs = 0;
};

} // namespace zeb
