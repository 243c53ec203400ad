// zeb-cli plan: a picture through the Open road and the planner, from a fresh start, written
// out as the plan file the program writes.
#include "cli/cli.h"
#include "cli/cli_open.h"
#include "cli/cli_tone.h"

#include "job/plan_builder.h"
#include "job/plan_dump.h"

namespace zeb::cli {
namespace {

int RunPlan(const QStringList& list) {
    OpenArgs args;
    bool oneSided = false;
    QString dump;
    const auto takeOwn = [&](const Arg& arg) {
        if (arg.name == "--one-sided")
            oneSided = true;
        else
            dump = arg.value;
    };
    const QString usage =
        ReadOpenArgs(list, args, QStringLiteral("PLAN.txt"),
                     {{"--one-sided", Option::Flag}, {"--dump", Option::Value}}, takeOwn);
    if (!usage.isEmpty())
        return UsageError(QStringLiteral("plan"), usage);
    FreshOpen open;
    if (const int code = OpenFresh(open, args); code != ExitOk)
        return code;
    if (!dump.isEmpty()) {
        if (const Result<qint64> dumped = WriteDotMapDump(open.work.matrices, dump); !dumped) {
            PrintProblem(dumped);
            return ExitFailed;
        }
    }
    const PassMode pass = oneSided ? PassMode::OneSided : PassMode::TwoSided;
    const Result<PlanText> plan = BuildPlanText(open.work.matrices, pass, &open.op);
    if (!plan) {
        PrintProblem(plan);
        return ExitUsage;
    }
    if (const Outcome written = WritePlanFile(plan->text, args.output); !written) {
        PrintProblem(written);
        return ExitFailed;
    }
    PrintOut(QStringLiteral("%1: %2 bytes, %3 areas (%4)\n")
                 .arg(args.output)
                 .arg(plan->text.size())
                 .arg(plan->areas)
                 .arg(oneSided ? QStringLiteral("one-sided") : QStringLiteral("two-sided")));
    return ExitOk;
}

const Registration reg{{
    QStringLiteral("plan"),
    QStringLiteral("turn a picture into the plan file of an engraving job"),
    QStringLiteral(
        "Usage: zeb-cli plan PICTURE --mode combined|diffusion [--one-sided] -o PLAN.txt\n"
        "                    [--dump DUMP.txt] [--levels B,W,G] [--invert]\n\n"
        "Opens PICTURE as the program's Open does (tables as at program start), converts it,\n"
        "and plans it as a job start does:\n"
        "  --mode combined|diffusion  the conversion\n"
        "  --one-sided                every strike line left to right (quality \"Высокое\");\n"
        "                             default two-sided, alternating (\"Стандарт\")\n"
        "  -o, --output FILE          the plan, byte for byte the program's \"123123123.txt\"\n"
        "  --dump FILE                also the grey-matrix dump, as \"123Bm.txt\"\n") +
        ToneOptionsHelp(29) +
        QStringLiteral(
            "\n"
            "Coordinates in the plan are picture coordinates: the job adds the picture's place.\n"
            "Exit status: 0 written, 1 a file could not be written, 2 bad usage, a picture that\n"
            "cannot be read, or one too large for the plan's coordinate fields.\n"),
    RunPlan,
}};

} // namespace
} // namespace zeb::cli
