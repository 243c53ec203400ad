#pragma once
// A session as the program's start leaves it, but without a port and without writing anything:
// what preview and estimate work on. A missing Zeb.ini is taken as the default file the start
// would write.

#include "cli/terminal_operator.h"
#include "job/session.h"
#include "link/clock.h"
#include "link/polled_timers.h"

namespace zeb::cli {

struct OfflineSession {
    OfflineSession();

    TerminalOperator op;
    PolledTimers timers;
    SystemClock clock;
    Session s;
};

// Zeb.ini of the current directory into `s` (its problems printed), the work field and the
// tone tables as the start makes them.
void LoadSettingsOnly(Session& s);

} // namespace zeb::cli
