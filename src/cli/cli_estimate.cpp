// zeb-cli estimate: the duration estimate of a plan file as a job start with the machine
// connected makes it, from Zeb.ini's forces, resolution and motor speed; or, with --no-machine,
// as one without a device. Each machine value can be given instead.
#include "cli/cli.h"
#include "cli/cli_args.h"
#include "cli/cli_forces.h"
#include "cli/cli_offline.h"

#include "job/estimate.h"
#include "job/job_preview.h"
#include "link/device.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

namespace zeb::cli {
namespace {

// What MeasureLinkTime takes when nothing answers; a job start measures its own.
constexpr int DefaultLinkTime = 400;

// The values given on the command line; what is not given comes from Zeb.ini (or, without the
// machine, from a first start).
struct EstimateArgs {
    QString plan;
    bool noMachine = false;
    bool doublePass = false;
    int linkTime = DefaultLinkTime;
    int offsetX = 0;
    int offsetY = 0;
    std::optional<int> motorSpeed;
    std::optional<int> motorSpeedScale;
    std::optional<std::array<int, 5>> columnTime;
    std::optional<StrikeLevelSet> forces;
    std::optional<QDateTime> now;
};

// A comma-separated list of exactly `count` integers in min..max.
std::optional<std::vector<int>> IntList(const QString& text, int count, int min, int max) {
    const QStringList parts = text.split(',');
    if (parts.size() != count)
        return std::nullopt;
    std::vector<int> values;
    for (const QString& part : parts) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok);
        if (!ok || value < min || value > max)
            return std::nullopt;
        values.push_back(value);
    }
    return values;
}

QString ParseEstimateArgs(const QStringList& list, EstimateArgs& args) {
    // Options that take a number: name, range, where it goes.
    const std::map<QString, std::tuple<int, int, std::function<void(int)>>> numbers = {
        {"--motor-speed", {0, 255, [&](int v) { args.motorSpeed = v; }}},
        {"--motor-speed-scale", {0, 255, [&](int v) { args.motorSpeedScale = v; }}},
        {"--link-time", {0, 1'000'000, [&](int v) { args.linkTime = v; }}},
        {"--offset-x", {-1'000'000, 1'000'000, [&](int v) { args.offsetX = v; }}},
        {"--offset-y", {-1'000'000, 1'000'000, [&](int v) { args.offsetY = v; }}},
    };
    std::vector<Option> options{{"--double-pass", Option::Flag},
                                {"--no-machine", Option::Flag},
                                {"--column-time", Option::Value},
                                {"--forces", Option::Value},
                                {"--now", Option::Value}};
    for (const auto& number : numbers)
        options.push_back({number.first, Option::Value});
    const QString problem = ReadArgs(list, options, [&](const Arg& arg) -> QString {
        const QString& name = arg.name;
        const QString& value = arg.value;
        if (name == "--double-pass") {
            args.doublePass = true;
        } else if (name == "--no-machine") {
            args.noMachine = true;
        } else if (auto number = numbers.find(name); number != numbers.end()) {
            const auto& [min, max, set] = number->second;
            bool ok = false;
            const int v = value.toInt(&ok);
            if (!ok || v < min || v > max)
                return QStringLiteral("%1 takes a whole number in %2..%3")
                    .arg(name)
                    .arg(min)
                    .arg(max);
            set(v);
        } else if (name == "--column-time") {
            const auto values = IntList(value, 5, 0, 2'000'000'000);
            if (!values)
                return QStringLiteral("--column-time takes five numbers C0,C1,C2,C3,C4");
            args.columnTime.emplace();
            std::copy(values->begin(), values->end(), args.columnTime->begin());
        } else if (name == "--forces") {
            QString problem;
            if (!(args.forces = ParseForces(value, 1, problem)))
                return problem;
        } else if (name == "--now") {
            const QDateTime now = QDateTime::fromString(value, Qt::ISODate);
            if (!now.isValid())
                return QStringLiteral("--now takes a date and time such as 2026-01-05T09:00:00");
            args.now = now;
        } else if (!args.plan.isEmpty()) {
            return QStringLiteral("one plan at a time (\"%1\" and \"%2\")").arg(args.plan, value);
        } else {
            args.plan = value;
        }
        return {};
    });
    if (!problem.isEmpty())
        return problem;
    if (args.plan.isEmpty())
        return QStringLiteral("no PLAN given");
    return {};
}

// The inputs as the job start would have them: from Zeb.ini with the machine, as at a first
// start without it; what the command line gives wins. Refused when the forces have no strike
// profile at the motor values.
Result<EstimateInputs> Inputs(const EstimateArgs& args, const Session& s) {
    EstimateInputs in;
    in.machine = args.noMachine ? MachineState{} : s.Machine;
    if (!args.noMachine)
        in.machine.MotorSpeedScale = static_cast<quint8>(16 + s.Config.ResolutionIndex);
    if (args.motorSpeed)
        in.machine.MotorSpeed = static_cast<quint8>(*args.motorSpeed);
    if (args.motorSpeedScale)
        in.machine.MotorSpeedScale = static_cast<quint8>(*args.motorSpeedScale);
    // Column times come from the forces as SetStrike computes them at a job start; without the
    // machine nothing was sent, so they stay 0 unless forces are given.
    const std::optional<StrikeLevelSet> forces =
        args.forces ? args.forces
                    : (args.noMachine ? std::nullopt
                                      : std::optional<StrikeLevelSet>(s.Levels.FirstPassLevels));
    if (forces) {
        const int speed = in.machine.MotorSpeed;
        const int scale = in.machine.MotorSpeedScale;
        if (Outcome profiles = CheckStrikeProfiles(s.Texts, *forces, speed, scale); !profiles)
            return profiles;
        in.machine.ColumnTime =
            BuildStrikeProfiles(*forces, speed, scale, JobTickA, JobTickB).columnTime;
    }
    if (args.columnTime)
        in.machine.ColumnTime = *args.columnTime;
    in.linkTime = args.linkTime;
    in.deviceReady = !args.noMachine;
    in.doublePassPending = args.doublePass;
    in.pictureOffsetX = args.offsetX;
    in.pictureOffsetY = args.offsetY;
    return in;
}

// What the estimate assumed, so a reader knows which figures to change.
QString Assumptions(const EstimateInputs& in) {
    if (!in.deviceReady)
        return QStringLiteral("without the machine: only the strike columns count\n");
    const auto& c = in.machine.ColumnTime;
    return QStringLiteral("with the machine: link time %1 ms for 101 greetings (--link-time), "
                          "motor speed %2, scale %3, column times %4,%5,%6,%7,%8\n")
        .arg(in.linkTime)
        .arg(in.machine.MotorSpeed)
        .arg(in.machine.MotorSpeedScale)
        .arg(c[0])
        .arg(c[1])
        .arg(c[2])
        .arg(c[3])
        .arg(c[4]);
}

int RunEstimate(const QStringList& list) {
    EstimateArgs args;
    if (const QString usage = ParseEstimateArgs(list, args); !usage.isEmpty())
        return UsageError(QStringLiteral("estimate"), usage);
    OfflineSession offline;
    if (!args.noMachine)
        LoadSettingsOnly(offline.s);
    const Result<EstimateInputs> in = Inputs(args, offline.s);
    if (!in) {
        PrintProblem(in);
        return ExitUsage;
    }
    const std::optional<QString> path = ExistingFile(args.plan);
    if (!path)
        return ExitUsage;
    const Result<qint64> units = PlanFileDuration(*path, *in);
    if (!units) {
        PrintProblem(units);
        return ExitUsage;
    }
    const DurationTexts texts =
        DurationTextsFor(*units, args.now ? *args.now : QDateTime::currentDateTime());
    PrintOut(QStringLiteral("T = %1 (10 us)\n%2\n%3\n%4")
                 .arg(*units)
                 .arg(texts.duration, texts.completion, Assumptions(*in)));
    return ExitOk;
}

const Registration reg{{
    QStringLiteral("estimate"),
    QStringLiteral("how long a plan takes and when it would be done"),
    QStringLiteral(
        "Usage: zeb-cli estimate PLAN.txt [--double-pass] [--no-machine] [machine values]\n\n"
        "Walks the plan as a job start's duration estimate does and prints T (in units of\n"
        "10 us), the duration text, the completion time text and the values it assumed.\n"
        "By default the machine is connected: moves, needle commands and strike columns\n"
        "count, with the forces, resolution and motor speed of Zeb.ini in the current\n"
        "directory (the default file's values without one). Machine values:\n"
        "  --no-machine              as a job start without a device: only the strike columns\n"
        "                            count, Zeb.ini is not read, motor speed 12, scale 1 and\n"
        "                            column times 0 unless given\n"
        "  --motor-speed N           MotorSpeed (default: Zeb.ini's)\n"
        "  --motor-speed-scale N     MotorSpeedScale (default: 16 + Zeb.ini's resolution)\n"
        "  --link-time MS            LinkTime, ms for 101 greetings, default 400 (what a job\n"
        "                            start takes when the link does not answer; it measures\n"
        "                            its own)\n"
        "  --forces F32,F24,F16,F8   first-pass forces (each 1..200) whose column times\n"
        "                            SetStrike computes (default: Zeb.ini's)\n"
        "  --column-time C0,..,C4    ColumnTime per strike digit, instead of the forces'\n"
        "  --offset-x N, --offset-y N  the picture's place on the field, default 0\n"
        "  --double-pass             a second pass follows: the plan counts twice\n"
        "  --now YYYY-MM-DDTHH:MM:SS the start time (default: now)\n"
        "Exit status: 0 done, 2 bad usage or a plan that cannot be read.\n"),
    RunEstimate,
}};

} // namespace
} // namespace zeb::cli
