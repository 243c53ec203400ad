#include "app/level_panel.h"

#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

namespace zeb::app {

namespace {

QString ForceText(int force) {
    return QStringLiteral("(%1)").arg(force);
}

} // namespace

LevelPanel::LevelPanel(const Widgets& widgets, StrikeLevelSet& forces, LevelMode* passMode,
                       QObject* parent)
    : QObject(parent), m_w(widgets), m_forces(forces), m_passMode(passMode) {
    for (int level = 1; level <= 4; ++level) {
        connect(Slider(level), &QSlider::valueChanged, this,
                [this, level](int position) { SliderChanged(level, position); });
    }
    // Only a button that becomes checked acts: clicking the checked one changes nothing.
    connect(m_w.group, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            GroupChecked();
    });
    connect(m_w.individual, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            IndividualChecked();
    });
}

bool LevelPanel::GroupMode() const {
    return m_w.group->isChecked();
}

void LevelPanel::ChooseMode(LevelMode mode) {
    (mode == LevelMode::Group ? m_w.group : m_w.individual)->setChecked(true);
}

void LevelPanel::MoveSlidersToForces() {
    for (int level = 4; level >= 1; --level)
        Slider(level)->setValue(m_forces[level]);
}

void LevelPanel::ShowHeld() {
    if (m_passMode) {
        QRadioButton* button = *m_passMode == LevelMode::Group ? m_w.group : m_w.individual;
        const QSignalBlocker quiet(button);
        button->setChecked(true);
    }
    for (int level = 1; level <= 4; ++level) {
        const QSignalBlocker quiet(Slider(level));
        Slider(level)->setValue(m_forces[level]);
        ShowForce(level);
    }
}

void LevelPanel::SetLowerLevelsEnabled(bool enabled) {
    for (int level = 1; level <= 3; ++level) {
        Slider(level)->setEnabled(enabled);
        m_w.names[Index(level)]->setEnabled(enabled);
        m_w.values[Index(level)]->setEnabled(enabled);
    }
}

void LevelPanel::SliderChanged(int level, int position) {
    m_forces[level] = static_cast<quint8>(position);
    ShowForce(level);
    if (level == 4 && GroupMode())
        PutDerived(SliderCoupling(position));
}

void LevelPanel::GroupChecked() {
    SetLowerLevelsEnabled(false);
    if (!m_passMode)
        return;
    *m_passMode = LevelMode::Group;
    m_forces[4] = static_cast<quint8>(Slider(4)->value());
    ShowForce(4);
    PutDerived(ModeSwitchCoupling(m_forces[4]));
}

void LevelPanel::IndividualChecked() {
    SetLowerLevelsEnabled(true);
    if (m_passMode)
        *m_passMode = LevelMode::Individual;
}

void LevelPanel::PutDerived(const StrikeLevelSet& derived) {
    for (int level = 3; level >= 1; --level) {
        m_forces[level] = derived[level];
        Slider(level)->setValue(derived[level]);
        // The slider clamps; the force held is what it shows.
        m_forces[level] = static_cast<quint8>(Slider(level)->value());
        ShowForce(level);
    }
}

void LevelPanel::ShowForce(int level) {
    m_w.values[Index(level)]->setText(ForceText(m_forces[level]));
}

} // namespace zeb::app
