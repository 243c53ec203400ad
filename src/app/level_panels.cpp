#include "app/level_panels.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace zeb::app {

namespace {

// A panel comes to the front when it is shown, not again while it stays up.
void ShowPanel(QWidget* panel, bool visible) {
    if (panel->isHidden() != visible)
        return;
    panel->setVisible(visible);
    if (visible)
        panel->raise();
}

// The chosen quality's text is red, the other's the system's highlight colour.
void ShowQualityColour(QWidget* button, bool chosen) {
    const QColor text =
        chosen ? QColor(Qt::red) : QApplication::palette(button).color(QPalette::Highlight);
    QPalette palette = button->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::ButtonText, text);
    button->setPalette(palette);
}

// Runs `handler` when `button` becomes checked, whoever checks it.
template <class F>
void OnChecked(QRadioButton* button, QObject* context, F handler) {
    QObject::connect(button, &QRadioButton::toggled, context, [handler](bool checked) {
        if (checked)
            handler();
    });
}

} // namespace

StrikeLevelPanels::StrikeLevelPanels(StrikeLevels& levels, const LevelFrames& frames,
                                     QAction* qual1, QAction* qual2, QObject* parent)
    : QObject(parent), m_levels(levels), m_frames(frames), m_w(BuildLevelPanels(frames)),
      m_qual1(qual1), m_qual2(qual2) {
    m_printReady =
        new LevelPanel(m_w.printReady, levels.FirstPassLevels, &levels.FirstPassMode, this);
    m_printReady2 =
        new LevelPanel(m_w.printReady2, levels.SecondPassLevels, &levels.SecondPassMode, this);
    m_abortWork1 = new LevelPanel(m_w.abortWork1, levels.FirstPassLevels, nullptr, this);
    m_abortWork2 = new LevelPanel(m_w.abortWork2, levels.SecondPassLevels, nullptr, this);
    ConnectQuality();
    ConnectButtons();
}

void StrikeLevelPanels::ConnectQuality() {
    for (QRadioButton* high : {m_w.high, m_w.highMirror})
        OnChecked(high, this, [this] { ChooseQuality(true); });
    for (QRadioButton* standard : {m_w.standard, m_w.standardMirror})
        OnChecked(standard, this, [this] { ChooseQuality(false); });
    OnChecked(m_w.text, this, [this] { m_levels.PortraitMode = false; });
    OnChecked(m_w.portrait, this, [this] { m_levels.PortraitMode = true; });
    m_qual1->setChecked(m_levels.HighQuality());
    m_qual2->setChecked(!m_levels.HighQuality());
    // A checkable item flips its own mark before triggered; the quality decides the marks.
    connect(m_qual1, &QAction::triggered, this, [this] { QualityItemTriggered(true); });
    connect(m_qual2, &QAction::triggered, this, [this] { QualityItemTriggered(false); });
    // clicked comes from the operator only.
    connect(m_w.secondWork, &QCheckBox::clicked, this, &StrikeLevelPanels::SecondWorkClicked);
}

void StrikeLevelPanels::ConnectButtons() {
    for (QPushButton* button : m_w.start)
        connect(button, &QPushButton::clicked, this, &StrikeLevelPanels::StartClicked);
    for (QPushButton* button : m_w.cancel) {
        connect(button, &QPushButton::clicked, this, [this] {
            CloseEngravingPanels();
            emit CancelClicked();
        });
    }
    for (QPushButton* button : m_w.continueJob)
        connect(button, &QPushButton::clicked, this, &StrikeLevelPanels::ContinueClicked);
    for (QPushButton* button : m_w.endJob)
        connect(button, &QPushButton::clicked, this, &StrikeLevelPanels::EndClicked);
}

void StrikeLevelPanels::ShowLoadedSettings() {
    m_printReady->ShowHeld();
    m_printReady2->ShowHeld();
}

void StrikeLevelPanels::OpenEngravingPanels() {
    SyncLevelPanels();
    ShowPanel(m_frames.printReady, true);
    if (m_w.secondWork->isChecked())
        ShowPanel(m_frames.printReady2, true);
}

void StrikeLevelPanels::CloseEngravingPanels() {
    ShowPanel(m_frames.printReady, false);
    ShowPanel(m_frames.printReady2, false);
}

void StrikeLevelPanels::OpenAbortPanel(bool secondPassRunning, bool secondPassFollows) {
    const bool secondHalf = secondPassRunning || secondPassFollows;
    SetUpAbortPanel(secondHalf);
    m_frames.abortWork1->setEnabled(!secondPassRunning);
    ShowPanel(m_frames.abortWork1, true);
    ShowPanel(m_frames.abortWork2, secondHalf);
    ShowPanel(m_frames.abort, true);
}

void StrikeLevelPanels::CloseAbortPanel() {
    ShowPanel(m_frames.abort, false);
}

void StrikeLevelPanels::SyncLevelPanels() {
    // Pair by pair, each slider reading the held force at the moment it is set: a coupling
    // run by an earlier slider of the pass may have changed it.
    struct Pass {
        const StrikeLevelSet& forces;
        LevelPanel* main;
        LevelPanel* abort;
    };
    for (Pass pass : {Pass{m_levels.FirstPassLevels, m_printReady, m_abortWork1},
                      Pass{m_levels.SecondPassLevels, m_printReady2, m_abortWork2}}) {
        for (int level = 4; level >= 1; --level) {
            pass.main->Slider(level)->setValue(pass.forces[level]);
            pass.abort->Slider(level)->setValue(pass.forces[level]);
        }
    }
    m_printReady->SetLowerLevelsEnabled(!m_printReady->GroupMode());
    m_printReady2->SetLowerLevelsEnabled(!m_printReady2->GroupMode());
    (m_levels.PortraitMode ? m_w.portrait : m_w.text)->setChecked(true);
}

void StrikeLevelPanels::SetUpAbortPanel(bool secondHalfShown) {
    const auto follow = [](const LevelPanel* main) {
        return main->GroupMode() ? LevelMode::Group : LevelMode::Individual;
    };
    m_abortWork1->ChooseMode(follow(m_printReady));
    m_abortWork2->ChooseMode(follow(m_printReady2));
    m_abortWork1->MoveSlidersToForces();
    if (secondHalfShown)
        m_abortWork2->MoveSlidersToForces();
}

void StrikeLevelPanels::ChooseQuality(bool high) {
    // RadioButton1 and RadioButton5 share one handling, RadioButton2 and RadioButton6 the
    // other; checking the mirror runs the same handling again, which then changes nothing.
    (high ? m_w.high : m_w.standard)->setChecked(true);
    (high ? m_w.highMirror : m_w.standardMirror)->setChecked(true);
    QualityItemTriggered(high);
    for (QRadioButton* button : {m_w.high, m_w.highMirror})
        ShowQualityColour(button, high);
    for (QRadioButton* button : {m_w.standard, m_w.standardMirror})
        ShowQualityColour(button, !high);
}

void StrikeLevelPanels::QualityItemTriggered(bool high) {
    m_levels.SetHighQuality(high);
    m_qual1->setChecked(high);
    m_qual2->setChecked(!high);
}

void StrikeLevelPanels::SecondWorkClicked(bool checked) {
    // Beside the first panel as wide as it is now, at its top.
    QWidget* first = m_frames.printReady;
    QWidget* second = m_frames.printReady2;
    second->move(first->x() + first->sizeHint().width() + PanelGap, first->y());
    m_levels.DoublePassPending = checked;
    ShowPanel(second, checked);
}

} // namespace zeb::app
