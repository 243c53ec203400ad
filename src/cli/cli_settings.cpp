// zeb-cli settings: shows or changes "Zeb.ini" in the current directory, through the same
// load and save as the program, e.g. to point the program at a machine's port.
#include "cli/cli.h"
#include "cli/cli_args.h"

#include "link/link_state.h"
#include "setup/settings_file.h"
#include "setup/strike_levels.h"

#include <QDir>
#include <QFileInfo>

namespace zeb::cli {
namespace {

const char* const Help = R"(Usage: zeb-cli settings [--port NAME] [--field WIDTHxHEIGHT]
                        [--resolution I] [--motor-speed V]

Shows the settings file Zeb.ini of the current directory, or changes the values given and
writes it back (whole or not at all). A missing file is first created with the defaults.

  --port NAME            serial port: com1..com8, or a device path (/dev/ttyUSB0, a
                         pseudo-terminal such as the virtual controller's link)
  --field WIDTHxHEIGHT   work field in dots, 1..32767 each
  --resolution I         resolution index 0..8
  --motor-speed V        motor speed 1..255
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
    const bool existed = QFileInfo::exists(SettingsFilePath(dir));
    const SettingsLoadResult loaded = LoadSettings(dir, settings, levels, machine);
    for (const QString& problem : loaded.problems)
        PrintError(QStringLiteral("Zeb.ini: ") + problem);

    const std::vector<Option> options{{"--port", Option::Value},
                                      {"--field", Option::Value},
                                      {"--resolution", Option::Value},
                                      {"--motor-speed", Option::Value}};
    bool changed = false;
    const QString problem = ReadArgs(args, options, [&](const Arg& arg) -> QString {
        const QString& value = arg.value;
        if (arg.Positional())
            return QStringLiteral("unknown argument \"%1\"").arg(value);
        int number = 0;
        if (arg.name == "--port" && !value.isEmpty()) {
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
        } else {
            return QStringLiteral("bad option %1 %2").arg(arg.name, value);
        }
        changed = true;
        return {};
    });
    if (!problem.isEmpty())
        return UsageError(QStringLiteral("settings"), problem);
    if (changed) {
        // An explicit change is kept, as a job start keeps the operator's values.
        settings.SettingsMissing = false;
        const QString error = SaveSettings(dir, settings, levels, machine);
        if (!error.isEmpty()) {
            PrintError(QStringLiteral("Zeb.ini cannot be written: %1").arg(error));
            return ExitFailed;
        }
    } else if (!existed) {
        PrintOut(QStringLiteral("Zeb.ini did not exist; it was written with the defaults.\n"));
    }
    for (const QString& line : SettingsLines(settings, levels, machine))
        PrintOut(line + QLatin1Char('\n'));
    return ExitOk;
}

Registration reg{{QStringLiteral("settings"),
                  QStringLiteral("show or change Zeb.ini (port, field, resolution, speed)"),
                  QString::fromUtf8(Help), Run}};

} // namespace
} // namespace zeb::cli
