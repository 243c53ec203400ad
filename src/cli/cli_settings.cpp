// zeb-cli settings: shows or changes "Zeb.ini" in the current directory, through the same
// load and save as the program, e.g. to point the program at a machine's port.
#include "cli/cli.h"
#include "cli/cli_args.h"
#include "cli/cli_forces.h"

#include "link/link_state.h"
#include "setup/settings_file.h"
#include "setup/strike_levels.h"

#include <QDir>

namespace zeb::cli {
namespace {

const char* const Help = R"(Usage: zeb-cli settings [--port NAME] [--field WIDTHxHEIGHT]
                        [--resolution I] [--motor-speed V]
                        [--forces F32,F24,F16,F8] [--second-pass F32,F24,F16,F8]

Shows the settings file Zeb.ini of the current directory, or changes the values given and
writes it back (whole or not at all). A missing file is first created with the defaults
(forces 14, 10, 5, 2 for both passes, port com1), and changes go into that file.

  --port NAME            serial port: com1..com8, or a device path (/dev/ttyUSB0, a
                         pseudo-terminal such as the virtual controller's link)
  --field WIDTHxHEIGHT   work field in dots, 1..32767 each
  --resolution I         resolution index 0..8
  --motor-speed V        motor speed 1..255
  --forces F,F,F,F       first-pass forces of the levels "32", "24", "16", "8", each
                         1..200; the pass goes to individual mode
  --second-pass F,F,F,F  the same for the second pass (level "32" may be 0)

A Zeb.ini that cannot be read is never written. One with a missing or malformed line among
lines 1..10 is written only with the forces of that pass given (--forces, --second-pass).

Exit status: 0 shown or written, 1 Zeb.ini could not be read or written, 2 bad usage, or
forces that the file does not hold.
)";

bool TakeInt(const QString& text, int low, int high, int& into) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return false;
    into = value;
    return true;
}

int Run(const QStringList& args) {
    const QString dir = QDir::currentPath();
    Settings settings;
    StrikeLevels levels;
    MachineState machine;
    const SettingsLoadResult loaded = LoadSettings(dir, settings, levels, machine);
    for (const QString& problem : loaded.problems)
        PrintError(QStringLiteral("Zeb.ini: ") + problem);
    ReadBackDefaultFile(settings, levels, machine);

    const std::vector<Option> options{
        {"--port", Option::Value},       {"--field", Option::Value},
        {"--resolution", Option::Value}, {"--motor-speed", Option::Value},
        {"--forces", Option::Value},     {"--second-pass", Option::Value}};
    bool changed = false;
    const QString problem = ReadArgs(args, options, [&](const Arg& arg) -> QString {
        const QString& value = arg.value;
        if (arg.Positional())
            return QStringLiteral("unknown argument \"%1\"").arg(value);
        int number = 0;
        QString why;
        if (arg.name == "--port") {
            if (why = PortNameProblem(value); !why.isEmpty())
                return why;
            settings.PortName = value;
        } else if (arg.name == "--field") {
            const QStringList parts = value.split('x');
            int w = 0, h = 0;
            if (parts.size() != 2 || !TakeInt(parts[0], 1, 32767, w) ||
                !TakeInt(parts[1], 1, 32767, h))
                return QStringLiteral("--field wants WIDTHxHEIGHT, e.g. 1930x2330");
            settings.FieldWidth = w;
            settings.FieldHeight = h;
        } else if (arg.name == "--resolution" && TakeInt(value, 0, 8, number)) {
            settings.ResolutionIndex = number;
        } else if (arg.name == "--motor-speed" && TakeInt(value, 1, 255, number)) {
            machine.MotorSpeed = static_cast<quint8>(number);
        } else if (arg.name == "--forces" || arg.name == "--second-pass") {
            const int pass = arg.name == "--forces" ? 1 : 2;
            const std::optional<StrikeLevelSet> forces = ParseForces(value, pass, why);
            if (!forces)
                return why;
            ChooseForces(settings, levels, pass, *forces);
        } else {
            return QStringLiteral("bad option %1 %2").arg(arg.name, value);
        }
        changed = true;
        return {};
    });
    if (!problem.isEmpty())
        return UsageError(QStringLiteral("settings"), problem);
    // A file that could not be read (told above) has nothing to show and is never written.
    if (!settings.KeepFileReason.isEmpty())
        return ExitFailed;
    if (changed) {
        if (const QString refusal = TakenForcesRefusal(settings, true); !refusal.isEmpty()) {
            PrintError(refusal);
            return ExitUsage;
        }
        // An explicit change is kept, as a job start keeps the operator's values.
        settings.SettingsMissing = false;
        const QString error = SaveSettings(dir, settings, levels, machine);
        if (!error.isEmpty()) {
            PrintError(error);
            return ExitFailed;
        }
    } else if (settings.SettingsMissing) {
        if (!loaded.defaultFileWritten)
            return ExitFailed;
        PrintOut(QStringLiteral("Zeb.ini did not exist; it was written with the defaults.\n"));
    }
    for (const QString& line : SettingsLines(settings, levels, machine))
        PrintOut(line + QLatin1Char('\n'));
    return ExitOk;
}

Registration reg{{QStringLiteral("settings"),
                  QStringLiteral("show or change Zeb.ini (port, forces, field, resolution, speed)"),
                  QString::fromUtf8(Help), Run}};

} // namespace
} // namespace zeb::cli
