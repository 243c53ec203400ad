#include "setup/strike_levels.h"

#include <algorithm>

namespace zeb {

namespace {

quint8 AtLeastOne(int value) {
    return static_cast<quint8>(std::max(value, 1));
}

} // namespace

StrikeLevelSet SliderCoupling(int p) {
    // Integer division rounding down; p is a force, never negative.
    StrikeLevelSet set;
    set[4] = static_cast<quint8>(p);
    set[3] = AtLeastOne(p - p / 3);
    set[2] = AtLeastOne(p - 2 * (p / 3));
    set[1] = AtLeastOne(p / 11);
    return set;
}

StrikeLevelSet ModeSwitchCoupling(int p) {
    // Division toward zero, as C++ does it: (3 - 10) / 2 is -3.
    StrikeLevelSet set;
    set[4] = static_cast<quint8>(p);
    set[3] = AtLeastOne(p - 2 - p / 7);
    set[2] = AtLeastOne((p - 10) / 2 + 3);
    set[1] = AtLeastOne((p - 10) / 2);
    return set;
}

ForceRange StrikeLevels::Range(int pass, int level) {
    // Where the sliders of the window's design stand: "32" and "24" at 3, the others at 1;
    // the second pass's "32" at 0.
    const int start = level >= 3 ? 3 : 1;
    if (pass == 2 && level == 4)
        return {0, MaxForce, 0};
    return {1, MaxForce, start};
}

void StrikeLevels::ChooseForces(int pass, const StrikeLevelSet& forces) {
    Mode(pass) = LevelMode::Individual;
    for (int level = 4; level >= 1; --level)
        Forces(pass)[level] = static_cast<quint8>(Range(pass, level).Clamp(forces[level]));
}

StrikeLevelSet ForcesAsLoaded(int pass, LevelMode mode,
                              const std::array<std::optional<int>, 4>& lines) {
    StrikeLevelSet shown;
    for (int level = 1; level <= 4; ++level)
        shown[level] = static_cast<quint8>(StrikeLevels::Range(pass, level).start);
    for (int level = 4; level >= 1; --level) {
        const std::optional<int>& line = lines[static_cast<size_t>(4 - level)];
        if (!line)
            continue;
        const int force = StrikeLevels::Range(pass, level).Clamp(*line);
        // Only a level "32" that changes derives; the lines that follow then replace what it
        // derived with their own forces.
        if (level == 4 && mode == LevelMode::Group && force != shown[4]) {
            const StrikeLevelSet derived = SliderCoupling(force);
            for (int lower = 3; lower >= 1; --lower)
                shown[lower] =
                    static_cast<quint8>(StrikeLevels::Range(pass, lower).Clamp(derived[lower]));
        }
        shown[level] = static_cast<quint8>(force);
    }
    return shown;
}

} // namespace zeb
