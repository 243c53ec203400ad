#include "cli/cli_job_options.h"

#include "cli/cli.h"
#include "cli/cli_forces.h"
#include "cli/cli_tone.h"
#include "picture/open_command.h"

#include <algorithm>

namespace zeb::cli {

namespace {

std::optional<std::pair<HorizontalAlignment, VerticalAlignment>> ParseAlign(const QString& text) {
    const QStringList parts = text.toUpper().split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    static const QStringList horizontal{"LEFT", "CENTER", "RIGHT"};
    static const QStringList vertical{"TOP", "CENTER", "BOTTOM"};
    const qsizetype h = horizontal.indexOf(parts[0].trimmed());
    const qsizetype v = vertical.indexOf(parts[1].trimmed());
    if (h < 0 || v < 0)
        return std::nullopt;
    return std::make_pair(static_cast<HorizontalAlignment>(h), static_cast<VerticalAlignment>(v));
}

QString TakeJobOption(const Arg& arg, JobOptions& a) {
    const QString& value = arg.value;
    QString error;
    if (arg.Positional()) {
        if (!a.picture.isEmpty())
            return QStringLiteral("one picture at a time (\"%1\" and \"%2\")")
                .arg(a.picture, value);
        a.picture = value;
    } else if (IsToneOption(arg)) {
        return TakeToneOption(arg, a.tone);
    } else if (arg.name == "--one-sided") {
        a.oneSided = true;
    } else if (arg.name == "--text") {
        a.text = true;
    } else if (arg.name == "--mode") {
        if (value != "combined" && value != "diffusion")
            return QStringLiteral("--mode must be combined or diffusion");
        a.combined = value == "combined";
    } else if (arg.name == "--forces") {
        if (!(a.forces = ParseForces(value, 1, error)))
            return error;
    } else if (arg.name == "--second-pass") {
        if (!(a.secondPass = ParseForces(value, 2, error)))
            return error;
    } else if (arg.name == "--align") {
        if (!(a.align = ParseAlign(value)))
            return QStringLiteral("--align wants LEFT|CENTER|RIGHT,TOP|CENTER|BOTTOM, not "
                                  "\"%1\"")
                .arg(value);
    } else {
        bool ok = false;
        const int index = value.toInt(&ok);
        if (!ok || index < 0 || index >= ResolutionCount)
            return QStringLiteral("--resolution wants 0..8, not \"%1\"").arg(value);
        a.resolution = index;
    }
    return {};
}

} // namespace

QString ReadJobOptions(const QStringList& list, JobOptions& job, std::vector<Option> more,
                       const std::function<QString(const Arg&)>& takeMore) {
    std::vector<Option> options{
        {"--one-sided", Option::Flag},    {"--text", Option::Flag},
        {"--mode", Option::Value},        {"--forces", Option::Value},
        {"--second-pass", Option::Value}, {"--align", Option::Value},
        {"--resolution", Option::Value},
    };
    for (const Option& option : ToneOptions())
        options.push_back(option);
    const auto shared = static_cast<std::ptrdiff_t>(options.size());
    options.insert(options.end(), more.begin(), more.end());
    return ReadArgs(list, options, [&](const Arg& arg) -> QString {
        const bool jobOption =
            arg.Positional() || std::any_of(options.begin(), options.begin() + shared,
                                            [&arg](const Option& o) { return o.name == arg.name; });
        if (jobOption)
            return TakeJobOption(arg, job);
        return takeMore ? takeMore(arg) : QString();
    });
}

void ApplyJobOptions(Session& s, const JobOptions& a) {
    if (a.combined)
        ChooseConversion(s.Picture, *a.combined);
    s.Picture.Tone = a.tone;
    if (a.oneSided)
        s.Levels.SetHighQuality(true);
    if (a.text)
        s.Levels.PortraitMode = false;
    if (a.forces)
        ChooseForces(s.Config, s.Levels, 1, *a.forces);
    if (a.secondPass) {
        ChooseForces(s.Config, s.Levels, 2, *a.secondPass);
        s.Levels.DoublePassPending = true;
    }
    if (a.align) {
        s.Place.Horizontal = a.align->first;
        s.Place.Vertical = a.align->second;
    }
    if (a.resolution)
        s.Config.ResolutionIndex = *a.resolution;
}

void PrintJobChoices(const Session& s) {
    PrintOut(QStringLiteral("%1 x %2 dots placed at column %3, row %4 of the work field\n")
                 .arg(s.Picture.WorkPicture.width())
                 .arg(s.Picture.WorkPicture.height())
                 .arg(s.Place.PictureOffsetX)
                 .arg(s.Place.PictureOffsetY));
    if (!s.Picture.Tone.Neutral())
        PrintOut(ToneLevelsText(s.Picture.Tone) + QLatin1Char('\n'));
    PrintOut(ForcesText(s.Levels));
}

QString JobOptionsHelp() {
    return QStringLiteral(
               "  --mode M           the conversion: combined or diffusion (default diffusion)\n"
               "  --one-sided        every strike line left to right (quality \"Высокое\")\n"
               "  --text             picture kind text: no split of backward lines\n"
               "  --forces F,F,F,F   first-pass forces of the levels \"32\", \"24\", \"16\", "
               "\"8\"\n"
               "                     in this order, each 1..200; the pass goes to individual "
               "mode\n"
               "  --second-pass F,.. a second pass with these forces, same order (level \"32\" "
               "may\n"
               "                     be 0); that pass too goes to individual mode\n"
               "  --align H,V        where the picture goes on the work field\n"
               "  --resolution I     the machine's resolution, 0..8\n") +
           ToneOptionsHelp(21);
}

} // namespace zeb::cli
