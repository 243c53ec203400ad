#include "cli/cli_open.h"

#include "cli/cli.h"
#include "cli/cli_tone.h"

namespace zeb::cli {

QString ReadOpenArgs(const QStringList& list, OpenArgs& args, const QString& outputExample,
                     std::vector<Option> more, const std::function<void(const Arg&)>& takeMore) {
    more.push_back({"--mode", Option::Value});
    more.push_back({"--output", Option::Value, "-o"});
    for (Option& option : ToneOptions())
        more.push_back(std::move(option));
    const QString problem = ReadArgs(list, more, [&](const Arg& arg) -> QString {
        if (IsToneOption(arg))
            return TakeToneOption(arg, args.tone);
        if (arg.name == "--mode")
            args.mode = arg.value;
        else if (arg.name == "--output")
            args.output = arg.value;
        else if (!arg.Positional())
            takeMore(arg);
        else if (!args.picture.isEmpty())
            return QStringLiteral("one picture at a time (\"%1\" and \"%2\")")
                .arg(args.picture, arg.value);
        else
            args.picture = arg.value;
        return {};
    });
    if (!problem.isEmpty())
        return problem;
    if (args.picture.isEmpty())
        return QStringLiteral("no PICTURE given");
    if (args.mode != "combined" && args.mode != "diffusion")
        return QStringLiteral("--mode must be combined or diffusion");
    if (args.output.isEmpty())
        return QStringLiteral("no output file given (-o %1)").arg(outputExample);
    return {};
}

int OpenFresh(FreshOpen& open, const OpenArgs& args) {
    const std::optional<QString> path = ExistingFile(args.picture);
    if (!path)
        return ExitUsage;
    open.work.picture.CombinedConversion = args.mode == "combined";
    open.work.picture.Tone = args.tone;
    if (const Outcome adopted = AdoptPictureFile(open.work.ctx, *path); !adopted) {
        PrintProblem(adopted);
        return ExitUsage;
    }
    PreparePicture(open.work.ctx);
    open.op.FinishProgress(); // the last status line stays on its own line
    if (!args.tone.Neutral())
        PrintOut(ToneLevelsText(args.tone) + QLatin1Char('\n'));
    return ExitOk;
}

} // namespace zeb::cli
