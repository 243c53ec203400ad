#pragma once
// One panel of four strike-force sliders (levels "32", "24", "16", "8") with its group /
// individual pair, on the forces of one pass: the engraving-properties panel and the
// second-pass panel, and the two halves of the interrupted-job panel.
//
// A slider runs its change handling whenever its position changes, whoever moves it, and only
// then: it stores its force and shows it as "(n)"; a level-"32" slider in group mode then
// derives the three lower levels (SliderCoupling). In group mode the three lower sliders and
// their labels are disabled. Positions are clamped to a slider's range when set.

#include "setup/strike_levels.h"

#include <QObject>

#include <array>

class QLabel;
class QRadioButton;
class QSlider;

namespace zeb::app {

class LevelPanel : public QObject {
    Q_OBJECT
public:
    // The panel's controls, each array level "32" first.
    struct Widgets {
        std::array<QSlider*, 4> sliders{};
        std::array<QLabel*, 4> values{};
        std::array<QLabel*, 4> names{};
        QRadioButton* group = nullptr;
        QRadioButton* individual = nullptr;
    };

    // `passMode`: the mode of the pass, which the pair of a main panel shows and sets;
    // switching a main panel to group re-derives its lower levels (ModeSwitchCoupling). A half
    // of the interrupted-job panel has no pass mode (null): its pair is its own and only
    // disables or enables the lower levels.
    LevelPanel(const Widgets& widgets, StrikeLevelSet& forces, LevelMode* passMode,
               QObject* parent);

    // By device level 1..4 (4 is level "32").
    QSlider* Slider(int level) const { return m_w.sliders[Index(level)]; }
    bool GroupMode() const;
    // The pair checked as the operator would check it: a button that becomes checked runs its
    // handling.
    void ChooseMode(LevelMode mode);
    // Each slider put at its held force, level "32" first; every slider that moves runs its
    // handling, and each reads its force only when its turn comes.
    void MoveSlidersToForces();
    // The pair, the sliders and their labels show the pass's mode and forces as they are,
    // without running any handling: how a settings file read at start leaves them.
    void ShowHeld();
    // The three lower sliders with their level and value labels.
    void SetLowerLevelsEnabled(bool enabled);

private:
    static size_t Index(int level) { return static_cast<size_t>(4 - level); }
    void SliderChanged(int level, int position);
    void GroupChecked();
    void IndividualChecked();
    // Stores the derived lower forces, puts each into its slider and shows it.
    void PutDerived(const StrikeLevelSet& derived);
    void ShowForce(int level);

    Widgets m_w;
    StrikeLevelSet& m_forces;
    LevelMode* m_passMode;
};

} // namespace zeb::app
