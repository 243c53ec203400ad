#pragma once
// One panel of four strike-force sliders (levels "32", "24", "16", "8") with its group /
// individual mode pair. Four such panels exist: the engraving-properties panel and the
// second-pass panel, and the two halves of the interrupted-job panel. The first-pass panels
// write FirstPassLevels, the second-pass panels SecondPassLevels.
//
// In group mode only the level-"32" slider is free and the lower three levels follow it by
// fixed rules; their sliders and labels are disabled.

#include "link/link_state.h"
#include "setup/strike_levels_controls.h"
#include "setup/track_bar.h"

#include <array>

namespace zeb {

// The lower three levels derived from a moved level-"32" slider in group mode. The result
// holds p at level 4 and the derived forces at levels 3, 2, 1 (each at least 1).
StrikeLevelSet SliderCoupling(int p);
// The lower three levels derived once when a main panel switches to group mode.
StrikeLevelSet ModeSwitchCoupling(int p);

// Component names and form defaults of one panel. Arrays are ordered as the panel shows the
// levels: index 0 is level "32" (device level 4) down to index 3, level "8" (device level 1).
struct LevelPanelDesign {
    std::array<const char*, 4> sliders;
    std::array<const char*, 4> valueLabels;
    std::array<const char*, 4> levelLabels;
    const char* groupButton;
    const char* individualButton;
    std::array<int, 4> minimum;  // maximum is 200 for all
    std::array<int, 4> position; // form default positions
    bool groupByDefault;
    // A main panel re-derives the lower levels when switched to group mode; a half of the
    // interrupted-job panel only disables or enables them.
    bool mainPanel;
};

class LevelPanel {
public:
    static constexpr int MaxForce = 200;

    LevelPanel(StrikeLevelSet& forces, const LevelPanelDesign& design);
    LevelPanel(const LevelPanel&) = delete;
    LevelPanel& operator=(const LevelPanel&) = delete;

    const LevelPanelDesign& Design() const { return m_design; }

    // By device level 1..4 (4 is level "32").
    TrackBar& Slider(int level) { return m_sliders[Index(level)]; }
    const TrackBar& Slider(int level) const { return m_sliders[Index(level)]; }
    TextLabel& ValueLabel(int level) { return m_valueLabels[Index(level)]; }
    const TextLabel& ValueLabel(int level) const { return m_valueLabels[Index(level)]; }
    TextLabel& LevelLabel(int level) { return m_levelLabels[Index(level)]; }
    const TextLabel& LevelLabel(int level) const { return m_levelLabels[Index(level)]; }

    RadioButton Group;
    RadioButton Individual;

    // Puts a force read from a file into its slider: the slider clamps it and the held force
    // and its label then follow the slider's position, also when the slider did not move.
    void PutForce(int level, int value);
    // Enables or disables the three lower sliders with their level and value labels.
    void SetLowerLevelsEnabled(bool enabled);

private:
    static size_t Index(int level) { return static_cast<size_t>(4 - level); }
    void SliderChanged(int level, int position);
    void GroupClicked();
    void IndividualClicked();
    // Stores a derived force, puts it into its slider and refreshes its label.
    void PutDerived(const StrikeLevelSet& derived);
    void ShowForce(int level);

    StrikeLevelSet& m_forces;
    const LevelPanelDesign& m_design;
    std::array<TrackBar, 4> m_sliders;
    std::array<TextLabel, 4> m_valueLabels;
    std::array<TextLabel, 4> m_levelLabels;
};

} // namespace zeb
