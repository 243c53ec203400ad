#pragma once
// The strike-level panels of the window on the session's strike levels: the engraving-
// properties panel (PrintReadyPanel) with its quality, picture kind and "Двойной проход", the
// second-pass panel (PrintReadyPanel_2), and the interrupted-job panel (AbortPanel) with its
// halves for the first and the second pass (AbortWork1Panel, AbortWork2Panel); and the hidden
// menu items Qual1 "Quality HI" / Qual2 "Quality LO" that hold the quality.
//
// Everything the panels do to the forces is here, as the operator knows it: the couplings of
// group mode, the enabled lower levels, the quality buttons' colours, the sliders' clamping.
// What the buttons "Работа", "Отмена", "Продолжить работу" and "Завершить работу" start is
// the controllers' (signals below).

#include "app/level_panel.h"
#include "app/level_panels_builder.h"
#include "setup/strike_levels.h"

#include <QObject>

class QAction;
class QWidget;

namespace zeb::app {

class StrikeLevelPanels : public QObject {
    Q_OBJECT
public:
    // Builds the controls into `frames`; `qual1` and `qual2` are the menu items.
    StrikeLevelPanels(StrikeLevels& levels, const LevelFrames& frames, QAction* qual1,
                      QAction* qual2, QObject* parent);

    const LevelFrames& Frames() const { return m_frames; }

    // After the settings were read from Zeb.ini: the main panels show the modes and forces
    // read, as the reading left them (the panels are still closed, their lower levels enabled
    // as the design has them).
    void ShowLoadedSettings();

    // "Гравировка": every slider from the held forces (SyncLevelPanels), then the panel, and
    // the second-pass panel too while "Двойной проход" is ticked.
    void OpenEngravingPanels();
    void CloseEngravingPanels();

    // STOP: the halves' modes follow the main panels', the first-pass sliders take the
    // first-pass forces and, when the second half is shown (a second pass runs or follows),
    // the second-pass sliders the second-pass forces; the first half is usable only in the
    // first pass.
    void OpenAbortPanel(bool secondPassRunning, bool secondPassFollows);
    void CloseAbortPanel();

    // Between the two engraving panels, the second right of the first.
    static constexpr int PanelGap = 5;

signals:
    void StartClicked();    // "Работа" on either engraving panel
    void CancelClicked();   // "Отмена" on either engraving panel, after both have closed
    void ContinueClicked(); // "Продолжить работу" on either half
    void EndClicked();      // "Завершить работу" on either half

private:
    void SyncLevelPanels();
    void SetUpAbortPanel(bool secondHalfShown);
    void ConnectQuality();
    void ConnectButtons();
    void ChooseQuality(bool high);
    void QualityItemTriggered(bool high);
    void SecondWorkClicked(bool checked);

    StrikeLevels& m_levels;
    LevelFrames m_frames;
    LevelPanelsWidgets m_w;
    QAction* m_qual1;
    QAction* m_qual2;
    LevelPanel* m_printReady;
    LevelPanel* m_printReady2;
    LevelPanel* m_abortWork1;
    LevelPanel* m_abortWork2;
};

} // namespace zeb::app
