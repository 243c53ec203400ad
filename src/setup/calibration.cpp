#include "setup/calibration.h"

#include "setup/settings_text_file.h"
#include "text/text_catalogue.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace zeb {

namespace {

constexpr qint64 MaxTimingValue = 65535;
constexpr int Greetings = 100;
constexpr int SingleDotLines = 100;
constexpr int PatternDots = 101;
constexpr int PatternPairs = 10;
constexpr int MoveSteps = 400;

// Elapsed time on the device's monotonic clock. Whole minutes count too: a measurement past
// a minute is reported as what it is (and clamped if past 65 s), never folded back.
template <class F>
qint64 TimeOf(Device& device, F&& measure) {
    const qint64 start = device.Time().MonotonicMs();
    measure();
    return device.Time().MonotonicMs() - start;
}

QByteArray Dots(char digit, int count) {
    return QByteArray(count, digit);
}

void Write(QStringList& report, const QString& label, qint64 value) {
    report << label << TimingValueText(value);
}

// A 101-dot line without strikes, less the share of `perCommand`.
void MeasureEmptyLine(Device& device, QStringList& report, qint64 perCommand) {
    const qint64 t =
        TimeOf(device, [&] { device.PrintLine(LineDirection::Forward, Dots('0', PatternDots)); });
    Write(report, QStringLiteral("0="), t - perCommand / 100);
}

void MeasurePatternLines(Device& device, QStringList& report, const StrikeLevelSet& levels,
                         qint64 lineTime) {
    for (int i = 1; i <= PatternPairs; ++i) {
        MeasurePatternLine(device, report, levels, 2 * i - 1, lineTime, LineDirection::Forward);
        MeasurePatternLine(device, report, levels, 2 * i, lineTime, LineDirection::Backward);
    }
}

// The four 400-step moves, each less the share of the greeting time, per 100 steps.
void MeasureMoves(Device& device, QStringList& report, qint64 greetingTime) {
    const struct {
        const char* label;
        Outcome (Device::*move)(int);
    } moves[] = {{"Left=", &Device::Left},
                 {"Right=", &Device::Right},
                 {"Up=", &Device::StepUp},
                 {"Down=", &Device::StepDown}};
    for (const auto& m : moves) {
        const qint64 t = TimeOf(device, [&] { Tell(device.Op(), (device.*m.move)(MoveSteps)); });
        Write(report, QString::fromLatin1(m.label), (t - greetingTime / 100) / 4);
    }
}

void SetResolution(Device& device, Settings& config, QStringList& report, int index) {
    config.ResolutionIndex = index;
    device.SetMotorSpeedScale(index);
    report << QStringLiteral("Resolution") << QString::number(index);
}

} // namespace

QString TimingFilePath(const QString& startDirectory) {
    return QDir(startDirectory).filePath(TimingFileName);
}

QString TimingValueText(qint64 ms) {
    const qint64 clamped = std::clamp<qint64>(ms, 0, MaxTimingValue);
    if (clamped == ms)
        return QString::number(ms);
    return QStringLiteral("%1 (вне 0..65535: %2)").arg(clamped).arg(ms);
}

void MeasurePatternLine(Device& device, QStringList& report, const StrikeLevelSet& activeLevels,
                        int n, qint64 lineTime, LineDirection direction) {
    Tell(device.Op(), device.SetStrike(activeLevels));
    const qint64 t = TimeOf(device, [&] { device.PrintLine(direction, Dots('1', PatternDots)); });
    Write(report, QString::number(n) + QLatin1Char('='), t - lineTime / 100);
}

void CalibrateTiming(Device& device, Settings& config, const StrikeLevelSet& activeLevels,
                     const QString& startDirectory) {
    Operator& op = device.Op();
    if (!device.Link().DeviceReady) {
        op.ShowMessage(device.Text(TextKey::CalibrationDeviceUnavailable));
        return;
    }
    const QString path = TimingFilePath(startDirectory);
    if (QFileInfo::exists(path)) {
        op.ShowMessage(device.Text(TextKey::CalibrationAlreadyDone));
        return;
    }

    QStringList report;
    const qint64 c = TimeOf(device, [&] {
        for (int i = 0; i < Greetings; ++i)
            device.Hi();
    });
    Write(report, QStringLiteral("Comand"), c);

    const qint64 a = TimeOf(device, [&] {
        for (int i = 0; i < SingleDotLines; ++i)
            device.PrintLine(LineDirection::Forward, Dots('1', 1));
    });
    const qint64 b =
        TimeOf(device, [&] { device.PrintLine(LineDirection::Forward, Dots('1', PatternDots)); });
    const qint64 lineTime = (100 * a - b) / 99;
    Write(report, QStringLiteral("LineTime"), lineTime);

    SetResolution(device, config, report, 1);
    MeasureEmptyLine(device, report, lineTime);
    MeasurePatternLines(device, report, activeLevels, lineTime);
    device.Up();
    MeasureMoves(device, report, c);

    SetResolution(device, config, report, 3);
    MeasureEmptyLine(device, report, c);
    MeasurePatternLines(device, report, activeLevels, lineTime);
    MeasureMoves(device, report, c);

    const QString error = WriteTextFileAtomically(path, report);
    if (error.isEmpty())
        op.ShowMessage(device.Text(TextKey::CalibrationDone));
    else
        op.ShowMessage(device.Text(TextKey::CalibrationReportNotWritten)
                           .arg(QDir::toNativeSeparators(path), error));
}

} // namespace zeb
