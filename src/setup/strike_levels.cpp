#include "setup/strike_levels.h"

#include <algorithm>

namespace zeb {

namespace {

const LevelPanelDesign PrintReadyDesign{
    {"TrackBar1", "TrackBar2", "TrackBar3", "TrackBar4"},
    {"Label8", "Label14", "Label15", "Label16"},
    {"Label10", "Label11", "Label12", "Label13"},
    "GroupRadBut",
    "IndRadBut",
    {1, 1, 1, 1},
    {3, 3, 1, 1},
    true,
    true,
};

// The second pass may leave level "32" out altogether, hence 0 as its lowest force.
const LevelPanelDesign PrintReady2Design{
    {"TrackBar5", "TrackBar6", "TrackBar7", "TrackBar8"},
    {"Label21", "Label27", "Label28", "Label29"},
    {"Label23", "Label24", "Label25", "Label26"},
    "GroupRadBut_2",
    "IndRadBut_2",
    {0, 1, 1, 1},
    {0, 3, 1, 1},
    true,
    true,
};

const LevelPanelDesign AbortWork1Design{
    {"TrackBar9", "TrackBar10", "TrackBar11", "TrackBar12"},
    {"Label38", "Label40", "Label42", "Label44"},
    {"Label36", "Label39", "Label41", "Label43"},
    "RadioButton3",
    "RadioButton4",
    {1, 1, 1, 1},
    {3, 3, 1, 1},
    false,
    false,
};

const LevelPanelDesign AbortWork2Design{
    {"TrackBar13", "TrackBar14", "TrackBar15", "TrackBar16"},
    {"Label49", "Label51", "Label53", "Label55"},
    {"Label48", "Label50", "Label52", "Label54"},
    "RadioButton7",
    "RadioButton8",
    {1, 1, 1, 1},
    {3, 3, 1, 1},
    false,
    false,
};

void AddPanel(StrikeLevelControls& controls, LevelPanel& panel) {
    const LevelPanelDesign& design = panel.Design();
    for (int level = 4; level >= 1; --level) {
        const size_t i = static_cast<size_t>(4 - level);
        controls.trackBars.emplace_back(QString::fromLatin1(design.sliders[i]),
                                        &panel.Slider(level));
        controls.labels.emplace_back(QString::fromLatin1(design.valueLabels[i]),
                                     &panel.ValueLabel(level));
        controls.labels.emplace_back(QString::fromLatin1(design.levelLabels[i]),
                                     &panel.LevelLabel(level));
    }
    controls.radioButtons.emplace_back(QString::fromLatin1(design.groupButton), &panel.Group);
    controls.radioButtons.emplace_back(QString::fromLatin1(design.individualButton),
                                       &panel.Individual);
}

} // namespace

StrikeLevels::StrikeLevels()
    : PrintReady(FirstPassLevels, PrintReadyDesign),
      PrintReady2(SecondPassLevels, PrintReady2Design),
      AbortWork1(FirstPassLevels, AbortWork1Design),
      AbortWork2(SecondPassLevels, AbortWork2Design) {
    RadioButton::MakeGroup({&RadioButton1, &RadioButton2});
    RadioButton::MakeGroup({&RadioButton5, &RadioButton6});
    RadioButton::MakeGroup({&RadioButton9, &RadioButton10});
    // The second-pass panel only shows the quality chosen on the first.
    RadioButton5.SetEnabled(false);
    RadioButton6.SetEnabled(false);

    for (RadioButton* high : {&RadioButton1, &RadioButton5})
        QObject::connect(high, &RadioButton::Clicked, [this] { ChooseQuality(true); });
    for (RadioButton* standard : {&RadioButton2, &RadioButton6})
        QObject::connect(standard, &RadioButton::Clicked, [this] { ChooseQuality(false); });
    QObject::connect(&RadioButton9, &RadioButton::Clicked, [this] { PortraitMode = false; });
    QObject::connect(&RadioButton10, &RadioButton::Clicked, [this] { PortraitMode = true; });
}

TrackBar& StrikeLevels::Slider(int number) {
    LevelPanel* panels[] = {&PrintReady, &PrintReady2, &AbortWork1, &AbortWork2};
    const int index = std::clamp(number, 1, 16) - 1;
    return panels[index / 4]->Slider(4 - index % 4);
}

const TrackBar& StrikeLevels::Slider(int number) const {
    const LevelPanel* panels[] = {&PrintReady, &PrintReady2, &AbortWork1, &AbortWork2};
    const int index = std::clamp(number, 1, 16) - 1;
    return panels[index / 4]->Slider(4 - index % 4);
}

StrikeLevelControls StrikeLevels::Controls() {
    StrikeLevelControls controls;
    for (LevelPanel* panel : {&PrintReady, &PrintReady2, &AbortWork1, &AbortWork2})
        AddPanel(controls, *panel);
    controls.radioButtons.insert(controls.radioButtons.end(),
                                 {{QStringLiteral("RadioButton1"), &RadioButton1},
                                  {QStringLiteral("RadioButton2"), &RadioButton2},
                                  {QStringLiteral("RadioButton5"), &RadioButton5},
                                  {QStringLiteral("RadioButton6"), &RadioButton6},
                                  {QStringLiteral("RadioButton9"), &RadioButton9},
                                  {QStringLiteral("RadioButton10"), &RadioButton10}});
    controls.checkBoxes = {{QStringLiteral("Qual1"), &Qual1},
                           {QStringLiteral("Qual2"), &Qual2},
                           {QStringLiteral("SecondWork"), &SecondWork}};
    controls.panels = {{QStringLiteral("PrintReadyPanel"), &PrintReadyPanel},
                       {QStringLiteral("PrintReadyPanel_2"), &PrintReadyPanel_2},
                       {QStringLiteral("AbortPanel"), &AbortPanel},
                       {QStringLiteral("AbortWork1Panel"), &AbortWork1Panel},
                       {QStringLiteral("AbortWork2Panel"), &AbortWork2Panel}};
    return controls;
}

void StrikeLevels::SyncLevelPanels() {
    // Pair by pair, each slider reading the held force at the moment it is set: a coupling
    // run by an earlier slider of the pass may have changed it.
    struct Pass {
        StrikeLevelSet& forces;
        LevelPanel& main;
        LevelPanel& abort;
    };
    for (Pass pass : {Pass{FirstPassLevels, PrintReady, AbortWork1},
                      Pass{SecondPassLevels, PrintReady2, AbortWork2}}) {
        for (int level = 4; level >= 1; --level) {
            pass.main.Slider(level).SetPosition(pass.forces[level]);
            pass.abort.Slider(level).SetPosition(pass.forces[level]);
        }
    }
    PrintReady.SetLowerLevelsEnabled(!PrintReady.Group.Checked());
    PrintReady2.SetLowerLevelsEnabled(!PrintReady2.Group.Checked());
    if (PortraitMode)
        RadioButton10.SetChecked(true);
    else
        RadioButton9.SetChecked(true);
}

void StrikeLevels::SetUpAbortPanel(bool secondHalfShown) {
    (PrintReady.Group.Checked() ? AbortWork1.Group : AbortWork1.Individual).SetChecked(true);
    (PrintReady2.Group.Checked() ? AbortWork2.Group : AbortWork2.Individual).SetChecked(true);
    for (int level = 4; level >= 1; --level)
        AbortWork1.Slider(level).SetPosition(FirstPassLevels[level]);
    if (!secondHalfShown)
        return;
    for (int level = 4; level >= 1; --level)
        AbortWork2.Slider(level).SetPosition(SecondPassLevels[level]);
}

void StrikeLevels::SecondWorkClick() {
    DoublePassPending = SecondWork.Checked();
    PrintReadyPanel_2.SetVisible(DoublePassPending);
}

void StrikeLevels::Qual1Click() {
    Qual1.SetChecked(true);
    Qual2.SetChecked(false);
}

void StrikeLevels::Qual2Click() {
    Qual1.SetChecked(false);
    Qual2.SetChecked(true);
}

void StrikeLevels::CancelClick(Operator& op) {
    PrintReadyPanel.SetVisible(false);
    PrintReadyPanel_2.SetVisible(false);
    op.UnlockUI();
}

void StrikeLevels::ChooseQuality(bool high) {
    // RadioButton1 and RadioButton5 share one handling, RadioButton2 and RadioButton6 the
    // other; checking the mirror runs the same handling again, which then changes nothing.
    (high ? RadioButton1 : RadioButton2).SetChecked(true);
    (high ? RadioButton5 : RadioButton6).SetChecked(true);
    if (high)
        Qual1Click();
    else
        Qual2Click();
    const TextColour chosen = TextColour::Red;
    const TextColour other = TextColour::Highlight;
    RadioButton1.SetColour(high ? chosen : other);
    RadioButton5.SetColour(high ? chosen : other);
    RadioButton2.SetColour(high ? other : chosen);
    RadioButton6.SetColour(high ? other : chosen);
}

} // namespace zeb
