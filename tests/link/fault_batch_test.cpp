// The link under seeded faults of the virtual controller: bytes lost, changed or late in
// both directions. Whatever happens, every call returns, every message is one the link
// is meant to show, and a run without a message struck exactly what it was sent.

#include "link_rig.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

constexpr int Rounds = 8;
const QByteArray LineDots("12340000432"); // seven strikes

bool IsLinkMessage(const QString& text) {
    static const QRegularExpression known(
        QStringLiteral("^(Ошибка команды (StepUp|Left|SetStrike|PrintLine|Monitor|Up|Put)"
                       "|Устройство не отвечает (StepUp|Left|Hi|Hi_Test))$"));
    return known.match(text).hasMatch();
}

// One operator session: moves, profiles, a strike line, step control and the needle, again
// and again; a lost link is brought back with a greeting, as "Тест" does.
void Session(LinkRig& rig) {
    StrikeLevelSet levels;
    levels.force = {0, 20, 40, 60, 80};
    for (int round = 0; round < Rounds; ++round) {
        if (!rig.link.DeviceReady) {
            rig.link.DeviceReady = true;
            rig.dev.Hi();
        }
        rig.dev.StepUp(2);
        rig.dev.Left(3);
        rig.dev.SetStrike(levels);
        rig.dev.PrintLine(LineDirection::Forward, LineDots);
        rig.dev.Monitor();
        rig.dev.Up();
        rig.dev.Put(0);
    }
}

TEST(LinkUnderFaults, SeededBatchNeverHangsAndReportsLossAsItShould) {
    int quietRuns = 0;
    int troubledRuns = 0;
    int inquiries = 0;
    for (quint32 seed = 1; seed <= 40; ++seed) {
        sim::ControllerOptions options;
        options.faults.seed = seed;
        options.faults.dropRx = 0.004;
        options.faults.dropTx = 0.01;
        options.faults.corruptRx = 0.004;
        options.faults.corruptTx = 0.01;
        options.faults.delayTx = 0.01;
        LinkRig rig(options);
        Session(rig);

        // Virtual time is bounded: no loop waited without end.
        EXPECT_LT(rig.clock.MonotonicMs(), 30 * 60 * 1000) << "seed " << seed;
        for (const QString& message : rig.op.messages)
            EXPECT_TRUE(IsLinkMessage(message)) << "seed " << seed << ": " << message.toStdString();
        // The menus follow the link.
        EXPECT_EQ(rig.op.locked, !rig.link.DeviceReady) << "seed " << seed;

        inquiries += rig.op.beeps;
        if (rig.op.messages.isEmpty()) {
            ++quietRuns;
            // Carried on correctly: every line struck once, host and controller in step.
            EXPECT_EQ(rig.vc.Workpiece().size(), size_t(7 * Rounds)) << "seed " << seed;
            EXPECT_EQ(rig.link.SeqNo, rig.vc.ExpectedSeqNo()) << "seed " << seed;
        } else {
            ++troubledRuns;
        }
    }
    // The batch really met faults, and the link rode most of them out.
    EXPECT_GT(inquiries, 40);
    EXPECT_GT(quietRuns, 0);
    RecordProperty("quiet_runs", quietRuns);
    RecordProperty("troubled_runs", troubledRuns);
}

TEST(LinkUnderFaults, ControllerThatStopsMidLineIsReported) {
    LinkRig rig;
    rig.vc.StopMidLine(1);
    rig.dev.PrintLine(LineDirection::Forward, QByteArray(64, '2'));
    EXPECT_FALSE(rig.link.DeviceReady);
    EXPECT_TRUE(rig.op.locked);
    EXPECT_EQ(rig.op.messages, QStringList{QStringLiteral("Ошибка команды PrintLine")});
    EXPECT_TRUE(rig.vc.Workpiece().empty());
    EXPECT_LT(rig.clock.MonotonicMs(), 10000);
}

} // namespace
} // namespace zeb::testing
