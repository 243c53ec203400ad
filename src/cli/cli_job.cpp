#include "cli/cli_job.h"

#include "cli/cli.h"
#include "job/job_runner.h"
#include "job/start_up.h"
#include "link/comm_port_driver.h"
#include "setup/settings_file.h"

#include <QElapsedTimer>

#include <csignal>

namespace zeb::cli {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void Interrupted(int) {
    g_interrupted = 1;
}

// Ctrl+C (or a polite kill) ends the job between two lines; a second one is not caught, so
// an operator can still force the way out.
void CatchInterrupts() {
    struct sigaction action {};
    action.sa_handler = Interrupted;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

JobProgress Progress(const Session& s, qint64 elapsedMs) {
    const JobState& job = s.Job;
    return {job.PlanBytesRead, job.PlanBytesTotal, job.StrikeLinesSent,
            job.DotsStruck,    elapsedMs,          job.Pass};
}

} // namespace

std::unique_ptr<JobSession> StartJobSession(const QString& port) {
    auto job = std::make_unique<JobSession>();
    job->session = std::make_unique<Session>(job->op, job->timers, job->clock,
                                             std::make_unique<CommPortDriver1>());
    Session& s = *job->session;
    QString savedPort;
    StartUpHooks hooks;
    hooks.settingsLoaded = [&](const QStringList& problems, const std::array<bool, 8>&) {
        for (const QString& problem : problems)
            PrintError(QStringLiteral("Zeb.ini: ") + problem);
        // No sliders show what the tool holds: without a file it holds the default file's.
        ReadBackDefaultFile(s.Config, s.Levels, s.Machine);
        // The start-up opens the port the settings hold: the command's, for this run only.
        savedPort = s.Config.PortName;
        s.Config.PortName = port;
    };
    hooks.languageLoaded = [](const QString& problem) {
        if (!problem.isEmpty())
            PrintError(problem);
    };
    hooks.recoveryFileUnreadable = [](const QString& problem) { PrintError(problem); };
    StartUp(s, hooks);
    s.Config.PortName = savedPort;
    if (!s.Link.DeviceReady) {
        PrintError(QStringLiteral("the controller on \"%1\" does not answer").arg(port));
        CloseJobSession(*job);
        return nullptr;
    }
    return job;
}

int RunJob(JobSession& job) {
    Session& s = *job.session;
    CatchInterrupts();
    QElapsedTimer elapsed;
    elapsed.start();
    for (;;) {
        if (g_interrupted) {
            EndJobForLater(s);
            job.op.FinishProgress();
            PrintError(QStringLiteral("stopped by an interrupt; \"zeb-cli resume\" finishes the "
                                      "job"));
            return ExitFailed;
        }
        if (!job.timers.Running(TimerId::Optimizing)) {
            job.op.FinishProgress();
            PrintError(QStringLiteral("the job is not running"));
            return ExitFailed;
        }
        const TickOutcome outcome = RunNextPlanLine(s);
        const bool last = outcome.result != TickResult::LineDone &&
                          outcome.result != TickResult::SecondPassStarted;
        job.op.ShowProgress(Progress(s, elapsed.elapsed()), last);
        switch (outcome.result) {
        case TickResult::LineDone:
        case TickResult::SecondPassStarted:
            continue;
        case TickResult::Completed:
            job.op.FinishProgress();
            PrintOut(QStringLiteral("done: %1 strike lines, %2 dots, %3 s\n")
                         .arg(s.Job.StrikeLinesSent)
                         .arg(s.Job.DotsStruck)
                         .arg(elapsed.elapsed() / 1000.0, 0, 'f', 1));
            return ExitOk;
        case TickResult::LinkLost:
            job.op.FinishProgress();
            PrintError(QStringLiteral("the link to the controller was lost; the job stopped "
                                      "and \"zeb-cli resume\" finishes it"));
            return ExitFailed;
        case TickResult::Stopped:
        case TickResult::NotRunning:
            job.op.FinishProgress();
            return ExitFailed;
        }
    }
}

void CloseJobSession(JobSession& job) {
    PrintProblem(ShutDown(*job.session));
}

} // namespace zeb::cli
