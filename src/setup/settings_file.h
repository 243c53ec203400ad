#pragma once
// The settings file "\Zeb.ini" in the start directory: seventeen positional lines, no keys,
// Windows-1251 with CR LF. Read once at start-up; written when a job starts and when the
// program closes.
//
//   1 "Group" or "Ind  "        first-pass level mode
//   2..5 "KnKHel4-" + N ..      first-pass forces of levels "32", "24", "16", "8"
//   6, 7..10                    the same for the second pass
//   11 port name, 12/13 field width/height, 14 resolution index, 15 motor speed,
//   16 chunk length, 17 "1" portrait / "0" text

#include "link/link_state.h"
#include "setup/settings.h"
#include "setup/strike_levels.h"

#include <QString>
#include <QStringList>

#include <array>

namespace zeb {

// The start directory plus "/Zeb.ini".
QString SettingsFilePath(const QString& startDirectory);

struct SettingsLoadResult {
    // One text per value that could not be taken, "line N: ...", to be shown once. Start-up
    // goes on regardless: every other value is read. A faulty mode or force line names the
    // value taken in its place; other faulty values keep what they held.
    QStringList problems;
    // Check marks of the port items Com11 .. Com81 for the loaded port name.
    std::array<bool, 8> portChecks{};
    // The file was missing and the default file has been written.
    bool defaultFileWritten = false;
};

// Reads the settings into the held values. A missing file is no error: SettingsMissing is
// set and the default file written (which also sets the default field size); nothing is read
// back then. Mode and forces are taken as the window's panel takes them (ForcesAsLoaded):
// clamped to their sliders' ranges, and a force the reader cannot take is the one the panel
// shows. Missing or malformed lines 1..10 mark their pass in LevelLinesFaulty. A file that
// exists but cannot be read (no permission, not a file) changes no value, marks both passes
// and sets KeepFileReason.
SettingsLoadResult LoadSettings(const QString& startDirectory, Settings& settings,
                                StrikeLevels& levels, MachineState& machine);

// For a holder without a window (zeb-cli): after LoadSettings found no file, takes
// the values of the default file it wrote, read as the next start will read that file.
// SettingsMissing stays set. Does nothing when the file was there.
void ReadBackDefaultFile(Settings& settings, StrikeLevels& levels, MachineState& machine);

// The seventeen lines SaveSettings writes: the default content while SettingsMissing is set,
// else the values held; the last four lines are always the values held.
QStringList SettingsLines(const Settings& settings, const StrikeLevels& levels,
                          const MachineState& machine);

// Writes the settings atomically: a crash or a full disk leaves the old file whole. While
// SettingsMissing is set the default content is written and the field size set to its
// default. Writes nothing while KeepFileReason is set. Returns an empty text on success, else
// the message saying why "Zeb.ini" was not written.
QString SaveSettings(const QString& startDirectory, Settings& settings, const StrikeLevels& levels,
                     const MachineState& machine);

} // namespace zeb
