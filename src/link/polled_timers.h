#pragma once
// The window's timers for a loop that drives the job by hand and asks which of them run:
// nothing ticks by itself. zeb-cli's job commands and the benchmarks use them.

#include "link/window_timers.h"

#include <array>
#include <cstddef>

namespace zeb {

class PolledTimers final : public WindowTimers {
public:
    void Start(TimerId id, int) override { m_running[Index(id)] = true; }
    void Stop(TimerId id) override { m_running[Index(id)] = false; }
    bool Running(TimerId id) const override { return m_running[Index(id)]; }

private:
    static std::size_t Index(TimerId id) { return static_cast<std::size_t>(id); }
    std::array<bool, 5> m_running{};
};

} // namespace zeb
