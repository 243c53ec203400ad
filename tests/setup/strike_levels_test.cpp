// The strike levels in the core: the two group rules and the forces a pass takes from the
// settings file's lines as the panel takes them. Forces chosen one by one: the CLI's
// settings tests. What the panels do with them runs through the real window in the GUI tests.
#include "setup/strike_levels.h"
#include "strike_levels_helpers.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

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

TEST(StrikeLevels, ForcesAsLoadedClampEachLineAndKeepThePanelsLevelWhereALineGivesNone) {
    const std::optional<int> none;
    const struct {
        int pass;
        LevelMode mode;
        std::array<std::optional<int>, 4> lines; // level "32" first
        StrikeLevelSet forces;
    } cases[] = {
        {1, LevelMode::Group, {14, 10, 5, 2}, Forces(14, 10, 5, 2)},
        {1, LevelMode::Group, {0, 250, 0, 255}, Forces(1, 200, 1, 200)},
        {1, LevelMode::Individual, {none, none, none, none}, Forces(3, 3, 1, 1)},
        // A level "32" that changes derives the lower levels the lines then leave alone.
        {1, LevelMode::Group, {100, none, none, 7}, Forces(100, 67, 34, 7)},
        {1, LevelMode::Group, {3, none, none, none}, Forces(3, 3, 1, 1)},
        {1, LevelMode::Individual, {100, none, none, none}, Forces(100, 3, 1, 1)},
        // The second pass's level "32" may be 0, where it starts.
        {2, LevelMode::Group, {0, none, 0, none}, Forces(0, 3, 1, 1)},
        {2, LevelMode::Group, {1, none, none, none}, Forces(1, 1, 1, 1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.forces));
        EXPECT_EQ(ForcesAsLoaded(c.pass, c.mode, c.lines), c.forces);
    }
}

} // namespace
} // namespace zeb
