#include "app/job_controller.h"

#include "app/fault_dialog.h"
#include "app/field_widget.h"
#include "app/menu_form.h"
#include "app/unfinished_job_dialog.h"
#include "job/job_runner.h"
#include "job/job_start.h"
#include "job/recovery.h"
#include "job/session.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

namespace zeb::app {

namespace {

constexpr int PanelInset = 5;
constexpr int SecondPanelLeft = 250;
constexpr int AbortPanelLeft = 20;
constexpr int AbortPanelTop = 10;
constexpr int AbortPanelBothHalvesWidth = 521;

} // namespace

JobController::JobController(TMenuForm& form) : QObject(&form), m_form(form) {
    connect(form.Item("Print1"), &QAction::triggered, this, &JobController::Print1Click);
    connect(form.Item("STOP"), &QAction::triggered, this, &JobController::STOPClick);
    // The panels' buttons exist once the level panels are built (their controller comes
    // first); "Работа" and the abort halves' buttons share one handling each.
    ConnectButton("Button17", &JobController::Button17Click);
    ConnectButton("Button19", &JobController::Button17Click);
    ConnectButton("Button27", &JobController::Button27Click);
    ConnectButton("Button30", &JobController::Button27Click);
    ConnectButton("Button28", &JobController::Button28Click);
    ConnectButton("Button31", &JobController::Button28Click);

    QtWindowTimers& timers = form.Timers();
    timers.OnTick(TimerId::Optimizing, [this] { OptimizingTick(); });
    timers.OnTick(TimerId::CrushTimer,
                  [this] { Tell(m_form, ResumeInterruptedJob(m_form.State())); });
    timers.OnTick(TimerId::Timer3, [this] {
        Session& s = m_form.State();
        DropUnfinishedJob(s.StartDirectory, s.Timers);
    });
    connect(&form, &TMenuForm::DialogsCreated, this, &JobController::DialogsCreated);
}

void JobController::ConnectButton(const char* name, void (JobController::*handler)()) {
    if (auto* button = m_form.centralWidget()->findChild<QPushButton*>(name))
        connect(button, &QPushButton::clicked, this, handler);
}

void JobController::PlaceOverField(const char* name, int x, int y) {
    auto* panel = m_form.centralWidget()->findChild<QWidget*>(name);
    if (!panel)
        return;
    QWidget* viewport = m_form.ScrollBox1()->viewport();
    panel->move(viewport->mapTo(panel->parentWidget(), QPoint(x, y)));
}

void JobController::Print1Click() {
    PlaceOverField("PrintReadyPanel", PanelInset, PanelInset);
    PlaceOverField("PrintReadyPanel_2", SecondPanelLeft, PanelInset);
    zeb::OpenEngravingProperties(m_form.State());
}

void JobController::Button17Click() {
    const Result<JobStart> start = zeb::StartJob(m_form.State());
    Tell(m_form, start);
    if (start && start->begun) {
        Tell(m_form, start->estimate);
        if (start->estimate)
            ShowEstimate(*start->estimate);
    }
    if (start && !start->begun && m_form.Form4() && !m_form.Closing())
        m_form.Form4()->exec();
}

void JobController::ShowEstimate(const JobEstimate& estimate) {
    if (auto* label = m_form.centralWidget()->findChild<QLabel*>("Label37"))
        label->setText(estimate.texts.duration);
    if (auto* label = m_form.centralWidget()->findChild<QLabel*>("Label35"))
        label->setText(estimate.texts.completion);
}

void JobController::STOPClick() {
    Session& s = m_form.State();
    if (!zeb::PauseJob(s))
        return;
    auto* panel = m_form.centralWidget()->findChild<QWidget*>("AbortPanel");
    auto* half1 = m_form.centralWidget()->findChild<QWidget*>("AbortWork1Panel");
    if (!panel || !half1)
        return;
    panel->move(AbortPanelLeft, AbortPanelTop);
    const bool bothHalves = s.Levels.AbortWork2Panel.Visible();
    const int width = bothHalves ? AbortPanelBothHalvesWidth : half1->sizeHint().width() + 20;
    panel->resize(std::max(width, panel->minimumSizeHint().width()), panel->sizeHint().height());
    panel->raise();
}

void JobController::Button27Click() {
    Tell(m_form, zeb::ContinueJob(m_form.State()));
}

void JobController::Button28Click() {
    zeb::EndJobForLater(m_form.State());
}

void JobController::OptimizingTick() {
    const TickOutcome outcome = RunNextPlanLine(m_form.State());
    if (outcome.pictureChanged)
        m_form.Image1()->ImageChanged();
    if (outcome.result == TickResult::LinkLost && m_form.Form4() && !m_form.Closing())
        m_form.Form4()->exec();
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
