// zeb-cli engrave: a whole job in the current directory, as the program runs it: the picture
// through the Open road, "Работа" with the job's choices, the plan executed line by line.
#include "cli/cli.h"
#include "cli/cli_args.h"
#include "cli/cli_forces.h"
#include "cli/cli_job.h"
#include "cli/cli_job_options.h"

#include "job/job_start.h"
#include "job/recovery_file.h"
#include "picture/open_command.h"

#include <QDir>

namespace zeb::cli {
namespace {

struct EngraveArgs {
    JobOptions job;
    QString port;
    bool allowOutside = false;
};

QString ParseEngraveArgs(const QStringList& list, EngraveArgs& a) {
    const QString problem = ReadJobOptions(
        list, a.job, {{"--port", Option::Value}, {"--allow-outside"}}, [&a](const Arg& arg) {
            if (arg.name == QStringLiteral("--allow-outside")) {
                a.allowOutside = true;
                return QString();
            }
            a.port = arg.value;
            return PortNameProblem(arg.value);
        });
    if (!problem.isEmpty())
        return problem;
    if (a.job.picture.isEmpty())
        return QStringLiteral("no PICTURE given");
    if (a.port.isEmpty())
        return QStringLiteral("no port given (--port NAME)");
    return {};
}

int RunEngrave(const QStringList& list) {
    EngraveArgs args;
    if (const QString usage = ParseEngraveArgs(list, args); !usage.isEmpty())
        return UsageError(QStringLiteral("engrave"), usage);
    const std::optional<QString> path = ExistingFile(args.job.picture);
    if (!path)
        return ExitUsage;
    if (RecoveryFileExists(QDir::currentPath())) {
        PrintError(QStringLiteral("an unfinished job is recorded in %1: finish it with "
                                  "\"zeb-cli resume\" or delete the file")
                       .arg(RecoveryFileName));
        return ExitUsage;
    }
    const std::unique_ptr<JobSession> job = StartJobSession(args.port);
    if (!job)
        return ExitFailed;
    Session& s = *job->session;
    // What the start read: a picture refused for its place leaves Zeb.ini as it was.
    const Settings readConfig = s.Config;
    const StrikeLevels readLevels = s.Levels;
    ApplyJobOptions(s, args.job);
    if (const QString refusal = TakenForcesRefusal(s.Config, s.Levels.DoublePassPending);
        !refusal.isEmpty()) {
        PrintError(refusal);
        CloseJobSession(*job);
        return ExitUsage;
    }
    if (const Outcome forces =
            CheckJobForces(s.Levels, s.Machine, s.Config, s.Texts, s.Levels.DoublePassPending);
        !forces) {
        PrintProblem(forces);
        CloseJobSession(*job);
        return ExitUsage;
    }

    OpenCommandContext ctx = OpenContext(s);
    OpenCommandDialogs dialogs;
    dialogs.runOpenDialog = [&path] { return path; };
    if (const Outcome opened = OpenPicture(ctx, dialogs); !opened) {
        job->op.FinishProgress();
        PrintProblem(opened);
        CloseJobSession(*job);
        return ExitUsage;
    }
    job->op.FinishProgress(); // the Open road's last status line stays on its own line
    PrintJobChoices(s);
    // Nobody at a terminal is asked: a picture reaching outside the field is struck only when
    // the command line says so.
    if (const FieldOverhang overhang = JobOverhang(s.Place, s.View, s.Config);
        !overhang.Fits() && !args.allowOutside) {
        PrintError(OutsideFieldText(s.Texts, overhang));
        PrintError(QStringLiteral("refused: nothing was struck; --allow-outside engraves it all "
                                  "the same"));
        s.Config = readConfig;
        s.Levels = readLevels;
        CloseJobSession(*job);
        return ExitUsage;
    }
    const Result<JobStart> start = StartJob(s, {}, OutsideField::Accepted);
    if (!start || !start->begun) {
        job->op.FinishProgress();
        PrintProblem(start);
        if (start)
            PrintError(QStringLiteral("the link to the controller was lost while the job was "
                                      "being set up; \"zeb-cli resume\" starts it"));
        CloseJobSession(*job);
        return ExitFailed;
    }
    // A plan the estimate could not read was read by nobody else either: the job says so.
    if (const Result<JobEstimate>& estimate = start->estimate)
        PrintOut(estimate->texts.duration + QLatin1Char('\n') + estimate->texts.completion +
                 QLatin1Char('\n'));
    const int code = RunJob(*job);
    CloseJobSession(*job);
    return code;
}

const Registration reg{{
    QStringLiteral("engrave"),
    QStringLiteral("engrave a picture on the machine, start to finish"),
    QStringLiteral(
        "Usage: zeb-cli engrave PICTURE --port NAME [--mode combined|diffusion]\n"
        "                       [--one-sided] [--text] [--forces F32,F24,F16,F8]\n"
        "                       [--second-pass F32,F24,F16,F8]\n"
        "                       [--align LEFT|CENTER|RIGHT,TOP|CENTER|BOTTOM]\n"
        "                       [--resolution I] [--levels B,W,G] [--invert]\n"
        "                       [--allow-outside]\n\n"
        "Runs a whole job in the current directory as the program does: starts up (Zeb.ini,\n"
        "the port, the greeting), opens and converts PICTURE, places it on the work field,\n"
        "plans it, writes the recovery file and strikes the plan line by line.\n\n"
        "  --port NAME        the controller's serial port: comN or a device path\n"
        "  --allow-outside    engrave a picture that reaches outside the work field; without\n"
        "                     it such a picture is refused (exit 2), naming how far it\n"
        "                     reaches out on each side\n") +
        JobOptionsHelp() +
        QStringLiteral(
            "\n"
            "Forces, picture kind and resolution not given come from Zeb.ini as the program's\n"
            "start leaves it: without the file, from the default file it writes (forces 14, 10,\n"
            "5, 2). When a line among lines 1..5 of Zeb.ini is missing or malformed, or the file\n"
            "cannot be read, the first-pass forces must be given with --forces. The forces of\n"
            "each pass are printed before the job starts. The job start writes Zeb.ini back as\n"
            "the program does (keeping its own port), except while a pass holds forces taken in\n"
            "place of faulty lines: then the file stays as it is.\n"
            "On a terminal a progress line shows the plan done, strike lines, dots and the time\n"
            "left. Ctrl+C ends the job between two lines as \"Завершить работу\" does: the\n"
            "recovery file stays and \"zeb-cli resume\" finishes the job.\n\n"
            "Exit status: 0 the job finished, 1 it stopped (lost link, Ctrl+C) and can be\n"
            "resumed, or the controller does not answer, 2 bad usage or input (also an\n"
            "unfinished job in the directory, first-pass forces Zeb.ini does not hold, or a\n"
            "picture outside the work field without --allow-outside).\n"),
    RunEngrave,
}};

} // namespace
} // namespace zeb::cli
