#include "common/recording_operator.h"
#include "setup/strike_levels.h"
#include "setup/strike_levels_force_dialog.h"
#include "strike_levels_helpers.h"

#include <gtest/gtest.h>

#include <QSet>

namespace zeb {
namespace {

struct CouplingCase {
    int p;
    StrikeLevelSet slider;     // SliderCoupling
    StrikeLevelSet modeSwitch; // ModeSwitchCoupling
};

class Coupling : public ::testing::TestWithParam<CouplingCase> {};

TEST_P(Coupling, DerivesTheLowerLevels) {
    const CouplingCase c = GetParam();
    EXPECT_EQ(SliderCoupling(c.p), c.slider);
    EXPECT_EQ(ModeSwitchCoupling(c.p), c.modeSwitch);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Coupling,
    ::testing::Values(CouplingCase{0, Forces(0, 1, 1, 1), Forces(0, 1, 1, 1)},
                      CouplingCase{3, Forces(3, 2, 1, 1), Forces(3, 1, 1, 1)},
                      CouplingCase{14, Forces(14, 10, 6, 1), Forces(14, 10, 5, 2)},
                      CouplingCase{100, Forces(100, 67, 34, 9), Forces(100, 84, 48, 45)},
                      CouplingCase{200, Forces(200, 134, 68, 18), Forces(200, 170, 98, 95)}),
    [](const auto& info) { return "P" + std::to_string(info.param.p); });

struct SliderDesign {
    int number;
    const char* name;
    const char* valueLabel;
    int min;
    int position;
};

TEST(StrikeLevels, SixteenSlidersHaveTheirNamesRangesAndFormDefaults) {
    const SliderDesign table[] = {
        {1, "TrackBar1", "Label8", 1, 3},    {2, "TrackBar2", "Label14", 1, 3},
        {3, "TrackBar3", "Label15", 1, 1},   {4, "TrackBar4", "Label16", 1, 1},
        {5, "TrackBar5", "Label21", 0, 0},   {6, "TrackBar6", "Label27", 1, 3},
        {7, "TrackBar7", "Label28", 1, 1},   {8, "TrackBar8", "Label29", 1, 1},
        {9, "TrackBar9", "Label38", 1, 3},   {10, "TrackBar10", "Label40", 1, 3},
        {11, "TrackBar11", "Label42", 1, 1}, {12, "TrackBar12", "Label44", 1, 1},
        {13, "TrackBar13", "Label49", 1, 3}, {14, "TrackBar14", "Label51", 1, 3},
        {15, "TrackBar15", "Label53", 1, 1}, {16, "TrackBar16", "Label55", 1, 1},
    };
    StrikeLevels levels;
    const StrikeLevelControls controls = levels.Controls();
    for (const SliderDesign& d : table) {
        SCOPED_TRACE(d.name);
        TrackBar* bound = nullptr;
        for (const auto& [name, model] : controls.trackBars) {
            if (name == QLatin1String(d.name))
                bound = model;
        }
        ASSERT_EQ(bound, &levels.Slider(d.number));
        EXPECT_EQ(bound->Min(), d.min);
        EXPECT_EQ(bound->Max(), 200);
        EXPECT_EQ(bound->Position(), d.position);
        for (const auto& [name, label] : controls.labels) {
            if (name == QLatin1String(d.valueLabel)) {
                EXPECT_EQ(label->Text(), QStringLiteral("(1)"));
            }
        }
    }
    EXPECT_EQ(levels.FirstPassLevels, Forces(0, 0, 0, 0));
}

TEST(StrikeLevels, EveryComponentNameIsBoundOnce) {
    StrikeLevels levels;
    const StrikeLevelControls c = levels.Controls();
    QSet<QString> names;
    int count = 0;
    auto add = [&](const auto& list) {
        for (const auto& entry : list) {
            names.insert(entry.first);
            ++count;
        }
    };
    add(c.trackBars);
    add(c.labels);
    add(c.radioButtons);
    add(c.checkBoxes);
    add(c.panels);
    EXPECT_EQ(names.size(), count);
    // 16 sliders, 32 labels, 8 mode + 6 other radios, 3 check boxes, 5 panels.
    EXPECT_EQ(count, 16 + 32 + 14 + 3 + 5);
}

TEST(StrikeLevels, GroupModeSliderDerivesTheLowerLevelsAndLabels) {
    StrikeLevels levels; // GroupRadBut checked by design, TrackBar1 at 3
    levels.Slider(1).SetPosition(1);
    levels.Slider(1).SetPosition(3);
    EXPECT_EQ(levels.FirstPassLevels, Forces(3, 2, 1, 1));
    EXPECT_EQ(levels.PrintReady.ValueLabel(4).Text(), QStringLiteral("(3)"));
    EXPECT_EQ(levels.PrintReady.ValueLabel(3).Text(), QStringLiteral("(2)"));
    EXPECT_EQ(levels.PrintReady.ValueLabel(2).Text(), QStringLiteral("(1)"));
    EXPECT_EQ(levels.PrintReady.ValueLabel(1).Text(), QStringLiteral("(1)"));
    EXPECT_EQ(levels.Slider(2).Position(), 2);

    levels.Slider(1).SetPosition(200);
    EXPECT_EQ(levels.FirstPassLevels, Forces(200, 134, 68, 18));
    EXPECT_EQ(levels.Slider(2).Position(), 134);
    EXPECT_EQ(levels.Slider(3).Position(), 68);
    EXPECT_EQ(levels.Slider(4).Position(), 18);
    EXPECT_EQ(levels.PrintReady.ValueLabel(1).Text(), QStringLiteral("(18)"));
    EXPECT_EQ(levels.SecondPassLevels, Forces(0, 0, 0, 0)); // the other pass untouched
}

TEST(StrikeLevels, IndividualModeSliderSetsOnlyItsOwnLevel) {
    StrikeLevels levels;
    levels.PrintReady.Individual.Click();
    levels.Slider(1).SetPosition(120);
    levels.Slider(3).SetPosition(40);
    EXPECT_EQ(levels.FirstPassLevels, Forces(120, 0, 40, 0));
}

TEST(StrikeLevels, SwitchingToGroupAppliesTheModeSwitchRule) {
    struct {
        int p;
        StrikeLevelSet expected;
    } cases[] = {{14, Forces(14, 10, 5, 2)}, {3, Forces(3, 1, 1, 1)}};
    for (const auto& c : cases) {
        StrikeLevels levels;
        levels.PrintReady.Individual.Click();
        levels.Slider(1).SetPosition(c.p);
        levels.PrintReady.Group.Click();
        EXPECT_EQ(levels.FirstPassLevels, c.expected) << "p = " << c.p;
        EXPECT_EQ(levels.Slider(2).Position(), c.expected[3]);
        EXPECT_EQ(levels.PrintReady.ValueLabel(1).Text(),
                  QStringLiteral("(%1)").arg(c.expected[1]));
        for (int level = 1; level <= 3; ++level) {
            EXPECT_FALSE(levels.PrintReady.Slider(level).Enabled());
            EXPECT_FALSE(levels.PrintReady.ValueLabel(level).Enabled());
            EXPECT_FALSE(levels.PrintReady.LevelLabel(level).Enabled());
        }
        EXPECT_TRUE(levels.Slider(1).Enabled());
    }
}

TEST(StrikeLevels, IndividualClickEnablesWithoutTouchingForces) {
    StrikeLevels levels;
    levels.PrintReady2.Individual.Click();
    levels.Slider(5).SetPosition(100);
    levels.PrintReady2.Group.Click();
    ASSERT_EQ(levels.SecondPassLevels, Forces(100, 84, 48, 45));
    levels.PrintReady2.Individual.Click();
    EXPECT_EQ(levels.SecondPassLevels, Forces(100, 84, 48, 45));
    for (int level = 1; level <= 3; ++level) {
        EXPECT_TRUE(levels.PrintReady2.Slider(level).Enabled());
        EXPECT_TRUE(levels.PrintReady2.ValueLabel(level).Enabled());
        EXPECT_TRUE(levels.PrintReady2.LevelLabel(level).Enabled());
    }
}

TEST(StrikeLevels, SecondPassLevel32CanBeZero) {
    StrikeLevels levels; // GroupRadBut_2 checked by design
    levels.Slider(5).SetPosition(50);
    levels.Slider(5).SetPosition(0);
    EXPECT_EQ(levels.SecondPassLevels, Forces(0, 1, 1, 1));
    EXPECT_EQ(levels.PrintReady2.ValueLabel(4).Text(), QStringLiteral("(0)"));
}

TEST(StrikeLevels, AlreadyCheckedGroupButtonDoesNothing) {
    StrikeLevels levels;
    levels.Slider(1).SetPosition(14); // slider rule: 14, 10, 6, 1
    levels.Slider(3).SetEnabled(true);
    levels.PrintReady.Group.Click(); // the mode-switch rule would give 14, 10, 5, 2
    EXPECT_EQ(levels.FirstPassLevels, Forces(14, 10, 6, 1));
    EXPECT_TRUE(levels.Slider(3).Enabled());
}

TEST(StrikeLevels, InterruptedJobSliderChangesForcesAtOnce) {
    StrikeLevels levels;
    levels.PrintReady.Individual.Click();
    levels.FirstPassLevels = Forces(20, 15, 10, 5);
    levels.SyncLevelPanels();
    levels.Slider(9).SetPosition(60); // RadioButton4 (individual) checked by design
    EXPECT_EQ(levels.FirstPassLevels, Forces(60, 15, 10, 5));
    EXPECT_EQ(levels.Slider(1).Position(), 20); // the properties panel shows it later
    levels.SyncLevelPanels();
    EXPECT_EQ(levels.Slider(1).Position(), 60);
}

TEST(StrikeLevels, InterruptedJobGroupButtonOnlyDisables) {
    StrikeLevels levels;
    levels.FirstPassLevels = Forces(100, 20, 10, 5);
    levels.AbortWork1.Group.Click();
    EXPECT_EQ(levels.FirstPassLevels, Forces(100, 20, 10, 5));
    for (int level = 1; level <= 3; ++level) {
        EXPECT_FALSE(levels.AbortWork1.Slider(level).Enabled());
        EXPECT_FALSE(levels.AbortWork1.ValueLabel(level).Enabled());
        EXPECT_FALSE(levels.AbortWork1.LevelLabel(level).Enabled());
    }
    levels.AbortWork1.Individual.Click();
    EXPECT_TRUE(levels.Slider(10).Enabled());
    // In group mode its level-"32" slider drives the lower levels of the first pass.
    levels.AbortWork1.Group.Click();
    levels.Slider(9).SetPosition(14);
    EXPECT_EQ(levels.FirstPassLevels, Forces(14, 10, 6, 1));
    EXPECT_EQ(levels.Slider(10).Position(), 10);
}

TEST(StrikeLevels, SyncSetsSlidersModesAndPictureKind) {
    StrikeLevels levels;
    levels.PrintReady.Individual.Click();
    levels.FirstPassLevels = Forces(50, 40, 30, 20);
    levels.SecondPassLevels = Forces(0, 7, 6, 5);
    levels.PrintReady2.Individual.Click();
    levels.PrintReady2.Slider(3).SetEnabled(false); // whatever the panel showed before
    levels.PortraitMode = false;
    levels.SyncLevelPanels();
    const int expected[] = {50, 40, 30, 20, 0, 7, 6, 5, 50, 40, 30, 20};
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(levels.Slider(n).Position(), expected[n - 1]) << "TrackBar" << n;
    EXPECT_EQ(levels.FirstPassLevels, Forces(50, 40, 30, 20));
    EXPECT_TRUE(levels.PrintReady2.Slider(3).Enabled());
    EXPECT_TRUE(levels.RadioButton9.Checked());
    EXPECT_FALSE(levels.RadioButton10.Checked());
    EXPECT_FALSE(levels.PortraitMode);
}

TEST(StrikeLevels, SyncInGroupModeRederivesFromAMovedLevel32Slider) {
    // Forces set behind the sliders' back, as a recovery does: the level-"32" slider moves
    // first, re-derives the lower levels, and those are what the lower sliders then take.
    StrikeLevels levels;
    levels.FirstPassLevels = Forces(100, 84, 48, 45);
    levels.SyncLevelPanels();
    EXPECT_EQ(levels.FirstPassLevels, Forces(100, 67, 34, 9));
    EXPECT_FALSE(levels.Slider(2).Enabled());
    EXPECT_EQ(levels.Slider(10).Position(), 67);
}

TEST(StrikeLevels, AbortPanelSetUpFollowsModesAndForces) {
    StrikeLevels levels;
    levels.PrintReady2.Individual.Click();
    levels.FirstPassLevels = Forces(30, 20, 10, 5);
    levels.SecondPassLevels = Forces(40, 30, 20, 10);

    levels.SetUpAbortPanel(false);
    EXPECT_TRUE(levels.AbortWork1.Group.Checked());
    EXPECT_TRUE(levels.AbortWork2.Individual.Checked());
    EXPECT_FALSE(levels.Slider(10).Enabled());
    // TrackBar9 moved in group mode, so the lower levels follow the slider rule.
    EXPECT_EQ(levels.FirstPassLevels, Forces(30, 20, 10, 2));
    EXPECT_EQ(levels.Slider(12).Position(), 2);
    EXPECT_EQ(levels.Slider(13).Position(), 3); // second half not shown: left alone

    levels.SetUpAbortPanel(true);
    const int expected[] = {40, 30, 20, 10};
    for (int n = 13; n <= 16; ++n)
        EXPECT_EQ(levels.Slider(n).Position(), expected[n - 13]) << "TrackBar" << n;
    EXPECT_EQ(levels.SecondPassLevels, Forces(40, 30, 20, 10));
}

TEST(StrikeLevels, QualityButtonsMirrorEachOtherAndTheMenuMarks) {
    StrikeLevels levels;
    EXPECT_TRUE(levels.RadioButton2.Checked());
    EXPECT_TRUE(levels.Qual2.Checked());
    EXPECT_FALSE(levels.HighQuality());

    levels.RadioButton1.Click();
    EXPECT_TRUE(levels.RadioButton1.Checked());
    EXPECT_TRUE(levels.RadioButton5.Checked());
    EXPECT_FALSE(levels.RadioButton2.Checked());
    EXPECT_FALSE(levels.RadioButton6.Checked());
    EXPECT_TRUE(levels.HighQuality());
    EXPECT_FALSE(levels.Qual2.Checked());
    EXPECT_EQ(levels.RadioButton1.Colour(), TextColour::Red);
    EXPECT_EQ(levels.RadioButton2.Colour(), TextColour::Highlight);

    levels.RadioButton6.Click();
    EXPECT_TRUE(levels.RadioButton2.Checked());
    EXPECT_FALSE(levels.RadioButton5.Checked());
    EXPECT_TRUE(levels.Qual2.Checked());
    EXPECT_EQ(levels.RadioButton6.Colour(), TextColour::Red);
    EXPECT_EQ(levels.RadioButton5.Colour(), TextColour::Highlight);

    levels.Qual1Click(); // the menu item sets its own pair only
    EXPECT_TRUE(levels.HighQuality());
    EXPECT_TRUE(levels.RadioButton2.Checked());
}

TEST(StrikeLevels, PictureKindButtonsSetPortraitMode) {
    StrikeLevels levels;
    ASSERT_TRUE(levels.PortraitMode);
    levels.RadioButton9.Click();
    EXPECT_FALSE(levels.PortraitMode);
    EXPECT_FALSE(levels.RadioButton10.Checked());
    levels.RadioButton10.Click();
    EXPECT_TRUE(levels.PortraitMode);
}

TEST(StrikeLevels, DoublePassBoxShowsTheSecondPanel) {
    StrikeLevels levels;
    levels.SecondWork.SetChecked(true);
    levels.SecondWorkClick();
    EXPECT_TRUE(levels.DoublePassPending);
    EXPECT_TRUE(levels.PrintReadyPanel_2.Visible());
    levels.SecondWork.SetChecked(false);
    levels.SecondWorkClick();
    EXPECT_FALSE(levels.DoublePassPending);
    EXPECT_FALSE(levels.PrintReadyPanel_2.Visible());
}

TEST(StrikeLevels, CancelHidesBothPanelsAndUnlocks) {
    StrikeLevels levels;
    testing::RecordingOperator op;
    levels.PrintReadyPanel.SetVisible(true);
    levels.PrintReadyPanel_2.SetVisible(true);
    levels.CancelClick(op);
    EXPECT_FALSE(levels.PrintReadyPanel.Visible());
    EXPECT_FALSE(levels.PrintReadyPanel_2.Visible());
    EXPECT_EQ(op.events, QStringList{QStringLiteral("unlock")});
}

TEST(StrikeForceDialog, SliderTakesAndSetsTheSingleForce) {
    StrikeForceDialog dialog;
    EXPECT_EQ(dialog.KnockChange.Position(), 5);
    dialog.PrepareToShow();
    EXPECT_EQ(dialog.KnockChange.Position(), 0);
    dialog.KnockChange.SetPosition(8);
    EXPECT_EQ(dialog.SingleStrikeForce, 8);
    dialog.KnockChange.SetPosition(30);
    EXPECT_EQ(dialog.SingleStrikeForce, 10);
}

} // namespace
} // namespace zeb
