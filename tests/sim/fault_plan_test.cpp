// Fault plans: the names zeb-sim accepts, bad values, faults that repeat per seed, and the
// faults that count frames or lines.
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
    EXPECT_EQ(
        (std::array{plan->dropRx, plan->dropTx, plan->corruptRx, plan->corruptTx, plan->delayTx}),
        (std::array{0.01, 0.02, 0.03, 0.04, 0.05}));
    EXPECT_EQ((std::array{plan->silentAfter, plan->stopMidLine, plan->mismatchAfterLine}),
              (std::array{7, 3, 2}));
    EXPECT_TRUE(plan->silentX && plan->silentY && plan->garbageInquiry);
    EXPECT_EQ(plan->seed, 42u);
    EXPECT_TRUE(plan->Any());
    EXPECT_FALSE(ParseFaultPlan("", 1, &error)->Any());
}

TEST(FaultPlan, RefusesWithAMessage) {
    const std::pair<const char*, const char*> rows[] = {
        {"drop-everything=0.1", "unknown fault \"drop-everything\""},
        {"drop-rx=1.5", "bad value for fault \"drop-rx\": \"1.5\""},
        {"drop-rx", "bad value for fault \"drop-rx\": \"(none)\""},
        {"stop-mid-line=0", "bad value for fault \"stop-mid-line\": \"0\""},
        {"silent-after=x", "bad value for fault \"silent-after\": \"x\""},
        {"silent-x=2", "bad value for fault \"silent-x\": \"2\""},
    };
    for (const auto& [spec, message] : rows) {
        QString error;
        EXPECT_FALSE(ParseFaultPlan(spec, 1, &error)) << spec;
        EXPECT_EQ(error, QString::fromUtf8(message)) << spec;
    }
}

// Fifty greetings through a controller with random faults; what comes back, in order.
QByteArray Replay(quint32 seed) {
    QString error;
    ControllerOptions options;
    options.faults = *ParseFaultPlan(
        "drop-rx=0.1,corrupt-rx=0.1,drop-tx=0.1,corrupt-tx=0.1,delay-tx=0.1", seed, &error);
    Wire w(options);
    QByteArray all;
    for (int i = 0; i < 50; ++i) {
        w.Send(QByteArray::fromHex("1b0100001a"));
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
    const QByteArray answer = QByteArray::fromHex("a050");
    EXPECT_NE(first, answer.repeated(50));
    EXPECT_GT(first.count(answer), 10);
}

TEST(FaultPlan, StopMidLineCountsStrikeLinesAndFallsSilentBeforeTheStrike) {
    ControllerOptions options;
    options.faults.stopMidLine = 2;
    Wire w(options);
    // An empty line with 0 (line 1, ends with 1); 16 dots with 2 (line 2): its first data
    // frame is stored, then nobody answers any more.
    w.Play("1b2100003a>a05051 1b21001028>a252 1111111103>a363 1111111104> !81> +1000>");
    EXPECT_TRUE(w.controller.Workpiece().empty());
}

} // namespace
} // namespace zeb::sim::testing
