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
    QTimer* Timer(TimerId id) { return m_timers[Index(id)]; }

private:
    static size_t Index(TimerId id) { return static_cast<size_t>(id); }
    std::array<QTimer*, 5> m_timers{};
    std::array<std::function<void()>, 5> m_handlers;
};

} // namespace zeb::app
