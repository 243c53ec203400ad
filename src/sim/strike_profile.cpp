#include "sim/strike_profile.h"

namespace zeb::sim {

namespace {

std::optional<Phases> Make(std::array<int, 8> values) {
    Phases p{};
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i] < 0 || values[i] > 255)
            return std::nullopt;
        p[i] = static_cast<quint8>(values[i]);
    }
    return p;
}

} // namespace

std::optional<Phases> PhasesFor(int force, int p) {
    const int half = force / 2;
    if (2 * force <= p)
        return Make({8, (p - 2 * force) / 2, 7, half, 5, half, 1, half});
    if (force <= p)
        return Make({7, (2 * force - p) / 2, 8, (p - force) / 2, 5, half, 1, half});
    return Make({7, half, 5, (force - p) / 2, 8, p / 2, 1, half});
}

int RecoverForce(const Phases& phases, int stepTimeP) {
    const int even = 2 * phases[7];
    const int candidates[2] = {even, even + 1};
    if (stepTimeP > 0) {
        for (int f : candidates) {
            if (PhasesFor(f, stepTimeP) == phases)
                return f;
        }
    }
    bool possible[2] = {false, false};
    for (int i = 0; i < 2; ++i) {
        // A step time above 2F + 511 would need a duration above 255, so the search is short.
        const int limit = 2 * 255 + 2 * candidates[i] + 1;
        for (int p = 1; p <= limit && !possible[i]; ++p)
            possible[i] = PhasesFor(candidates[i], p) == phases;
    }
    if (possible[1] && !possible[0])
        return candidates[1];
    return even;
}

qint64 StruckColumnUs(const Phases& phases, int tickA, int tickB) {
    qint64 units = 0;
    for (int i = 0; i < 8; i += 2) {
        int weight = 0;
        switch (phases[i]) {
        case 8:
            weight = tickB;
            break;
        case 7:
        case 5:
            weight = tickA;
            break;
        case 1:
            weight = 2 * tickA;
            break;
        default:
            break;
        }
        units += static_cast<qint64>(phases[i + 1]) * weight;
    }
    return units * 1085 / 1000 + 1300;
}

qint64 EmptyColumnUs(int stepTimeP) {
    return static_cast<qint64>(stepTimeP) * 24375 / 1000 + 300;
}

void StrikeProfileSet::Load(const QByteArray& bytes, int stepTimeP) {
    for (int level = 1; level <= 4; ++level) {
        Phases p{};
        for (int i = 0; i < 8; ++i) {
            const qsizetype at = (level - 1) * 8 + i;
            p[static_cast<size_t>(i)] = at < bytes.size() ? static_cast<quint8>(bytes[at]) : 0;
        }
        phases[static_cast<size_t>(level)] = p;
        force[static_cast<size_t>(level)] = RecoverForce(p, stepTimeP);
    }
    loaded = true;
}

} // namespace zeb::sim
