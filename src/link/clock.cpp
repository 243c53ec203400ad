#include "link/clock.h"

#include <chrono>

namespace zeb {

namespace {
qint64 SteadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

SystemClock::SystemClock() : m_startNs(SteadyNs()) {}

qint64 SystemClock::MonotonicMs() const {
    return (SteadyNs() - m_startNs) / 1000000;
}

QDateTime SystemClock::Now() const {
    return QDateTime::currentDateTime();
}

} // namespace zeb
