#pragma once
// The window's five timers as real QTimers, named as in the window's design.

#include "link/window_timers.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <functional>

namespace zeb::app {

class QtWindowTimers : public QObject, public WindowTimers {
    Q_OBJECT
public:
    explicit QtWindowTimers(QObject* parent = nullptr);

    void Start(TimerId id, int intervalMs) override;
    void Stop(TimerId id) override;
    bool Running(TimerId id) const override;

    // What a tick of the timer does; set by the window.
    void OnTick(TimerId id, std::function<void()> handler);
    // While `busy` holds (a command in flight), ticks are skipped: every timer here repeats
    // until its handler stops it, so a skipped tick is only a later one.
    void DeferWhile(std::function<bool()> busy) { m_busy = std::move(busy); }
    // One tick of the timer, as its timeout gives it.
    void Tick(TimerId id);
    QTimer* Timer(TimerId id) { return m_timers[Index(id)]; }

private:
    static size_t Index(TimerId id) { return static_cast<size_t>(id); }
    std::array<QTimer*, 5> m_timers{};
    std::array<std::function<void()>, 5> m_handlers;
    std::function<bool()> m_busy;
};

} // namespace zeb::app
