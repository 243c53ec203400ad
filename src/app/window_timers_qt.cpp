#include "app/window_timers_qt.h"

namespace zeb::app {

QtWindowTimers::QtWindowTimers(QObject* parent) : QObject(parent) {
    // Intervals of the window's design; starters may set others.
    const struct {
        TimerId id;
        const char* name;
        int interval;
    } design[] = {
        {TimerId::Optimizing, "Optimizing", 1}, {TimerId::Timer2, "Timer2", 1},
        {TimerId::Timer3, "Timer3", 1},         {TimerId::CrushTimer, "CrushTimer", 10},
        {TimerId::Timer4, "Timer4", 30000},
    };
    for (const auto& d : design) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(d.name));
        timer->setInterval(d.interval);
        connect(timer, &QTimer::timeout, this, [this, id = d.id] { Tick(id); });
        m_timers[Index(d.id)] = timer;
    }
}

void QtWindowTimers::Tick(TimerId id) {
    const std::function<void()>& handler = m_handlers[Index(id)];
    if (handler && !(m_busy && m_busy()))
        handler();
}

void QtWindowTimers::Start(TimerId id, int intervalMs) {
    m_timers[Index(id)]->start(intervalMs);
}

void QtWindowTimers::Stop(TimerId id) {
    m_timers[Index(id)]->stop();
}

bool QtWindowTimers::Running(TimerId id) const {
    return m_timers[Index(id)]->isActive();
}

void QtWindowTimers::OnTick(TimerId id, std::function<void()> handler) {
    m_handlers[Index(id)] = std::move(handler);
}

} // namespace zeb::app
