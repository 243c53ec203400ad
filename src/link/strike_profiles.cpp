// Strike profiles: the four forces turned into timed phases the controller keeps, and the
// time of one dot column that the duration estimate uses.

#include "link/device.h"
#include "text/text_catalogue.h"

#include <array>

namespace zeb {

namespace {

struct Phase {
    quint8 code = 0;
    int duration = 0;
};

// The four phases of one level at step time P; the durations are exact, not yet checked.
std::array<Phase, 4> Phases(int force, int p) {
    const int f = force;
    if (2 * f <= p)
        return {{{8, (p - 2 * f) / 2}, {7, f / 2}, {5, f / 2}, {1, f / 2}}};
    if (f <= p)
        return {{{7, (2 * f - p) / 2}, {8, (p - f) / 2}, {5, f / 2}, {1, f / 2}}};
    return {{{7, f / 2}, {5, (f - p) / 2}, {8, p / 2}, {1, f / 2}}};
}

int Weight(quint8 code, int tickA, int tickB) {
    switch (code) {
    case 8:
        return tickB;
    case 1:
        return 2 * tickA;
    default:
        return tickA;
    }
}

// Brightness level of a device strike level: 1 is "8", 4 is "32".
int BrightnessOf(int level) {
    return 8 * level;
}

} // namespace

Outcome CheckStrikeProfiles(const TextCatalogue& texts, const StrikeLevelSet& levels,
                            int motorSpeed, int motorSpeedScale) {
    const int p = motorSpeed * motorSpeedScale;
    for (int level = 1; level <= 4; ++level) {
        for (const Phase& phase : Phases(levels[level], p)) {
            if (phase.duration >= 0 && phase.duration <= 255)
                continue;
            return Outcome::Failed(texts.Text(TextKey::LinkNoStrikeProfile)
                                       .arg(BrightnessOf(level))
                                       .arg(level)
                                       .arg(levels[level])
                                       .arg(motorSpeed)
                                       .arg(motorSpeedScale)
                                       .arg(phase.duration));
        }
    }
    return Outcome::Done();
}

StrikeProfiles BuildStrikeProfiles(const StrikeLevelSet& levels, int motorSpeed,
                                   int motorSpeedScale, int tickA, int tickB) {
    const qint64 p = qint64(motorSpeed) * motorSpeedScale;
    StrikeProfiles profiles;
    // 2.4375 is 39/16 and 100 x 0.001085 is 217/2000: integer arithmetic truncates exactly.
    profiles.columnTime[0] = static_cast<int>(p * 39 / 16 + 30);
    for (int level = 1; level <= 4; ++level) {
        qint64 t = 0;
        for (const Phase& phase : Phases(levels[level], static_cast<int>(p))) {
            // Callers check CheckStrikeProfiles first; a duration never goes out wrapped.
            const int duration = qBound(0, phase.duration, 255);
            profiles.bytes.append(static_cast<char>(phase.code));
            profiles.bytes.append(static_cast<char>(duration));
            t += qint64(duration) * Weight(phase.code, tickA, tickB);
        }
        profiles.columnTime[static_cast<size_t>(level)] = static_cast<int>(t * 217 / 2000 + 130);
    }
    return profiles;
}

Outcome Device::SetStrike(const StrikeLevelSet& levels) {
    if (Outcome profiles =
            CheckStrikeProfiles(Texts(), levels, m_machine.MotorSpeed, m_machine.MotorSpeedScale);
        !profiles)
        return profiles;
    if (!m_link.DeviceReady)
        return Outcome::Done();
    const QString name = QStringLiteral("SetStrike");
    ShortCommand(QByteArray("\x1B\x44\x01\x01", 4), name, 1000);
    const StrikeProfiles profiles = BuildStrikeProfiles(
        levels, m_machine.MotorSpeed, m_machine.MotorSpeedScale, m_machine.TickA, m_machine.TickB);
    m_machine.ColumnTime = profiles.columnTime;
    // Eight frames of four profile bytes, each an ordinary command with its own number; a
    // lost link stops the rest instead of failing each of them in turn.
    for (qsizetype offset = 0; offset < profiles.bytes.size(); offset += 4)
        ShortCommand(profiles.bytes.mid(offset, 4), name, 1000);
    return Outcome::Done();
}

} // namespace zeb
