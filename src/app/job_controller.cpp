#include "app/job_controller.h"
#include "app/window_texts.h"

#include "app/fault_dialog.h"
#include "app/field_widget.h"
#include "app/level_panels.h"
#include "app/menu_form.h"
#include "app/unfinished_job_dialog.h"
#include "job/job_runner.h"
#include "job/job_start.h"
#include "job/recovery.h"
#include "job/session.h"

#include <QAction>
#include <QLabel>
#include <QScrollArea>

#include <utility>

namespace zeb::app {

namespace {

constexpr int PanelInset = 5;
constexpr int AbortPanelLeft = 20;
constexpr int AbortPanelTop = 10;

} // namespace

JobController::JobController(TMenuForm& form) : QObject(&form), m_form(form) {
    connect(form.Item("Print1"), &QAction::triggered, this, &JobController::Print1Click);
    connect(form.Item("STOP"), &QAction::triggered, this, &JobController::STOPClick);
    // "Работа" and the abort halves' buttons share one handling each.
    StrikeLevelPanels& panels = form.LevelPanels();
    connect(&panels, &StrikeLevelPanels::StartClicked, this, &JobController::Button17Click);
    connect(&panels, &StrikeLevelPanels::ContinueClicked, this, &JobController::Button27Click);
    connect(&panels, &StrikeLevelPanels::EndClicked, this, &JobController::Button28Click);

    QtWindowTimers& timers = form.Timers();
    timers.OnTick(TimerId::Optimizing, [this] { OptimizingTick(); });
    timers.OnTick(TimerId::CrushTimer, [this] {
        const Outcome resumed = ResumeInterruptedJob(m_form.State());
        Tell(m_form, resumed);
        if (resumed) {
            BeginProgress();
            ShowProgress(true);
        }
    });
    timers.OnTick(TimerId::Timer3, [this] {
        Session& s = m_form.State();
        DropUnfinishedJob(s.StartDirectory, s.Timers);
    });
    connect(&form, &TMenuForm::DialogsCreated, this, &JobController::DialogsCreated);
}

void JobController::PlaceOverField(QWidget* panel, int x, int y) {
    QWidget* viewport = m_form.ScrollBox1()->viewport();
    panel->move(viewport->mapTo(panel->parentWidget(), QPoint(x, y)));
}

void JobController::Print1Click() {
    StrikeLevelPanels& panels = m_form.LevelPanels();
    PlaceOverField(panels.Frames().printReady, PanelInset, PanelInset);
    QWidget* first = panels.Frames().printReady;
    PlaceOverField(panels.Frames().printReady2,
                   PanelInset + first->sizeHint().width() + StrikeLevelPanels::PanelGap,
                   PanelInset);
    panels.OpenEngravingPanels();
    zeb::OpenEngravingProperties(m_form.State());
}

void JobController::Button17Click() {
    StrikeLevelPanels& panels = m_form.LevelPanels();
    const Result<JobStart> start =
        zeb::StartJob(m_form.State(), [&panels] { panels.CloseEngravingPanels(); });
    Tell(m_form, start);
    if (start && start->begun) {
        Tell(m_form, start->estimate);
        if (start->estimate)
            ShowEstimate(*start->estimate);
        BeginProgress();
    }
    if (start && !start->begun && m_form.Form4() && !m_form.Closing())
        m_form.Form4()->exec();
}

void JobController::ShowEstimate(const JobEstimate& estimate) {
    const TextCatalogue& texts = m_form.State().Texts;
    if (auto* label = m_form.centralWidget()->findChild<QLabel*>("Label37"))
        label->setText(WithCaption(estimate.texts.duration, texts, 0));
    if (auto* label = m_form.centralWidget()->findChild<QLabel*>("Label35"))
        label->setText(WithCaption(estimate.texts.completion, texts, 1));
}

void JobController::BeginProgress() {
    Session& s = m_form.State();
    m_progress.Begin(s);
    m_form.ShowStatus(JobProgress::PassText(s.Job, s.Levels, s.Texts));
    ShowProgress(false);
}

void JobController::ShowProgress(bool texts) {
    if (!m_progress.Known())
        return;
    const LiveEstimate& live = m_progress.Live();
    m_form.SetProgress(static_cast<int>(live.LinesDone()), static_cast<int>(live.LinesTotal()));
    if (texts)
        ShowEstimate({0, m_progress.Texts(m_form.State().Time, m_form.State().Texts)});
}

void JobController::ShowEnd(TextKey outcome) {
    // A plan run by other means (the service starts) was never counted as a job.
    if (m_progress.Began())
        m_form.ShowStatus(m_progress.EndText(m_form.State().Time, m_form.State().Texts, outcome));
    m_progress = JobProgress{};
}

void JobController::STOPClick() {
    Session& s = m_form.State();
    if (s.Dev.LinkBusy()) {
        // Pressed while a line is struck: the line ends whole, then the job pauses.
        m_pauseAfterLine = true;
        s.Op.ShowStatus(s.Texts.Text(TextKey::JobPausesAfterLine));
        return;
    }
    if (!zeb::PauseJob(s))
        return;
    m_progress.Pause();
    StrikeLevelPanels& panels = m_form.LevelPanels();
    panels.OpenAbortPanel(s.Job.SecondPassRunning, s.Levels.DoublePassPending);
    QWidget* panel = panels.Frames().abort;
    panel->move(AbortPanelLeft, AbortPanelTop);
    // As wide as the halves shown need, in the language in use.
    panel->resize(panel->sizeHint());
    panel->raise();
}

void JobController::Button27Click() {
    const Outcome continued = zeb::ContinueJob(m_form.State());
    Tell(m_form, continued);
    if (!continued)
        return;
    m_form.LevelPanels().CloseAbortPanel();
    // The forces may be others now: the rest is estimated anew.
    Session& s = m_form.State();
    m_progress.Rebase(s);
    m_form.ShowStatus(JobProgress::PassText(s.Job, s.Levels, s.Texts));
    ShowProgress(true);
}

void JobController::Button28Click() {
    Session& s = m_form.State();
    // Only a job in hand is ended.
    const bool jobHeld = s.Job.Plan != nullptr;
    zeb::EndJobForLater(s);
    if (!jobHeld)
        return;
    m_form.LevelPanels().CloseAbortPanel();
    ShowEnd(TextKey::JobEndedAfter);
}

void JobController::OptimizingTick() {
    Session& s = m_form.State();
    const TickOutcome outcome = RunNextPlanLine(s);
    if (outcome.pictureChanged)
        m_form.Image1()->ImageChanged();
    switch (outcome.result) {
    case TickResult::LineDone:
        ShowProgress(m_progress.LineDone(s));
        break;
    case TickResult::SecondPassStarted:
        m_progress.Rebase(s);
        m_form.ShowStatus(JobProgress::PassText(s.Job, s.Levels, s.Texts));
        ShowProgress(true);
        break;
    case TickResult::Completed:
        m_progress.Finish(s.Time);
        ShowProgress(true);
        ShowEnd(TextKey::JobDoneIn);
        break;
    case TickResult::Stopped:
        ShowEnd(TextKey::JobEndedAfter);
        break;
    case TickResult::LinkLost:
        ShowEnd(TextKey::JobLinkLostAfter);
        if (m_form.Form4() && !m_form.Closing())
            m_form.Form4()->exec();
        break;
    case TickResult::NotRunning:
        break;
    }
    if (std::exchange(m_pauseAfterLine, false))
        STOPClick();
}

void JobController::DialogsCreated() {
    TForm1* form1 = m_form.Form1();
    if (!form1)
        return;
    connect(form1, &TForm1::FinishChosen, this, [this, form1] {
        Session& s = m_form.State();
        s.Job.WarmUpRounds = form1->WarmUpRounds();
        s.Timers.Start(TimerId::CrushTimer, 10);
    });
    connect(form1, &TForm1::IgnoreChosen, this, [this] {
        Session& s = m_form.State();
        s.Unfinished.Pending = false;
        s.Timers.Start(TimerId::Timer3, 1);
    });
    // An unfinished job is offered as soon as the dialogs exist, when the machine answers.
    const Session& s = m_form.State();
    if (s.Unfinished.Pending && s.Link.DeviceReady)
        form1->exec();
}

} // namespace zeb::app
