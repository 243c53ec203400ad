#pragma once
// The strike forces of zeb-cli, which has no sliders to show what it holds: one reading of
// "F32,F24,F16,F8" for every command, within the ranges of the window's sliders; forces set
// the way the panel sets them; the forces of each pass told before a job starts; and no
// force that the program took in place of a faulty line of Zeb.ini ever struck or written.

#include "link/link_state.h"
#include "setup/settings.h"
#include "setup/strike_levels.h"

#include <QString>

#include <optional>

namespace zeb::cli {

// "F32,F24,F16,F8" for pass 1 or 2: four whole numbers in the order the panel lists the
// levels, each in the range of its slider on that pass's engraving-properties panel (1..200;
// the second pass's level "32" 0..200). Nothing, with the problem told in `problem`, for
// anything else.
std::optional<StrikeLevelSet> ParseForces(const QString& text, int pass, QString& problem);

// All four forces of pass 1 or 2 chosen as on the panel: individual mode, then each slider.
// The pass then holds the operator's forces, whatever Zeb.ini's lines held.
void ChooseForces(Settings& settings, StrikeLevels& levels, int pass, const StrikeLevelSet& forces);

// After the options: why the first pass (and the second, when `secondPassToo`) cannot be
// worked with, because its forces were taken in place of faulty lines of Zeb.ini and no
// option gave them; empty when it can. While any pass holds such forces Zeb.ini stays as it
// is for the run, so they never reach the file either.
QString TakenForcesRefusal(Settings& settings, bool secondPassToo);

// Before a job starts: "first pass forces: 14, 10, 5, 2 (levels "32", "24", "16", "8")" and
// the same for the second pass, marked when no second pass follows.
QString ForcesText(const StrikeLevels& levels);
// Before a resumed job goes on: the forces of the pass in hand, as the recovery file kept
// them (in a second pass, that pass's), and those of a second pass still to follow.
QString ResumedForcesText(const StrikeLevels& levels);

} // namespace zeb::cli
