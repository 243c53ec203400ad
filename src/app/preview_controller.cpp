#include "app/preview_controller.h"

#include "app/level_panels.h"
#include "app/menu_form.h"
#include "app/preview_window.h"
#include "job/job_preview.h"
#include "job/plan_builder.h"
#include "job/session.h"

#include <QAction>
#include <QFrame>
#include <QPushButton>

namespace zeb::app {

PreviewController::PreviewController(TMenuForm& form)
    : QObject(&form), m_form(form),
      m_button(form.LevelPanels().Frames().printReady->findChild<QPushButton*>("PreviewButton")) {
    connect(form.Item("Print1"), &QAction::triggered, this, &PreviewController::Print1Click);
    connect(m_button, &QPushButton::clicked, this, &PreviewController::PreviewClick);
}

void PreviewController::Print1Click() {
    Session& s = m_form.State();
    const bool jobRunning = s.Timers.Running(TimerId::Optimizing);
    m_button->setEnabled(!jobRunning && static_cast<bool>(CheckPlanInput(s.Matrices)));
}

QList<QPushButton*> PreviewController::PanelButtons() const {
    const LevelFrames& frames = m_form.LevelPanels().Frames();
    return frames.printReady->findChildren<QPushButton*>() +
           frames.printReady2->findChildren<QPushButton*>();
}

void PreviewController::PreviewClick() {
    Session& s = m_form.State();
    // The planner lets the window paint its seeds; a second click meanwhile must not start a
    // job or another preview.
    QList<std::pair<QPushButton*, bool>> held;
    for (QPushButton* button : PanelButtons()) {
        held.append({button, button->isEnabled()});
        button->setEnabled(false);
    }
    s.Op.SetCursor(CursorShape::Hourglass);
    Result<JobPreview> preview = PreviewJob(s);
    s.Op.SetCursor(CursorShape::Normal);
    for (const auto& [button, enabled] : held)
        button->setEnabled(enabled);
    if (!preview) {
        m_form.ShowMessage(preview.Message());
        return;
    }
    QImage picture = PreviewPicture(*preview);
    if (picture.isNull()) {
        m_form.ShowMessage(s.Texts.Text(TextKey::PreviewTooLarge)
                               .arg(preview->frame.columns)
                               .arg(preview->frame.rows));
        return;
    }
    if (!m_window)
        m_window = new PreviewWindow(s.Texts, &m_form);
    m_window->ShowPreview(std::move(*preview), std::move(picture), s.Time.Now());
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace zeb::app
