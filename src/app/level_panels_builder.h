#pragma once
// The controls of the strike-level panels, put into the empty frames the window's regions
// provide: PrintReadyPanel (engraving properties), PrintReadyPanel_2 (second pass) and the
// two halves of the interrupted-job panel, AbortWork1Panel and AbortWork2Panel. Every control
// gets its design name and built-in text, so the language file finds it by name. The panels
// size themselves to their contents; where they sit is the job's business.

class QWidget;

namespace zeb {
class StrikeLevels;
}

namespace zeb::app {

// `area` holds the four frames (the window's picture region); `levels` names the sliders and
// their labels. A frame that is missing is left out. Sliders, level and value labels get their
// ranges and texts when the controller binds them to their models.
void BuildLevelPanels(QWidget* area, const StrikeLevels& levels);

} // namespace zeb::app
