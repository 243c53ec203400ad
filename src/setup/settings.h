#pragma once
// The operator's settings that live in "\Zeb.ini" besides the strike levels (StrikeLevels),
// the motor speed (MachineState) and the picture kind (StrikeLevels::PortraitMode). Owned by
// the main window (or zeb-cli) for the whole run.

#include <QString>
#include <QtGlobal>

#include <array>

namespace zeb {

struct Settings {
    static constexpr qint32 DefaultFieldWidth = 1930;
    static constexpr qint32 DefaultFieldHeight = 2330;

    // The file was missing at start: until the first job start clears this, every save writes
    // the default content.
    bool SettingsMissing = false;
    // Per pass (index 0 the first, 1 the second): a line of its mode or forces (1..5, 6..10)
    // was missing or malformed at start, or the file could not be read, so not every force
    // held for it is one the file gave.
    std::array<bool, 2> LevelLinesFaulty{};
    // Why "Zeb.ini" stays as it is for the rest of the run, empty while it may be written: a
    // file that could not be read is never replaced by values nobody chose.
    QString KeepFileReason;
    // The serial port, normally "com1" .. "com8". Starts as the port the menu shows checked
    // and the default file holds, so a first start without a file talks to com1.
    QString PortName = QStringLiteral("com1");
    // Size of the work-field bitmap FieldBitmap, in dots.
    qint32 FieldWidth = DefaultFieldWidth;
    qint32 FieldHeight = DefaultFieldHeight;
    // Machine resolution, index 0..8 into the resolution list.
    qint32 ResolutionIndex = 0;
    // Chunk length of the portrait-mode line splitting.
    qint32 ChunkLength = 8;
};

// Check marks of the port menu items Com11 .. Com81 ("Com1" .. "Com8"): item N is checked
// exactly when the name is "comN", lower case.
std::array<bool, 8> PortItemChecks(const QString& portName);

} // namespace zeb
