#include "setup/strike_levels_panel.h"

#include <algorithm>

namespace zeb {

namespace {

quint8 AtLeastOne(int value) {
    return static_cast<quint8>(std::max(value, 1));
}

QString ForceText(int force) {
    return QStringLiteral("(%1)").arg(force);
}

const char* const LevelNames[4] = {"32", "24", "16", "8"};

} // namespace

StrikeLevelSet SliderCoupling(int p) {
    // Integer division rounding down; p is a slider position, never negative.
    StrikeLevelSet set;
    set[4] = static_cast<quint8>(p);
    set[3] = AtLeastOne(p - p / 3);
    set[2] = AtLeastOne(p - 2 * (p / 3));
    set[1] = AtLeastOne(p / 11);
    return set;
}

StrikeLevelSet ModeSwitchCoupling(int p) {
    // Division toward zero, as C++ does it: (3 - 10) / 2 is -3.
    StrikeLevelSet set;
    set[4] = static_cast<quint8>(p);
    set[3] = AtLeastOne(p - 2 - p / 7);
    set[2] = AtLeastOne((p - 10) / 2 + 3);
    set[1] = AtLeastOne((p - 10) / 2);
    return set;
}

LevelPanel::LevelPanel(StrikeLevelSet& forces, const LevelPanelDesign& design)
    : Group(design.groupByDefault), Individual(!design.groupByDefault), m_forces(forces),
      m_design(design) {
    RadioButton::MakeGroup({&Group, &Individual});
    for (size_t i = 0; i < 4; ++i) {
        m_sliders[i].SetRange(design.minimum[i], MaxForce);
        m_sliders[i].SetPosition(design.position[i]);
        m_valueLabels[i].SetText(ForceText(1));
        m_levelLabels[i].SetText(QString::fromLatin1(LevelNames[i]));
    }
    for (int level = 1; level <= 4; ++level) {
        QObject::connect(&Slider(level), &TrackBar::Changed,
                         [this, level](int position) { SliderChanged(level, position); });
    }
    QObject::connect(&Group, &RadioButton::Clicked, [this] { GroupClicked(); });
    QObject::connect(&Individual, &RadioButton::Clicked, [this] { IndividualClicked(); });
}

void LevelPanel::PutForce(int level, int value) {
    TrackBar& slider = Slider(level);
    slider.SetPosition(value);
    m_forces[level] = static_cast<quint8>(slider.Position());
    ShowForce(level);
}

void LevelPanel::SetLowerLevelsEnabled(bool enabled) {
    for (int level = 1; level <= 3; ++level) {
        Slider(level).SetEnabled(enabled);
        LevelLabel(level).SetEnabled(enabled);
        ValueLabel(level).SetEnabled(enabled);
    }
}

void LevelPanel::SliderChanged(int level, int position) {
    m_forces[level] = static_cast<quint8>(position);
    ShowForce(level);
    if (level == 4 && Group.Checked())
        PutDerived(SliderCoupling(position));
}

void LevelPanel::GroupClicked() {
    SetLowerLevelsEnabled(false);
    if (!m_design.mainPanel)
        return;
    m_forces[4] = static_cast<quint8>(Slider(4).Position());
    ShowForce(4);
    PutDerived(ModeSwitchCoupling(m_forces[4]));
}

void LevelPanel::IndividualClicked() {
    SetLowerLevelsEnabled(true);
}

void LevelPanel::PutDerived(const StrikeLevelSet& derived) {
    for (int level = 3; level >= 1; --level) {
        m_forces[level] = derived[level];
        Slider(level).SetPosition(derived[level]);
        // The slider clamps; the force held is what it shows.
        m_forces[level] = static_cast<quint8>(Slider(level).Position());
        ShowForce(level);
    }
}

void LevelPanel::ShowForce(int level) {
    ValueLabel(level).SetText(ForceText(m_forces[level]));
}

} // namespace zeb
