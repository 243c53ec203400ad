#include "setup/strike_levels_controls.h"
#include "setup/track_bar.h"

#include <gtest/gtest.h>

#include <QList>

namespace zeb {
namespace {

struct MoveCase {
    const char* what;
    int min, max, start, set;
    int expected;
    bool raised;
};

class TrackBarMove : public ::testing::TestWithParam<MoveCase> {};

TEST_P(TrackBarMove, ClampsAndRaisesOnlyARealChange) {
    const MoveCase c = GetParam();
    TrackBar bar(c.min, c.max, c.start);
    QList<int> seen;
    QObject::connect(&bar, &TrackBar::Changed, [&](int p) { seen << p; });
    bar.SetPosition(c.set);
    EXPECT_EQ(bar.Position(), c.expected);
    EXPECT_EQ(seen, c.raised ? QList<int>{c.expected} : QList<int>{});
}

INSTANTIATE_TEST_SUITE_P(Cases, TrackBarMove,
                         ::testing::Values(MoveCase{"Move", 1, 200, 3, 14, 14, true},
                                           MoveCase{"SamePlace", 1, 200, 3, 3, 3, false},
                                           MoveCase{"BelowRange", 1, 200, 3, 0, 1, true},
                                           MoveCase{"ClampedOntoItself", 1, 200, 1, 0, 1, false},
                                           MoveCase{"AboveRange", 1, 200, 3, 255, 200, true},
                                           MoveCase{"ZeroAllowed", 0, 200, 0, 0, 0, false},
                                           MoveCase{"NegativeToZero", 0, 200, 3, -7, 0, true}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(TrackBar, NarrowerRangeMovesThePositionAndSaysSo) {
    TrackBar bar(0, 200, 150);
    QList<int> seen;
    QObject::connect(&bar, &TrackBar::Changed, [&](int p) { seen << p; });
    bar.SetRange(0, 100);
    EXPECT_EQ(bar.Position(), 100);
    EXPECT_EQ(seen, QList<int>{100});
    bar.SetRange(0, 120);
    EXPECT_EQ(seen, QList<int>{100});
}

TEST(RadioButton, CheckingUnchecksTheGroupAndClicksOnce) {
    RadioButton group(true);
    RadioButton individual;
    RadioButton::MakeGroup({&group, &individual});
    int groupClicks = 0;
    int individualClicks = 0;
    QObject::connect(&group, &RadioButton::Clicked, [&] { ++groupClicks; });
    QObject::connect(&individual, &RadioButton::Clicked, [&] { ++individualClicks; });

    individual.Click();
    EXPECT_TRUE(individual.Checked());
    EXPECT_FALSE(group.Checked());
    EXPECT_EQ(individualClicks, 1);
    EXPECT_EQ(groupClicks, 0); // being unchecked is no click

    individual.Click(); // already checked: nothing
    EXPECT_EQ(individualClicks, 1);

    group.SetChecked(true);
    EXPECT_TRUE(group.Checked());
    EXPECT_FALSE(individual.Checked());
    EXPECT_EQ(groupClicks, 1);
}

} // namespace
} // namespace zeb
