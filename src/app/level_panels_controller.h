#pragma once
// The strike-level panels on the screen: builds their controls and mirrors the session's
// strike-level models (Session::Levels) both ways. What the operator does with a control goes
// to its model; every change of a model, whoever made it, shows on its control. A control set
// from its model never reports that back as the operator's action.
//
// Also "Отмена" on both panels, and "Сила удара" (StrikeForce1): the single strike force of
// the service start.
//
// "Работа", "Продолжить работу", "Завершить работу" and the panels' placement belong to the
// job; its controller finds those buttons by name.

#include <QObject>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QRadioButton;
class QSlider;

namespace zeb {
class CheckBox;
class PanelModel;
class RadioButton;
class StrikeLevels;
class TextLabel;
class TrackBar;
} // namespace zeb

namespace zeb::app {

class TMenuForm;

class LevelPanelsController : public QObject {
    Q_OBJECT
public:
    explicit LevelPanelsController(TMenuForm& form);

private:
    void Bind(QSlider* slider, TrackBar& model);
    void Bind(QLabel* label, TextLabel& model);
    void Bind(QRadioButton* button, RadioButton& model);
    void Bind(QFrame* panel, PanelModel& model);
    void BindSecondWork(QCheckBox* box, CheckBox& model);
    void BindQualityItem(QAction* item, CheckBox& model, void (StrikeLevels::*click)());
    void StrikeForceClick();

    TMenuForm& m_form;
};

} // namespace zeb::app
