#pragma once
// "Калибровка устройства": CalibrateTiming times a fixed series of commands and writes the
// report "\timing.txt" for the service engineer, once per installation. Nothing reads it.
//
// The report, 108 lines, all times in ms: "Comand", C (100 greetings); "LineTime", L (one dot
// of a strike line, from 100 one-dot lines against one 101-dot line); then at resolution 1
// and again at resolution 3: "Resolution", the index; "0=", a 101-dot line without strikes;
// twenty "n=" with a 101-dot line of strikes (odd n forward, even n backward); "Left=",
// "Right=", "Up=", "Down=" with a 400-step move in that direction.

#include "link/device.h"
#include "setup/settings.h"

#include <QString>
#include <QStringList>

namespace zeb {

inline const QString TimingFileName = QStringLiteral("timing.txt");
inline constexpr int TimingReportLines = 108;

QString TimingFilePath(const QString& startDirectory);

// A measured time as its report line. A value outside 0..65535 (a negative difference, or
// more than 65 s) is a fault of the measurement: it is written clamped to the range and the
// line says what was measured, e.g. "65535 (вне 0..65535: 70012)".
QString TimingValueText(qint64 ms);

// One pattern line: SetStrike with `activeLevels`, then the time of one strike line of 101
// dots of digit 1 in `direction`; adds the lines "n=" and (time - lineTime div 100).
void MeasurePatternLine(Device& device, QStringList& report, const StrikeLevelSet& activeLevels,
                        int n, qint64 lineTime, LineDirection direction);

// The whole calibration. Refuses with "Устройство не доступно." while the link is down (even
// when the report exists) and with "Устройство уже калибровано." when "\timing.txt" exists;
// otherwise measures, leaves config.ResolutionIndex at 3 (saved with the settings) and ends
// with "Калибровка завершена.". The report appears whole at the end or not at all, so an
// interrupted calibration never leaves a part that would block the next one; a report that
// cannot be written is said so instead of the completion message.
void CalibrateTiming(Device& device, Settings& config, const StrikeLevelSet& activeLevels,
                     const QString& startDirectory);

} // namespace zeb
