// The in-process door: reads that wait on the virtual clock instead of sleeping, parity,
// and ports that are closed or missing.
#include "sim/sim_line.h"

#include <gtest/gtest.h>

namespace zeb::sim {
namespace {

QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}

struct LineBench {
    explicit LineBench(ControllerOptions options = {}) : controller(std::move(options)) {
        line.SetPortDeviceName("com1");
    }
    VirtualController controller;
    VirtualClock clock;
    SimLine line{controller, clock};
};

TEST(SimLine, ReadWithNothingDueWaitsFiveHundredMsAndKeepsTheByte) {
    LineBench b;
    ASSERT_TRUE(b.line.OpenPort());
    quint8 byte = 0x77;
    EXPECT_FALSE(b.line.ReadByte(byte));
    EXPECT_EQ(byte, 0x77);
    EXPECT_EQ(b.clock.MonotonicMs(), 500);
}

TEST(SimLine, ReadMovesTheClockToTheByte) {
    ControllerOptions options;
    options.timeScale = 1.0;
    LineBench b(options);
    ASSERT_TRUE(b.line.OpenPort());
    ASSERT_TRUE(b.line.WriteString(Hex("1b03010118"))); // WarmUpStrike with 0, 60 ms
    quint8 byte = 0;
    ASSERT_TRUE(b.line.ReadByte(byte));
    EXPECT_EQ(byte, 0xA0);
    EXPECT_EQ(b.clock.MonotonicMs(), 0);
    ASSERT_TRUE(b.line.ReadByte(byte));
    EXPECT_EQ(byte, 0x50);
    EXPECT_EQ(b.clock.MonotonicMs(), 60);
}

TEST(SimLine, ByteLaterThanTheLimitIsNotRead) {
    ControllerOptions options;
    options.timeScale = 1.0;
    LineBench b(options);
    ASSERT_TRUE(b.line.OpenPort());
    // StepUp 100 at the power-on P of 192: 576 ms.
    ASSERT_TRUE(b.line.WriteString(Hex("1b10006368")));
    quint8 byte = 0;
    ASSERT_TRUE(b.line.ReadByte(byte));
    EXPECT_FALSE(b.line.ReadByte(byte));
    EXPECT_EQ(b.clock.MonotonicMs(), 500);
    ASSERT_TRUE(b.line.ReadByte(byte));
    EXPECT_EQ(byte, 0x50);
    EXPECT_EQ(b.clock.MonotonicMs(), 576);
}

TEST(SimLine, OddParityReachesTheControllerAsAnInquiry) {
    LineBench b;
    ASSERT_TRUE(b.line.OpenPort());
    b.controller.SetExpectedSeqNo(4);
    b.line.SetParityOdd();
    EXPECT_TRUE(b.line.ParityOdd());
    ASSERT_TRUE(b.line.WriteByte(0x81));
    quint8 byte = 0;
    ASSERT_TRUE(b.line.ReadByte(byte));
    EXPECT_EQ(byte, 0x94);
    b.line.SetParityEven();
    EXPECT_FALSE(b.line.ParityOdd());
}

TEST(SimLine, ClosedPortFailsWritesAndReads) {
    LineBench b;
    quint8 byte = 0;
    EXPECT_FALSE(b.line.WriteByte(0x1B));
    EXPECT_FALSE(b.line.ReadByte(byte));
    EXPECT_EQ(b.clock.MonotonicMs(), 500);
    ASSERT_TRUE(b.line.OpenPort());
    b.line.ClosePort();
    EXPECT_FALSE(b.line.WriteString(Hex("1b0100001a")));
    EXPECT_TRUE(b.controller.Trace().empty());
}

TEST(SimLine, MissingPortDoesNotOpen) {
    LineBench b;
    b.line.SetMissingPort("com3");
    b.line.SetPortDeviceName("com3");
    EXPECT_FALSE(b.line.OpenPort());
    EXPECT_FALSE(b.line.WriteByte(0x1B));
    b.line.SetPortDeviceName("com1");
    EXPECT_TRUE(b.line.OpenPort());
}

TEST(SimLine, AnswersNobodyReadWhileClosedAreGone) {
    LineBench b;
    ASSERT_TRUE(b.line.OpenPort());
    ASSERT_TRUE(b.line.WriteString(Hex("1b0100001a")));
    b.line.ClosePort();
    ASSERT_TRUE(b.line.OpenPort());
    quint8 byte = 0;
    EXPECT_FALSE(b.line.ReadByte(byte));
}

TEST(SimLine, LostAnswerBytesAreWaitedForUntilTheLimit) {
    ControllerOptions options;
    options.faults.dropTx = 1.0;
    LineBench b(options);
    ASSERT_TRUE(b.line.OpenPort());
    ASSERT_TRUE(b.line.WriteString(Hex("1b0100001a")));
    quint8 byte = 0;
    EXPECT_FALSE(b.line.ReadByte(byte));
    EXPECT_EQ(b.clock.MonotonicMs(), 500);
}

} // namespace
} // namespace zeb::sim
