#pragma once
// The strike forces of both passes and the choices that go with them: the group or individual
// mode of each pass, quality, picture kind and double pass; and the two rules by which group
// mode derives the lower levels from level "32". The window's panels set them as the operator
// works them; zeb-cli sets them the way the panels would; the job and the recovery read them
// and may set the forces and the double pass directly.

#include "link/link_state.h"

#include <QtGlobal>

#include <array>
#include <optional>

namespace zeb {

// How the forces of a pass are set: in group mode only level "32" is free and the lower three
// levels follow it; in individual mode each level has its own force.
enum class LevelMode { Group, Individual };

// The forces one level of a pass may take, as its slider on the engraving-properties panel
// allows them, and the force that slider shows before anything moves it.
struct ForceRange {
    int min;
    int max;
    int start;

    int Clamp(int force) const { return force < min ? min : force > max ? max : force; }
};

// The lower three levels derived from a moved level-"32" force in group mode. The result
// holds p at level 4 and the derived forces at levels 3, 2, 1 (each at least 1).
StrikeLevelSet SliderCoupling(int p);
// The lower three levels derived once when a pass switches to group mode.
StrikeLevelSet ModeSwitchCoupling(int p);

struct StrikeLevels {
    static constexpr int MaxForce = 200;
    // Level 4 ("32") .. 1 ("8") of pass 1 or 2. The second pass may leave level "32" out
    // altogether, hence 0 as its lowest force.
    static ForceRange Range(int pass, int level);

    // The forces, 0 at start until the settings are read.
    StrikeLevelSet FirstPassLevels;
    StrikeLevelSet SecondPassLevels;
    LevelMode FirstPassMode = LevelMode::Group;
    LevelMode SecondPassMode = LevelMode::Group;
    // "Портрет (качество)" when true, "Текст (ускорение)" when false.
    bool PortraitMode = true;
    // A second pass follows the first; set by "Двойной проход", cleared when it starts.
    bool DoublePassPending = false;
    // The single strike force of the service start, set in the "Сила удара" dialog (0..10).
    qint32 SingleStrikeForce = 0;

    // Pass 1 or 2.
    StrikeLevelSet& Forces(int pass) { return pass == 2 ? SecondPassLevels : FirstPassLevels; }
    const StrikeLevelSet& Forces(int pass) const {
        return pass == 2 ? SecondPassLevels : FirstPassLevels;
    }
    LevelMode& Mode(int pass) { return pass == 2 ? SecondPassMode : FirstPassMode; }
    LevelMode Mode(int pass) const { return pass == 2 ? SecondPassMode : FirstPassMode; }

    // One-sided strike lines ("Высокое") when true, two-sided ("Стандарт") when false.
    bool HighQuality() const { return m_highQuality; }
    void SetHighQuality(bool high) { m_highQuality = high; }

    // All four forces of pass 1 or 2 chosen one by one, as on the panel: individual mode, then
    // each force within its level's range.
    void ChooseForces(int pass, const StrikeLevelSet& forces);

private:
    bool m_highQuality = false;
};

// One pass's forces as the engraving-properties panel takes them from the settings file,
// `lines` in the panel's order (level "32" first): each force clamped to its level's range. A
// line that gives no force (nullopt) leaves its level where the panel shows it: at the
// range's start, or, in group mode, where a level "32" that changed derived it.
StrikeLevelSet ForcesAsLoaded(int pass, LevelMode mode,
                              const std::array<std::optional<int>, 4>& lines);

} // namespace zeb
