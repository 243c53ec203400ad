#pragma once
// Forces written the way the panels show them: level "32" first, then "24", "16", "8".

#include "link/link_state.h"

#include <ostream>

namespace zeb {

inline StrikeLevelSet Forces(int l32, int l24, int l16, int l8) {
    StrikeLevelSet set;
    set[4] = static_cast<quint8>(l32);
    set[3] = static_cast<quint8>(l24);
    set[2] = static_cast<quint8>(l16);
    set[1] = static_cast<quint8>(l8);
    return set;
}

// So that a failing comparison shows the four forces.
inline void PrintTo(const StrikeLevelSet& set, std::ostream* os) {
    *os << "{32: " << int(set[4]) << ", 24: " << int(set[3]) << ", 16: " << int(set[2])
        << ", 8: " << int(set[1]) << "}";
}

} // namespace zeb
