#pragma once
// Window timers that only tick when a test says so.

#include "link/window_timers.h"

#include <map>

namespace zeb::testing {

class ManualTimers : public WindowTimers {
public:
    void Start(TimerId id, int intervalMs) override {
        m_running[id] = true;
        m_interval[id] = intervalMs;
    }
    void Stop(TimerId id) override { m_running[id] = false; }
    bool Running(TimerId id) const override {
        auto it = m_running.find(id);
        return it != m_running.end() && it->second;
    }
    int Interval(TimerId id) const {
        auto it = m_interval.find(id);
        return it == m_interval.end() ? 0 : it->second;
    }

private:
    std::map<TimerId, bool> m_running;
    std::map<TimerId, int> m_interval;
};

} // namespace zeb::testing
