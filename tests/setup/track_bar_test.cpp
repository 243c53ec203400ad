// The slider model the strike-level panels are built on.
#include "setup/track_bar.h"

#include <gtest/gtest.h>

#include <QList>

namespace zeb {
namespace {

TEST(TrackBar, ClampsAndRaisesOnlyARealChange) {
    struct Case {
        int min, max, start, set, expected;
        bool raised;
    };
    const Case cases[] = {
        {1, 200, 3, 14, 14, true},   {1, 200, 3, 3, 3, false}, // same place
        {1, 200, 3, 0, 1, true},     {1, 200, 1, 0, 1, false}, // clamped onto itself
        {1, 200, 3, 255, 200, true}, {0, 200, 3, -7, 0, true}, // zero allowed
    };
    for (const Case& c : cases) {
        TrackBar bar(c.min, c.max, c.start);
        QList<int> seen;
        QObject::connect(&bar, &TrackBar::Changed, [&](int p) { seen << p; });
        bar.SetPosition(c.set);
        EXPECT_EQ(bar.Position(), c.expected) << c.start << " set to " << c.set;
        EXPECT_EQ(seen, c.raised ? QList<int>{c.expected} : QList<int>{}) << c.set;
    }
}

} // namespace
} // namespace zeb
