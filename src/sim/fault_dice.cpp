#include "sim/fault_dice.h"

namespace zeb::sim {

quint64 FaultDice::Next() {
    quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

bool FaultDice::Roll(double p) {
    if (p <= 0.0)
        return false;
    // 53 random bits as a fraction 0 <= u < 1.
    const double u = static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
    return u < p;
}

int FaultDice::Between(int lo, int hi) {
    if (hi <= lo)
        return lo;
    const quint64 span = static_cast<quint64>(hi - lo) + 1;
    return lo + static_cast<int>(Next() % span);
}

quint8 FaultDice::NonZeroByte() {
    return static_cast<quint8>(Between(1, 255));
}

} // namespace zeb::sim
