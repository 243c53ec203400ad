#pragma once
// The strike forces of both passes and every control that sets them: the engraving-properties
// panel (PrintReadyPanel), the second-pass panel (PrintReadyPanel_2) and the two halves of the
// interrupted-job panel (AbortWork1Panel, AbortWork2Panel); plus the neighbouring choices of
// the engraving-properties panel: quality, picture kind and double pass.
//
// The main window owns one StrikeLevels and mirrors its models with real widgets found by the
// same component names (Controls()). Widgets report the operator's actions to the models
// (TrackBar::SetPosition, RadioButton::Click, the *Click functions below); the models raise a
// signal for every change so the widgets can follow.

#include "link/link_state.h"
#include "link/operator.h"
#include "setup/strike_levels_controls.h"
#include "setup/strike_levels_panel.h"
#include "setup/track_bar.h"

#include <QString>

#include <vector>

namespace zeb {

// Every model of StrikeLevels under its component name, for the window to bind its widgets.
struct StrikeLevelControls {
    std::vector<std::pair<QString, TrackBar*>> trackBars;
    std::vector<std::pair<QString, TextLabel*>> labels;
    std::vector<std::pair<QString, RadioButton*>> radioButtons;
    std::vector<std::pair<QString, CheckBox*>> checkBoxes; // includes menu items Qual1, Qual2
    std::vector<std::pair<QString, PanelModel*>> panels;
};

class StrikeLevels {
public:
    StrikeLevels();
    StrikeLevels(const StrikeLevels&) = delete;
    StrikeLevels& operator=(const StrikeLevels&) = delete;

    // The forces, 0 at start until the settings are read. The job and the recovery may set
    // them directly; the sliders then show the new values after the next SyncLevelPanels.
    StrikeLevelSet FirstPassLevels;
    StrikeLevelSet SecondPassLevels;
    // "Портрет (качество)" when true, "Текст (ускорение)" when false.
    bool PortraitMode = true;
    // A second pass follows the first; set by "Двойной проход", cleared when it starts.
    bool DoublePassPending = false;
    // The single strike force of the service start, set in the "Сила удара" dialog (0..10).
    qint32 SingleStrikeForce = 0;

    // Declared after the forces they write.
    LevelPanel PrintReady;  // TrackBar1..4, GroupRadBut / IndRadBut
    LevelPanel PrintReady2; // TrackBar5..8, GroupRadBut_2 / IndRadBut_2
    LevelPanel AbortWork1;  // TrackBar9..12, RadioButton3 / RadioButton4
    LevelPanel AbortWork2;  // TrackBar13..16, RadioButton7 / RadioButton8

    // Quality: RadioButton1 / RadioButton2 on the first panel, mirrored by RadioButton5 /
    // RadioButton6 (disabled) on the second; the hidden menu items Qual1 / Qual2 hold it.
    RadioButton RadioButton1;
    RadioButton RadioButton2{true};
    RadioButton RadioButton5;
    RadioButton RadioButton6{true};
    CheckBox Qual1;
    CheckBox Qual2{true};
    // Picture kind: RadioButton9 "Текст (ускорение)", RadioButton10 "Портрет (качество)".
    RadioButton RadioButton9;
    RadioButton RadioButton10{true};
    // "Двойной проход".
    CheckBox SecondWork;

    PanelModel PrintReadyPanel;
    PanelModel PrintReadyPanel_2;
    PanelModel AbortPanel;
    PanelModel AbortWork1Panel;
    PanelModel AbortWork2Panel;

    // TrackBar1 .. TrackBar16; a number outside 1..16 is taken as the nearer end.
    TrackBar& Slider(int number);
    const TrackBar& Slider(int number) const;
    // The models under their component names.
    StrikeLevelControls Controls();

    // One-sided strike lines ("Высокое") when Qual1 is checked.
    bool HighQuality() const { return Qual1.Checked(); }

    // Before the engraving-properties panel opens: every slider from the held forces (each
    // real move runs its change handling, so a level-"32" slider in group mode re-derives its
    // lower levels before they are set in turn), the lower controls enabled by mode, the
    // picture kind from PortraitMode. The caller then shows the panels.
    void SyncLevelPanels();
    // When STOP opens the interrupted-job panel: the halves' modes follow the main panels',
    // the first-pass sliders take FirstPassLevels and, when the second half is shown, the
    // second-pass sliders take SecondPassLevels.
    void SetUpAbortPanel(bool secondHalfShown);
    // "Двойной проход" was clicked (after the box took its new state): the second-pass panel
    // and DoublePassPending follow the box. The window aligns the panel's top.
    void SecondWorkClick();
    // The hidden menu items: each sets only its own pair of check marks.
    void Qual1Click();
    void Qual2Click();
    // "Отмена" on either panel (BitBtn1, BitBtn2): hides both and gives the menus back.
    void CancelClick(Operator& op);

private:
    void ChooseQuality(bool high);
};

} // namespace zeb
