#include "app/service_controller.h"

#include "app/menu_form.h"
#include "job/plan_builder.h"
#include "job/recovery.h"
#include "job/session.h"
#include "setup/calibration.h"

#include <QAction>
#include <QCheckBox>
#include <QShortcut>

namespace zeb::app {

ServiceController::ServiceController(TMenuForm& form) : QObject(&form), m_form(form) {
    m_selfTestingPanel = form.centralWidget()->findChild<QWidget*>("SelfTestingPanel");
    connect(form.Item("SelfTesting1"), &QAction::triggered, this,
            &ServiceController::SelfTesting1Click);
    auto* stepControl = m_selfTestingPanel->findChild<QCheckBox*>("StepControlCheckBox");
    connect(stepControl, &QCheckBox::toggled, this,
            [this](bool checked) { m_form.State().SelfTest.StepControl = checked; });
    connect(form.Item("N8"), &QAction::triggered, this, &ServiceController::N8Click);
    // The service starts: "1" runs the plan file from its start, "2" cuts it at the position
    // the controller saved; the job runner does the rest.
    connect(form.Item("N11"), &QAction::triggered, this,
            [this] { Tell(m_form, ServiceStartOne(m_form.State())); });
    connect(form.Item("N21"), &QAction::triggered, this,
            [this] { Tell(m_form, ServiceStartTwo(m_form.State())); });
    connect(form.Item("N3"), &QAction::triggered, this, &ServiceController::N3Click);

    auto* reveal = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F12), &form);
    reveal->setObjectName("ServiceItemsShortcut");
    connect(reveal, &QShortcut::activated, this, &ServiceController::RevealServiceItems);
}

void ServiceController::RevealServiceItems() {
    for (const char* name : {"StrikeForce1", "N7", "N8", "N3", "N11", "N21"})
        m_form.Item(name)->setVisible(true);
    m_form.Item("N8")->setEnabled(true);
}

void ServiceController::SelfTesting1Click(bool checked) {
    Session& s = m_form.State();
    m_selfTestingPanel->setVisible(checked);
    const QString error =
        SelfTestingClick(checked, s.Dev, s.SelfTest, m_testingLog, s.StartDirectory);
    if (!error.isEmpty())
        m_form.ShowMessage(error);
}

void ServiceController::N3Click() {
    Session& s = m_form.State();
    const Result<PlanFiles> planned =
        BuildPlan(s.Matrices, s.StartDirectory,
                  s.Levels.HighQuality() ? PassMode::OneSided : PassMode::TwoSided, s.Op);
    Tell(m_form, planned);
}

void ServiceController::N8Click() {
    Session& s = m_form.State();
    // Outside a job the active strike set is the first pass's.
    CalibrateTiming(s.Dev, s.Config, s.Levels.FirstPassLevels, s.StartDirectory);
}

} // namespace zeb::app
