// zeb-cli estimate: the duration estimate of a plan file, with the machine values as options
// (as at a first start unless given).
#include "cli/cli.h"
#include "cli/cli_args.h"
#include "cli/cli_forces.h"

#include "job/estimate.h"
#include "link/device.h"

#include <functional>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

namespace zeb::cli {
namespace {

struct EstimateArgs {
    QString plan;
    EstimateInputs inputs;
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
    EstimateInputs& in = args.inputs;
    in.machine = MachineState{}; // MotorSpeed 12, MotorSpeedScale 1, ColumnTime all 0
    in.linkTime = 400;           // what MeasureLinkTime gives when nothing answers
    // Options that take a number: name, range, where it goes.
    const std::map<QString, std::tuple<int, int, std::function<void(int)>>> numbers = {
        {"--motor-speed", {0, 255, [&](int v) { in.machine.MotorSpeed = quint8(v); }}},
        {"--motor-speed-scale", {0, 255, [&](int v) { in.machine.MotorSpeedScale = quint8(v); }}},
        {"--link-time", {0, 1'000'000, [&](int v) { in.linkTime = v; }}},
        {"--offset-x", {-1'000'000, 1'000'000, [&](int v) { in.pictureOffsetX = v; }}},
        {"--offset-y", {-1'000'000, 1'000'000, [&](int v) { in.pictureOffsetY = v; }}},
    };
    std::vector<Option> options{{"--double-pass", Option::Flag},
                                {"--device-ready", Option::Flag},
                                {"--column-time", Option::Value},
                                {"--forces", Option::Value},
                                {"--now", Option::Value}};
    for (const auto& number : numbers)
        options.push_back({number.first, Option::Value});
    const QString problem = ReadArgs(list, options, [&](const Arg& arg) -> QString {
        const QString& name = arg.name;
        const QString& value = arg.value;
        if (name == "--double-pass") {
            in.doublePassPending = true;
        } else if (name == "--device-ready") {
            in.deviceReady = true;
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
            std::copy(values->begin(), values->end(), in.machine.ColumnTime.begin());
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

int RunEstimate(const QStringList& list) {
    EstimateArgs args;
    if (const QString usage = ParseEstimateArgs(list, args); !usage.isEmpty())
        return UsageError(QStringLiteral("estimate"), usage);
    EstimateInputs& in = args.inputs;
    if (args.forces) {
        // As a job start sends them: after the two register writes, at the motor values given.
        if (const Outcome profiles = CheckStrikeProfiles(*args.forces, in.machine.MotorSpeed,
                                                         in.machine.MotorSpeedScale);
            !profiles) {
            PrintProblem(profiles);
            return ExitUsage;
        }
        in.machine.ColumnTime = BuildStrikeProfiles(*args.forces, in.machine.MotorSpeed,
                                                    in.machine.MotorSpeedScale, JobTickA, JobTickB)
                                    .columnTime;
    }
    const std::optional<QString> path = ExistingFile(args.plan);
    if (!path)
        return ExitUsage;
    const Result<qint64> units = PlanFileDuration(*path, in);
    if (!units) {
        PrintProblem(units);
        return ExitUsage;
    }
    const DurationTexts texts =
        DurationTextsFor(*units, args.now ? *args.now : QDateTime::currentDateTime());
    PrintOut(QStringLiteral("T = %1 (10 us)\n%2\n%3\n")
                 .arg(*units)
                 .arg(texts.duration, texts.completion));
    return ExitOk;
}

const Registration reg{{
    QStringLiteral("estimate"),
    QStringLiteral("how long a plan takes and when it would be done"),
    QStringLiteral(
        "Usage: zeb-cli estimate PLAN.txt [--double-pass] [machine values]\n\n"
        "Walks the plan as the program's duration estimate does and prints T (in units of\n"
        "10 us), the duration text and the completion time text. Machine values, as at a\n"
        "first start unless given:\n"
        "  --device-ready            count moves and needle commands too (default: as without\n"
        "                            a device, only the strike columns count)\n"
        "  --motor-speed N           MotorSpeed, default 12\n"
        "  --motor-speed-scale N     MotorSpeedScale, default 1 (16 + resolution once sent)\n"
        "  --link-time MS            LinkTime, default 400\n"
        "  --column-time C0,..,C4    ColumnTime per strike digit, default 0,0,0,0,0\n"
        "  --forces F32,F24,F16,F8   ColumnTime as SetStrike computes it for these first-pass\n"
        "                            forces (each 1..200) at a job start (instead of\n"
        "                            --column-time)\n"
        "  --offset-x N, --offset-y N  the picture's place on the field, default 0\n"
        "  --double-pass             a second pass follows: the plan counts twice\n"
        "  --now YYYY-MM-DDTHH:MM:SS the start time (default: now)\n"
        "Exit status: 0 done, 2 bad usage or a plan that cannot be read.\n"),
    RunEstimate,
}};

} // namespace
} // namespace zeb::cli
