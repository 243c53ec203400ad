// Fault plans: the names zeb-sim accepts, bad values, and faults that repeat per seed.
#include "wire.h"

#include "sim/fault_plan.h"

#include <gtest/gtest.h>

namespace zeb::sim::testing {
namespace {

TEST(FaultPlan, ParsesEveryName) {
    QString error;
    const std::optional<FaultPlan> plan =
        ParseFaultPlan("drop-rx=0.01, drop-tx=0.02,corrupt-rx=0.03,corrupt-tx=0.04,delay-tx=0.05,"
                       "silent-after=7,silent-x,silent-y=1,garbage-inquiry,stop-mid-line=3,"
                       "mismatch-after-line=2",
                       42, &error);
    ASSERT_TRUE(plan) << error.toStdString();
    EXPECT_DOUBLE_EQ(plan->dropRx, 0.01);
    EXPECT_DOUBLE_EQ(plan->dropTx, 0.02);
    EXPECT_DOUBLE_EQ(plan->corruptRx, 0.03);
    EXPECT_DOUBLE_EQ(plan->corruptTx, 0.04);
    EXPECT_DOUBLE_EQ(plan->delayTx, 0.05);
    EXPECT_EQ(plan->silentAfter, 7);
    EXPECT_TRUE(plan->silentX);
    EXPECT_TRUE(plan->silentY);
    EXPECT_TRUE(plan->garbageInquiry);
    EXPECT_EQ(plan->stopMidLine, 3);
    EXPECT_EQ(plan->mismatchAfterLine, 2);
    EXPECT_EQ(plan->seed, 42u);
    EXPECT_TRUE(plan->Any());
    EXPECT_EQ(FaultNames().size(), 11);
}

TEST(FaultPlan, EmptySpecIsNoFault) {
    QString error;
    const std::optional<FaultPlan> plan = ParseFaultPlan("", 1, &error);
    ASSERT_TRUE(plan);
    EXPECT_FALSE(plan->Any());
}

struct BadSpec {
    const char* spec;
    const char* error;
};

class FaultPlanRefuses : public ::testing::TestWithParam<BadSpec> {};

TEST_P(FaultPlanRefuses, WithAMessage) {
    QString error;
    EXPECT_FALSE(ParseFaultPlan(GetParam().spec, 1, &error));
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Specs, FaultPlanRefuses,
    ::testing::Values(BadSpec{"drop-everything=0.1", "unknown fault \"drop-everything\""},
                      BadSpec{"drop-rx=1.5", "bad value for fault \"drop-rx\": \"1.5\""},
                      BadSpec{"drop-rx=-0.1", "bad value for fault \"drop-rx\": \"-0.1\""},
                      BadSpec{"drop-rx", "bad value for fault \"drop-rx\": \"(none)\""},
                      BadSpec{"stop-mid-line=0", "bad value for fault \"stop-mid-line\": \"0\""},
                      BadSpec{"silent-after=x", "bad value for fault \"silent-after\": \"x\""},
                      BadSpec{"silent-x=2", "bad value for fault \"silent-x\": \"2\""}));

// Fifty greetings through a controller with random faults; what comes back, in order.
QByteArray Replay(quint32 seed) {
    QString error;
    ControllerOptions options;
    options.faults = *ParseFaultPlan("drop-rx=0.1,corrupt-rx=0.1,drop-tx=0.1,corrupt-tx=0.1,"
                                     "delay-tx=0.1",
                                     seed, &error);
    Wire w(options);
    QByteArray all;
    for (int i = 0; i < 50; ++i) {
        w.Send("1b0100001a");
        w.controller.SetExpectedSeqNo(0);
        all += w.TakeFor(1000);
    }
    return all;
}

TEST(FaultPlan, SameSeedSameFaults) {
    const QByteArray first = Replay(7);
    EXPECT_EQ(first, Replay(7));
    EXPECT_NE(first, Replay(8));
    // Some answers were spoiled, most came through.
    EXPECT_NE(first, Hex("a050").repeated(50));
    EXPECT_GT(first.count(Hex("a050")), 10);
}

TEST(FaultPlan, SilentAfterNFrames) {
    ControllerOptions options;
    options.faults.silentAfter = 2;
    Wire w(options);
    w.Send("1b0100001a");
    EXPECT_EQ(w.Take(), Hex("a050"));
    w.Send("1b0100001b");
    EXPECT_EQ(w.Take(), Hex("a151"));
    w.Send("1b01000018");
    w.Inquire();
    EXPECT_EQ(w.TakeFor(2000), QByteArray());
}

TEST(FaultPlan, StopMidLineCountsStrikeLines) {
    ControllerOptions options;
    options.faults.stopMidLine = 2;
    Wire w(options);
    w.Send("1b2100003a"); // an empty line with 0 (line 1, ends with 1)
    EXPECT_EQ(w.Take(), Hex("a05051"));
    w.Send("1b21001028"); // 16 dots with 2 (line 2): silent after its first data frame
    EXPECT_EQ(w.Take(), Hex("a252"));
    w.Send("1111111103");
    EXPECT_EQ(w.Take(), Hex("a363"));
    w.Send("1111111104");
    EXPECT_EQ(w.TakeFor(1000), QByteArray());
    EXPECT_TRUE(w.controller.Workpiece().empty());
}

TEST(FaultPlan, SilentDriverFromThePlan) {
    ControllerOptions options;
    options.faults.silentX = true;
    Wire w(options);
    w.Send("1b40610c36"); // ProgX_Motor with 0
    EXPECT_EQ(w.TakeFor(1000), Hex("a0"));
}

} // namespace
} // namespace zeb::sim::testing
