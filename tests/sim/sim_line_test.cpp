// The in-process door: reads that wait on the virtual clock instead of sleeping.
#include "sim/sim_line.h"

#include <gtest/gtest.h>

namespace zeb::sim {
namespace {

TEST(SimLine, ReadMovesTheClockToTheByteButNotPastTheLimit) {
    ControllerOptions options;
    options.timeScale = 10; // the warm-up strike's 60 ms take 600
    VirtualController controller(options);
    VirtualClock clock;
    SimLine line{controller, clock};
    line.SetPortDeviceName("com1");
    ASSERT_TRUE(line.OpenPort());
    ASSERT_TRUE(line.WriteString(QByteArray::fromHex("1b03010118"))); // WarmUpStrike with 0
    quint8 byte = 0;
    ASSERT_TRUE(line.ReadByte(byte));
    EXPECT_EQ(byte, 0xA0);
    EXPECT_EQ(clock.MonotonicMs(), 0);
    EXPECT_FALSE(line.ReadByte(byte)); // nothing due: 500 ms pass, the byte is kept
    EXPECT_EQ(byte, 0xA0);
    EXPECT_EQ(clock.MonotonicMs(), 500);
    ASSERT_TRUE(line.ReadByte(byte));
    EXPECT_EQ(byte, 0x50);
    EXPECT_EQ(clock.MonotonicMs(), 600);
    EXPECT_EQ(controller.WarmUpStrikes(), 1);
    EXPECT_TRUE(controller.Workpiece().empty());
}

} // namespace
} // namespace zeb::sim
