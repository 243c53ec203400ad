// The in-process door: reads that wait on the virtual clock instead of sleeping, and closed
// ports.
#include "sim/sim_line.h"

#include <gtest/gtest.h>

namespace zeb::sim {
namespace {

struct LineBench {
    explicit LineBench(ControllerOptions options = {}) : controller(std::move(options)) {
        line.SetPortDeviceName("com1");
    }
    VirtualController controller;
    VirtualClock clock;
    SimLine line{controller, clock};
};

TEST(SimLine, ReadMovesTheClockToTheByteButNotPastTheLimit) {
    ControllerOptions options;
    options.timeScale = 10; // the warm-up strike's 60 ms take 600
    LineBench b(options);
    ASSERT_TRUE(b.line.OpenPort());
    ASSERT_TRUE(b.line.WriteString(QByteArray::fromHex("1b03010118"))); // WarmUpStrike with 0
    quint8 byte = 0;
    ASSERT_TRUE(b.line.ReadByte(byte));
    EXPECT_EQ(byte, 0xA0);
    EXPECT_EQ(b.clock.MonotonicMs(), 0);
    EXPECT_FALSE(b.line.ReadByte(byte)); // nothing due: 500 ms pass, the byte is kept
    EXPECT_EQ(byte, 0xA0);
    EXPECT_EQ(b.clock.MonotonicMs(), 500);
    ASSERT_TRUE(b.line.ReadByte(byte));
    EXPECT_EQ(byte, 0x50);
    EXPECT_EQ(b.clock.MonotonicMs(), 600);
    EXPECT_EQ(b.controller.WarmUpStrikes(), 1);
    EXPECT_TRUE(b.controller.Workpiece().empty());
}

TEST(SimLine, ClosedPorts) {
    LineBench b;
    quint8 byte = 0;
    EXPECT_FALSE(b.line.WriteByte(0x1B)); // never opened
    EXPECT_FALSE(b.line.ReadByte(byte));
    ASSERT_TRUE(b.line.OpenPort());
    ASSERT_TRUE(b.line.WriteString(QByteArray::fromHex("1b0100001a")));
    b.line.ClosePort(); // the answers nobody read are gone
    EXPECT_FALSE(b.line.WriteString(QByteArray::fromHex("1b0100001b")));
    ASSERT_TRUE(b.line.OpenPort());
    EXPECT_FALSE(b.line.ReadByte(byte));
    EXPECT_EQ(b.controller.Trace().size(), 1u);
}

} // namespace
} // namespace zeb::sim
