// The strike levels in the core: the couplings, the modes, the interrupted-job panel, the
// panels synchronised from the forces. The panels' examples run
// through the real window in the GUI tests.
#include "setup/strike_levels.h"
#include "strike_levels_helpers.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

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

TEST(StrikeLevels, GroupModeSliderDerivesTheLowerLevelsIndividualSetsItsOwn) {
    StrikeLevels levels; // GroupRadBut checked by design
    levels.Slider(1).SetPosition(200);
    EXPECT_EQ(Sliders(levels, 1), Forces(200, 134, 68, 18));
    EXPECT_EQ(levels.PrintReady.ValueLabel(1).Text(), "(18)");
    EXPECT_EQ(levels.SecondPassLevels, Forces(0, 0, 0, 0)); // the other pass untouched
    levels.PrintReady.Individual.Click();
    levels.Slider(1).SetPosition(120);
    levels.Slider(3).SetPosition(40);
    EXPECT_EQ(levels.FirstPassLevels, Forces(120, 134, 40, 18));
}

TEST(StrikeLevels, InterruptedJobGroupButtonOnlyDisablesItsSliderThenDrivesTheLowerLevels) {
    StrikeLevels levels;
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
    levels.SecondPassLevels = Forces(0, 7, 6, 5);
    levels.PrintReady2.Individual.Click();
    levels.PrintReady2.Slider(3).SetEnabled(false); // whatever the panel showed before
    levels.PortraitMode = false;
    levels.SyncLevelPanels();
    EXPECT_EQ(Sliders(levels, 5), Forces(0, 7, 6, 5));
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

} // namespace
} // namespace zeb
