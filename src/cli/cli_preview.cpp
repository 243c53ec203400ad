// zeb-cli preview: what a job would strike, as a picture framed and toned like zeb-sim's
// workpiece, planned in memory as engrave would plan it. Nothing is sent to a machine and no
// file but the picture is written: not the plan, not the dump, not even Zeb.ini.
#include "cli/cli.h"
#include "cli/cli_args.h"
#include "cli/cli_forces.h"
#include "cli/cli_job_options.h"
#include "cli/cli_offline.h"
#include "cli/terminal_operator.h"

#include "job/job_preview.h"
#include "job/job_start.h"
#include "link/clock.h"
#include "link/comm_port_driver.h"
#include "link/polled_timers.h"
#include "picture/open_command.h"
#include "setup/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <memory>
#include <optional>

namespace zeb::cli {
namespace {

struct PreviewArgs {
    JobOptions job;
    QString output;
    QString plan; // the --plan form: a plan file instead of a picture
    int offsetX = 0;
    int offsetY = 0;
};

bool PlanForm(const QStringList& list) {
    return std::any_of(list.begin(), list.end(), [](const QString& arg) {
        return arg == QLatin1String("--plan") || arg.startsWith(QLatin1String("--plan="));
    });
}

QString TakeOffset(const Arg& arg, int& offset) {
    bool ok = false;
    const int value = arg.value.toInt(&ok);
    if (!ok || value < -1'000'000 || value > 1'000'000)
        return QStringLiteral("%1 takes a whole number in -1000000..1000000").arg(arg.name);
    offset = value;
    return {};
}

QString ParsePreviewArgs(const QStringList& list, PreviewArgs& a) {
    const Option output{"--output", Option::Value, "-o"};
    QString problem;
    if (PlanForm(list)) {
        const std::vector<Option> options{output,
                                          {"--plan", Option::Value},
                                          {"--offset-x", Option::Value},
                                          {"--offset-y", Option::Value}};
        problem = ReadArgs(list, options, [&a](const Arg& arg) -> QString {
            if (arg.Positional())
                return QStringLiteral("--plan takes no PICTURE (\"%1\")").arg(arg.value);
            if (arg.name == "--plan")
                a.plan = arg.value;
            else if (arg.name == "--offset-x")
                return TakeOffset(arg, a.offsetX);
            else if (arg.name == "--offset-y")
                return TakeOffset(arg, a.offsetY);
            else
                a.output = arg.value;
            return {};
        });
        if (problem.isEmpty() && a.plan.isEmpty())
            problem = QStringLiteral("--plan wants a plan file");
    } else {
        problem = ReadJobOptions(list, a.job, {output}, [&a](const Arg& arg) {
            a.output = arg.value;
            return QString();
        });
        if (problem.isEmpty() && a.job.picture.isEmpty())
            problem = QStringLiteral("no PICTURE given (or --plan PLAN.txt)");
    }
    if (problem.isEmpty() && a.output.isEmpty())
        problem = QStringLiteral("no output file given (-o OUT.png)");
    return problem;
}

// The picture through the Open road, placed on the work field, planned in memory.
int PreviewOfPicture(OfflineSession& p, const PreviewArgs& args,
                     std::optional<Result<JobPreview>>& preview) {
    Session& s = p.s;
    const std::optional<QString> path = ExistingFile(args.job.picture);
    if (!path)
        return ExitUsage;
    ApplyJobOptions(s, args.job);
    OpenCommandContext ctx = OpenContext(s);
    ctx.device = nullptr; // a preview sends nothing to a machine
    OpenCommandDialogs dialogs;
    dialogs.runOpenDialog = [&path] { return path; };
    if (const Outcome opened = OpenPicture(ctx, dialogs); !opened) {
        p.op.FinishProgress();
        PrintProblem(opened);
        return ExitUsage;
    }
    p.op.FinishProgress();
    PrintJobChoices(s);
    preview = PreviewJob(s);
    return ExitOk;
}

// A plan file at the offsets given, as a one-pass job with the forces of Zeb.ini.
int PreviewOfPlanFile(OfflineSession& p, const PreviewArgs& args,
                      std::optional<Result<JobPreview>>& preview) {
    Session& s = p.s;
    const std::optional<QString> path = ExistingFile(args.plan);
    if (!path)
        return ExitUsage;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        PrintError(QStringLiteral("cannot read %1: %2").arg(args.plan, file.errorString()));
        return ExitFailed;
    }
    const QByteArray plan = file.readAll();
    if (const Outcome forces = CheckJobForces(s.Levels, s.Machine, s.Config, s.Texts, false);
        !forces) {
        preview = Result<JobPreview>(forces);
        return ExitOk;
    }
    s.Place.PictureOffsetX = args.offsetX;
    s.Place.PictureOffsetY = args.offsetY;
    preview = PreviewPlan(plan, {JobPassInputs(s, s.Levels.FirstPassLevels)},
                          QDir::toNativeSeparators(*path));
    return ExitOk;
}

QString Summary(const JobPreview& preview, const QString& output, const QDateTime& now) {
    QString text = QStringLiteral("%1: %2 x %3 dots from field row 0, column 0\n")
                       .arg(output)
                       .arg(preview.frame.columns)
                       .arg(preview.frame.rows);
    for (std::size_t pass = 0; pass < preview.passes.size(); ++pass) {
        const PassPreview& counts = preview.passes[pass];
        text += QStringLiteral("pass %1: %2 strike lines, dots at level \"32\" %3, \"24\" %4, "
                               "\"16\" %5, \"8\" %6\n")
                    .arg(pass + 1)
                    .arg(counts.strikeLines)
                    .arg(counts.dots[4])
                    .arg(counts.dots[3])
                    .arg(counts.dots[2])
                    .arg(counts.dots[1]);
    }
    if (preview.offField > 0)
        text += QStringLiteral("%1 dots lie off the field (negative row or column): drawn on "
                               "its edge\n")
                    .arg(preview.offField);
    return text + DurationTextsFor(preview.units, now).duration + QLatin1Char('\n');
}

int RunPreview(const QStringList& list) {
    PreviewArgs args;
    if (const QString usage = ParsePreviewArgs(list, args); !usage.isEmpty())
        return UsageError(QStringLiteral("preview"), usage);
    OfflineSession p;
    LoadSettingsOnly(p.s);
    std::optional<Result<JobPreview>> planned;
    const int code = args.plan.isEmpty() ? PreviewOfPicture(p, args, planned)
                                         : PreviewOfPlanFile(p, args, planned);
    if (code != ExitOk)
        return code;
    if (!*planned) {
        PrintError(planned->Message());
        return ExitUsage;
    }
    const JobPreview& preview = **planned;
    const QImage picture = PreviewPicture(preview);
    if (picture.isNull()) {
        PrintError(QStringLiteral("the strikes span %1 x %2 dots, too many for a picture")
                       .arg(preview.frame.columns)
                       .arg(preview.frame.rows));
        return ExitUsage;
    }
    QSaveFile out(args.output);
    if (!out.open(QIODevice::WriteOnly) || !picture.save(&out, "PNG") || !out.commit()) {
        PrintError(QStringLiteral("cannot write %1: %2").arg(args.output, out.errorString()));
        return ExitFailed;
    }
    PrintOut(Summary(preview, args.output, p.clock.Now()));
    return ExitOk;
}

const Registration reg{{
    QStringLiteral("preview"),
    QStringLiteral("what a job would strike, as a picture (nothing is sent)"),
    QStringLiteral(
        "Usage: zeb-cli preview PICTURE [job options of engrave, without --port] -o OUT.png\n"
        "       zeb-cli preview --plan PLAN.txt [--offset-x N --offset-y N] -o OUT.png\n\n"
        "Plans PICTURE in memory exactly as \"zeb-cli engrave\" would (Zeb.ini, the\n"
        "conversion, the place on the work field, the quality, both passes with\n"
        "--second-pass), or reads PLAN.txt as a one-pass job whose picture lies at the\n"
        "offsets given (default 0, 0), and writes what the job strikes as a PNG: one pixel\n"
        "per field dot from field row 0 and column 0 to the last struck dot, black where\n"
        "nothing is struck, 64/128/192/255 for strike digits 1..4 (the stronger where two\n"
        "passes meet): the framing and tones of \"zeb-sim --workpiece\", so the two can be\n"
        "compared. Dots at a negative row or column lie off the field: they are counted and\n"
        "drawn on its edge.\n\n"
        "  -o, --output FILE  the picture, written whole or not at all\n") +
        JobOptionsHelp() +
        QStringLiteral(
            "\n"
            "It prints the strike lines and the dots per level of each pass and the estimated\n"
            "duration (the column times of each pass's forces, motor values of Zeb.ini, a link\n"
            "time of 400). Nothing is sent to a machine, and nothing but OUT.png is written:\n"
            "not the plan, not the dump, not Zeb.ini (without one, the default file's values\n"
            "are taken).\n"
            "Exit status: 0 written, 1 OUT.png could not be written, 2 bad usage or input (a\n"
            "picture or plan that cannot be read, forces the job would refuse).\n"),
    RunPreview,
}};

} // namespace
} // namespace zeb::cli
