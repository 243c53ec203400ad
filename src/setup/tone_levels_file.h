#pragma once
// "ZebTone.ini" beside "Zeb.ini": the tone controls the operator last applied, shown again at
// the next Open. Four positional lines, Windows-1251, CR LF, written whole or not at all like
// the settings:
//
//   1  black point B, a whole number 0..254
//   2  white point W, a whole number B + 1..255
//   3  gamma G, 0.1..10, with a decimal point ("1.4")
//   4  "1" inverted, "0" not
//
// A missing file means neutral values. A file that cannot be read or holds anything else
// means neutral values too, and a message saying so; "Zeb.ini" is not touched either way.

#include "picture/tone_levels.h"

#include <QString>

namespace zeb {

inline constexpr char ToneLevelsFileName[] = "ZebTone.ini";

// The start directory plus "/ZebTone.ini".
QString ToneLevelsFilePath(const QString& startDirectory);

struct ToneLevelsLoad {
    ToneLevels levels; // neutral unless the file held sound values
    QString problem;   // the operator's message for a file that was there but not taken
};

ToneLevelsLoad LoadToneLevels(const QString& startDirectory);

// The four lines for `levels`, which must be sound.
QStringList ToneLevelsLines(const ToneLevels& levels);

// Writes the file atomically. Empty on success, else the message saying why it was not written.
QString SaveToneLevels(const QString& startDirectory, const ToneLevels& levels);

} // namespace zeb
