#pragma once
// The window's timers, as the core sees them. The window and the CLI connect real timers;
// tests tick them by hand, so nothing in the core waits for wall-clock time to pass.

namespace zeb {

enum class TimerId {
    Optimizing, // one plan line per tick, 1 ms
    Timer2,     // follow-up of a tool move and of a job end
    Timer3,     // deletes the recovery file after "ignore"
    CrushTimer, // starts a recovery, 10 ms
    Timer4,     // keep-alive greetings, 30 s
};

class WindowTimers {
public:
    virtual ~WindowTimers() = default;
    // Starts (or restarts) the timer with the given interval in ms.
    virtual void Start(TimerId id, int intervalMs) = 0;
    virtual void Stop(TimerId id) = 0;
    virtual bool Running(TimerId id) const = 0;
};

} // namespace zeb
