#include "app/level_panels_controller.h"

#include "app/level_panels.h"
#include "app/menu_form.h"
#include "app/strike_force_dialog.h"
#include "job/session.h"

#include <QAction>

namespace zeb::app {

LevelPanelsController::LevelPanelsController(TMenuForm& form) : QObject(&form), m_form(form) {
    connect(&form.LevelPanels(), &StrikeLevelPanels::CancelClicked, this,
            [this] { m_form.UnlockUI(); });
    connect(form.Item("StrikeForce1"), &QAction::triggered, this,
            &LevelPanelsController::StrikeForceClick);
}

void LevelPanelsController::StrikeForceClick() {
    TStrikeHelth* dialog = m_form.StrikeHelth();
    if (!dialog)
        return;
    StrikeLevels& levels = m_form.State().Levels;
    levels.SingleStrikeForce = dialog->Run(levels.SingleStrikeForce);
}

} // namespace zeb::app
