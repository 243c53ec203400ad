#pragma once
// What zeb-cli engrave and zeb-cli resume share: a session in the current directory started
// up as the program starts, over the port named on the command line; the job timer driven in
// a loop until the job ends; Ctrl+C ending the job the way "Завершить работу" does.

#include "cli/terminal_operator.h"
#include "job/session.h"
#include "link/clock.h"
#include "link/polled_timers.h"

#include <QString>

#include <memory>

namespace zeb::cli {

struct JobSession {
    TerminalOperator op;
    PolledTimers timers;
    SystemClock clock;
    std::unique_ptr<Session> session;
};

// Starts up in the current directory: settings (without Zeb.ini, those of the default file
// the start writes), language, the port `port` (a device path or comN; Zeb.ini keeps its own
// port), the check for an unfinished job, the tables, the greeting and the controller reset. Empty
// (told, the session closed again) when the controller does not answer.
std::unique_ptr<JobSession> StartJobSession(const QString& port);

// Drives the job timer until the job ends. Returns the exit code: 0 the job finished, 1 it
// stopped (link lost, a line that could not be carried out, Ctrl+C) and can be resumed.
int RunJob(JobSession& job);

// The window's close: print job ended and machine off while the link is up, port closed,
// settings saved.
void CloseJobSession(JobSession& job);

} // namespace zeb::cli
