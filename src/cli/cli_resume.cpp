// zeb-cli resume: finishes the job recorded in the current directory, as "Завершить
// незавершенный проект." does: warm-up, the controller's saved position, the plan cut there,
// the rest struck.
#include "cli/cli.h"
#include "cli/cli_args.h"
#include "cli/cli_forces.h"
#include "cli/cli_job.h"

#include "job/recovery.h"
#include "job/recovery_file.h"

#include <QDir>

namespace zeb::cli {
namespace {

constexpr int MaxWarmUps = 5;

QString ParseResumeArgs(const QStringList& list, QString& port, int& warmUps) {
    const std::vector<Option> options{{"--port", Option::Value}, {"--warm-up", Option::Value}};
    const QString problem = ReadArgs(list, options, [&](const Arg& arg) -> QString {
        if (arg.Positional())
            return QStringLiteral("unknown argument \"%1\"").arg(arg.value);
        if (arg.name == "--port") {
            port = arg.value;
            return PortNameProblem(port);
        }
        bool ok = false;
        warmUps = arg.value.toInt(&ok);
        if (!ok || warmUps < 0 || warmUps > MaxWarmUps)
            return QStringLiteral("--warm-up wants 0..%1, not \"%2\"")
                .arg(MaxWarmUps)
                .arg(arg.value);
        return {};
    });
    if (!problem.isEmpty())
        return problem;
    if (port.isEmpty())
        return QStringLiteral("no port given (--port NAME)");
    return {};
}

int RunResume(const QStringList& list) {
    QString port;
    int warmUps = 3;
    if (const QString usage = ParseResumeArgs(list, port, warmUps); !usage.isEmpty())
        return UsageError(QStringLiteral("resume"), usage);
    if (!RecoveryFileExists(QDir::currentPath())) {
        PrintError(QStringLiteral("no unfinished job here: %1 is missing").arg(RecoveryFileName));
        return ExitUsage;
    }
    const std::unique_ptr<JobSession> job = StartJobSession(port);
    if (!job)
        return ExitFailed;
    Session& s = *job->session;
    s.Job.WarmUpRounds = warmUps;
    if (const Outcome resumed = ResumeInterruptedJob(s); !resumed) {
        // Every file is as it was.
        PrintProblem(resumed);
        CloseJobSession(*job);
        return s.Link.DeviceReady ? ExitUsage : ExitFailed;
    }
    PrintOut(ResumedForcesText(s.Levels));
    const int code = RunJob(*job);
    CloseJobSession(*job);
    return code;
}

const Registration reg{{
    QStringLiteral("resume"),
    QStringLiteral("finish the job interrupted in the current directory"),
    QStringLiteral(
        "Usage: zeb-cli resume --port NAME [--warm-up N]\n\n"
        "Finishes the job that \"ErorFile.txt\" in the current directory records, as the\n"
        "program's \"Завершить незавершенный проект.\" does: N warm-up rounds (0..5, default\n"
        "3), the position the controller saved when the job stopped, the plan cut there\n"
        "and the rest struck, the second pass included, with the forces the job had; they\n"
        "are printed before the rest is struck.\n\n"
        "When the saved position cannot be placed in the plan nothing is started and every\n"
        "file stays as it is. The progress line and Ctrl+C work as in \"zeb-cli engrave\".\n\n"
        "Exit status: 0 the job finished, 1 it stopped again (resumable) or the controller\n"
        "does not answer, 2 bad usage, no unfinished job, or one that cannot be resumed.\n"),
    RunResume,
}};

} // namespace
} // namespace zeb::cli
