#pragma once
// The controls of the strike-level panels, put into the empty frames the window's regions
// provide: PrintReadyPanel (engraving properties), PrintReadyPanel_2 (second pass) and the two
// halves of the interrupted-job panel, AbortWork1Panel and AbortWork2Panel. Every control gets
// its design name and built-in text, so the language file finds it by name. The panels size
// themselves to their contents; where they sit is the job's business.

#include "app/level_panel.h"

#include <array>

class QCheckBox;
class QFrame;
class QPushButton;
class QRadioButton;

namespace zeb::app {

// The frames of the window's picture region that the panels fill.
struct LevelFrames {
    QFrame* printReady = nullptr;  // PrintReadyPanel
    QFrame* printReady2 = nullptr; // PrintReadyPanel_2
    QFrame* abort = nullptr;       // AbortPanel, which holds the two halves
    QFrame* abortWork1 = nullptr;  // AbortWork1Panel
    QFrame* abortWork2 = nullptr;  // AbortWork2Panel
};

// Every control of the four panels, for the panels to bind.
struct LevelPanelsWidgets {
    LevelPanel::Widgets printReady;  // TrackBar1..4, GroupRadBut / IndRadBut
    LevelPanel::Widgets printReady2; // TrackBar5..8, GroupRadBut_2 / IndRadBut_2
    LevelPanel::Widgets abortWork1;  // TrackBar9..12, RadioButton3 / RadioButton4
    LevelPanel::Widgets abortWork2;  // TrackBar13..16, RadioButton7 / RadioButton8
    // Quality: RadioButton1 "Высокое" / RadioButton2 "Стандарт" on the first panel, mirrored
    // by RadioButton5 / RadioButton6 on the second.
    QRadioButton* high = nullptr;
    QRadioButton* standard = nullptr;
    QRadioButton* highMirror = nullptr;
    QRadioButton* standardMirror = nullptr;
    // Picture kind: RadioButton10 "Портрет (качество)", RadioButton9 "Текст (ускорение)".
    QRadioButton* portrait = nullptr;
    QRadioButton* text = nullptr;
    QCheckBox* secondWork = nullptr;           // "Двойной проход"
    std::array<QPushButton*, 2> start{};       // "Работа": Button17, Button19
    std::array<QPushButton*, 2> cancel{};      // "Отмена": BitBtn1, BitBtn2
    std::array<QPushButton*, 2> continueJob{}; // Button27, Button30
    std::array<QPushButton*, 2> endJob{};      // Button28, Button31
};

// Fills the frames. Sliders stand at their design positions within their ranges (the main
// panels' those of the passes' forces), value labels read "(1)", the group buttons of the
// main panels and the individual buttons of the halves are checked.
LevelPanelsWidgets BuildLevelPanels(const LevelFrames& frames);

} // namespace zeb::app
