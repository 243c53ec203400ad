// The link under seeded faults of the virtual controller: bytes lost, changed or late in
// both directions. Whatever happens, every call returns, every message is one the link
// is meant to show, and a run without a message struck exactly what it was sent.

#include "link_rig.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

TEST(LinkUnderFaults, SeededBatchNeverHangsAndReportsLossAsItShould) {
    constexpr int Rounds = 8;
    const QRegularExpression linkMessage(
        QStringLiteral("^(Ошибка команды (StepUp|Left|SetStrike|PrintLine|Monitor|Up|Put)"
                       "|Устройство не отвечает (StepUp|Left|Hi|Hi_Test))$"));
    int quietRuns = 0;
    int inquiries = 0;
    for (quint32 seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        sim::ControllerOptions options;
        options.faults.seed = seed;
        options.faults.dropRx = 0.004;
        options.faults.dropTx = 0.01;
        options.faults.corruptRx = 0.004;
        options.faults.corruptTx = 0.01;
        options.faults.delayTx = 0.01;
        LinkRig rig(options);
        // One operator session, again and again; a lost link is brought back with a
        // greeting, as "Тест" does.
        for (int round = 0; round < Rounds; ++round) {
            if (!rig.link.DeviceReady) {
                rig.link.DeviceReady = true;
                rig.dev.Hi();
            }
            EXPECT_TRUE(rig.dev.StepUp(2));
            EXPECT_TRUE(rig.dev.Left(3));
            EXPECT_TRUE(rig.dev.SetStrike(StrikeLevelSet{{0, 20, 40, 60, 80}}));
            rig.dev.PrintLine(LineDirection::Forward, "12340000432"); // seven strikes
            rig.dev.Monitor();
            rig.dev.Up();
            rig.dev.Put(0);
        }

        // Virtual time is bounded: no loop waited without end.
        EXPECT_LT(rig.clock.MonotonicMs(), 30 * 60 * 1000);
        for (const QString& message : rig.op.messages)
            EXPECT_TRUE(linkMessage.match(message).hasMatch()) << message.toStdString();
        EXPECT_EQ(rig.op.locked, !rig.link.DeviceReady); // the menus follow the link

        inquiries += rig.op.beeps;
        if (rig.op.messages.isEmpty()) {
            ++quietRuns;
            // Carried on correctly: every line struck once, host and controller in step.
            EXPECT_EQ(rig.vc.Workpiece().size(), size_t(7 * Rounds));
            EXPECT_EQ(rig.link.SeqNo, rig.vc.ExpectedSeqNo());
        }
    }
    // The batch really met faults, and the link rode most of them out.
    EXPECT_GT(inquiries, 40);
    EXPECT_GT(quietRuns, 0);
}

} // namespace
} // namespace zeb::testing
