#pragma once
// The seeded dice of the fault plan: the same seed and the same traffic give the same faults
// on every machine, so a failing run can be replayed. The generator is our own (splitmix64)
// because the standard distributions differ between library implementations.

#include <QtGlobal>

namespace zeb::sim {

class FaultDice {
public:
    explicit FaultDice(quint32 seed) : m_state(0x9E3779B97F4A7C15ULL ^ seed) {}

    // True with probability p; a probability of 0 never rolls, so plans without random
    // faults draw nothing.
    bool Roll(double p);
    // A whole number lo..hi.
    int Between(int lo, int hi);
    // A byte that is not 0, for changing a byte on the line by xor.
    quint8 NonZeroByte();

private:
    quint64 Next();
    quint64 m_state;
};

} // namespace zeb::sim
