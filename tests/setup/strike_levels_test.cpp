// The strike levels in the core: the couplings, the four panels' modes, the interrupted-job
// panel, quality, picture kind, double pass and the strike-force dialog.
#include "common/recording_operator.h"
#include "setup/strike_levels.h"
#include "setup/strike_levels_force_dialog.h"
#include "strike_levels_helpers.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

// The value labels of a panel, level "32" first.
QString Labels(const LevelPanel& p) {
    return QStringList{p.ValueLabel(4).Text(), p.ValueLabel(3).Text(), p.ValueLabel(2).Text(),
                       p.ValueLabel(1).Text()}
        .join(' ');
}

// TrackBar n .. n + 3, as the forces are written.
StrikeLevelSet Sliders(const StrikeLevels& levels, int n) {
    return Forces(levels.Slider(n).Position(), levels.Slider(n + 1).Position(),
                  levels.Slider(n + 2).Position(), levels.Slider(n + 3).Position());
}

// The lower three levels' sliders and labels: all enabled, all disabled, or a mix.
enum class Lower { Enabled, Disabled, Mixed };
Lower LowerLevels(const LevelPanel& p) {
    int enabled = 0;
    for (int level = 1; level <= 3; ++level)
        enabled += p.Slider(level).Enabled() + p.ValueLabel(level).Enabled() +
                   p.LevelLabel(level).Enabled();
    return enabled == 9 ? Lower::Enabled : enabled == 0 ? Lower::Disabled : Lower::Mixed;
}

TEST(StrikeLevels, CouplingsDeriveTheLowerLevels) {
    const std::tuple<int, StrikeLevelSet, StrikeLevelSet> cases[] = {
        // p, SliderCoupling, ModeSwitchCoupling
        {0, Forces(0, 1, 1, 1), Forces(0, 1, 1, 1)},
        {3, Forces(3, 2, 1, 1), Forces(3, 1, 1, 1)},
        {14, Forces(14, 10, 6, 1), Forces(14, 10, 5, 2)},
        {100, Forces(100, 67, 34, 9), Forces(100, 84, 48, 45)},
        {200, Forces(200, 134, 68, 18), Forces(200, 170, 98, 95)},
    };
    for (const auto& [p, slider, modeSwitch] : cases) {
        EXPECT_EQ(SliderCoupling(p), slider) << p;
        EXPECT_EQ(ModeSwitchCoupling(p), modeSwitch) << p;
    }
}

TEST(StrikeLevels, SixteenSlidersHaveTheirRangesAndFormDefaults) {
    StrikeLevels levels;
    const int minimum[] = {1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    const int position[] = {3, 3, 1, 1, 0, 3, 1, 1, 3, 3, 1, 1, 3, 3, 1, 1};
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(levels.Slider(n).Min(), minimum[n - 1]) << "TrackBar" << n;
        EXPECT_EQ(levels.Slider(n).Max(), 200) << "TrackBar" << n;
        EXPECT_EQ(levels.Slider(n).Position(), position[n - 1]) << "TrackBar" << n;
    }
    for (const LevelPanel* panel :
         {&levels.PrintReady, &levels.PrintReady2, &levels.AbortWork1, &levels.AbortWork2})
        EXPECT_EQ(Labels(*panel), "(1) (1) (1) (1)");
    EXPECT_EQ(levels.FirstPassLevels, Forces(0, 0, 0, 0));
}

TEST(StrikeLevels, GroupModeSliderDerivesTheLowerLevelsIndividualSetsItsOwn) {
    StrikeLevels levels; // GroupRadBut checked by design, TrackBar1 at 3
    levels.Slider(1).SetPosition(1);
    levels.Slider(1).SetPosition(3);
    EXPECT_EQ(levels.FirstPassLevels, Forces(3, 2, 1, 1));
    EXPECT_EQ(Labels(levels.PrintReady), "(3) (2) (1) (1)");
    levels.Slider(1).SetPosition(200);
    EXPECT_EQ(levels.FirstPassLevels, Forces(200, 134, 68, 18));
    EXPECT_EQ(Sliders(levels, 1), Forces(200, 134, 68, 18));
    EXPECT_EQ(Labels(levels.PrintReady), "(200) (134) (68) (18)");
    EXPECT_EQ(levels.SecondPassLevels, Forces(0, 0, 0, 0)); // the other pass untouched

    levels.PrintReady.Individual.Click();
    levels.Slider(1).SetPosition(120);
    levels.Slider(3).SetPosition(40);
    EXPECT_EQ(levels.FirstPassLevels, Forces(120, 134, 40, 18));
}

TEST(StrikeLevels, SwitchingToGroupAppliesTheModeSwitchRuleOnce) {
    const std::pair<int, StrikeLevelSet> cases[] = {{14, Forces(14, 10, 5, 2)},
                                                    {3, Forces(3, 1, 1, 1)}};
    for (const auto& [p, expected] : cases) {
        StrikeLevels levels;
        levels.PrintReady.Individual.Click();
        levels.Slider(1).SetPosition(p);
        levels.PrintReady.Group.Click();
        EXPECT_EQ(levels.FirstPassLevels, expected) << "p = " << p;
        EXPECT_EQ(Sliders(levels, 1), expected);
        EXPECT_EQ(levels.PrintReady.ValueLabel(1).Text(), QStringLiteral("(%1)").arg(expected[1]));
        EXPECT_EQ(LowerLevels(levels.PrintReady), Lower::Disabled);
        EXPECT_TRUE(levels.Slider(1).Enabled());
    }
    // Back to individual: enabled again, the forces kept.
    StrikeLevels levels;
    levels.PrintReady2.Individual.Click();
    levels.Slider(5).SetPosition(100);
    levels.PrintReady2.Group.Click();
    levels.PrintReady2.Individual.Click();
    EXPECT_EQ(levels.SecondPassLevels, Forces(100, 84, 48, 45));
    EXPECT_EQ(LowerLevels(levels.PrintReady2), Lower::Enabled);
    // The second pass's level "32" may be 0.
    levels.PrintReady2.Group.Click();
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

TEST(StrikeLevels, InterruptedJobSlidersChangeTheForcesAtOnceItsGroupButtonOnlyDisables) {
    StrikeLevels levels;
    levels.PrintReady.Individual.Click();
    levels.FirstPassLevels = Forces(20, 15, 10, 5);
    levels.SyncLevelPanels();
    levels.Slider(9).SetPosition(60); // RadioButton4 (individual) checked by design
    EXPECT_EQ(levels.FirstPassLevels, Forces(60, 15, 10, 5));
    EXPECT_EQ(levels.Slider(1).Position(), 20); // the properties panel shows it later
    levels.SyncLevelPanels();
    EXPECT_EQ(levels.Slider(1).Position(), 60);

    levels.FirstPassLevels = Forces(100, 20, 10, 5);
    levels.AbortWork1.Group.Click();
    EXPECT_EQ(levels.FirstPassLevels, Forces(100, 20, 10, 5));
    EXPECT_EQ(LowerLevels(levels.AbortWork1), Lower::Disabled);
    levels.AbortWork1.Individual.Click();
    EXPECT_EQ(LowerLevels(levels.AbortWork1), Lower::Enabled);
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
    EXPECT_EQ(Sliders(levels, 1), Forces(50, 40, 30, 20));
    EXPECT_EQ(Sliders(levels, 5), Forces(0, 7, 6, 5));
    EXPECT_EQ(Sliders(levels, 9), Forces(50, 40, 30, 20));
    EXPECT_EQ(levels.FirstPassLevels, Forces(50, 40, 30, 20));
    EXPECT_EQ(LowerLevels(levels.PrintReady2), Lower::Enabled);
    EXPECT_TRUE(levels.RadioButton9.Checked());
    EXPECT_FALSE(levels.RadioButton10.Checked());

    // Forces set behind the sliders' back in group mode, as a recovery does: the level-"32"
    // slider moves first and re-derives the lower levels, which the lower sliders then take.
    StrikeLevels group;
    group.FirstPassLevels = Forces(100, 84, 48, 45);
    group.SyncLevelPanels();
    EXPECT_EQ(group.FirstPassLevels, Forces(100, 67, 34, 9));
    EXPECT_FALSE(group.Slider(2).Enabled());
    EXPECT_EQ(group.Slider(10).Position(), 67);
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
    EXPECT_EQ(Sliders(levels, 13), Forces(40, 30, 20, 10));
    EXPECT_EQ(levels.SecondPassLevels, Forces(40, 30, 20, 10));
}

TEST(StrikeLevels, QualityButtonsMirrorEachOtherAndTheMenuMarks) {
    StrikeLevels levels;
    EXPECT_TRUE(levels.Qual2.Checked());
    EXPECT_FALSE(levels.HighQuality());
    levels.RadioButton1.Click();
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

TEST(StrikeLevels, PictureKindDoublePassAndCancel) {
    StrikeLevels levels;
    levels.RadioButton9.Click();
    EXPECT_FALSE(levels.PortraitMode);
    levels.RadioButton10.Click();
    EXPECT_TRUE(levels.PortraitMode);
    for (bool checked : {true, false}) {
        levels.SecondWork.SetChecked(checked);
        levels.SecondWorkClick();
        EXPECT_EQ(levels.DoublePassPending, checked);
        EXPECT_EQ(levels.PrintReadyPanel_2.Visible(), checked);
    }
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
