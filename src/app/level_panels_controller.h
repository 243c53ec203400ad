#pragma once
// "Отмена" on the engraving-properties panels, which gives the menus back, and "Сила удара"
// (StrikeForce1): the single strike force of the service start. The panels themselves are
// the window's StrikeLevelPanels; "Работа" and the interrupted-job buttons belong to the job.

#include <QObject>

namespace zeb::app {

class TMenuForm;

class LevelPanelsController : public QObject {
    Q_OBJECT
public:
    explicit LevelPanelsController(TMenuForm& form);

private:
    void StrikeForceClick();

    TMenuForm& m_form;
};

} // namespace zeb::app
