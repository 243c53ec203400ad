// Start-up link sequence, port change, link test and keep-alive against the virtual
// controller.

#include "link/frames.h"
#include "link/handshake.h"
#include "link_rig.h"

#include <gtest/gtest.h>

#include <functional>

namespace zeb::testing {
namespace {

TEST(Handshake, StartUpWithAWillingMachineThenTheKeepAlive) {
    LinkRig rig;
    rig.op.locked = true;
    StartUpLink(rig.dev, rig.timers, 1930, 2330);
    EXPECT_TRUE(rig.op.messages.isEmpty());
    EXPECT_TRUE(rig.link.DeviceReady);
    EXPECT_FALSE(rig.op.locked);
    EXPECT_EQ(rig.timers.Interval(TimerId::Timer4), 30000);
    EXPECT_EQ(rig.machine.MotorSpeedScale, 16);
    EXPECT_EQ(rig.machine.LinkTime, 400); // the instant controller takes no measurable time
    QStringList expected{"Hi", "ProgX_Motor", "ProgY_Motor"};
    for (int i = 0; i < 101; ++i)
        expected << QStringLiteral("Hi");
    expected << QStringLiteral("ResetError");
    EXPECT_EQ(rig.Commands(), expected);
    EXPECT_EQ(rig.Frames()[1], QStringLiteral("1B 40 60 10 2A"));
    EXPECT_EQ(rig.link.LongTimeout, 44880);
    EXPECT_EQ(rig.link.BusyWaitLimit, 49880); // the reset's limit and five seconds

    // Ten keep-alive greetings, 30 s apart, then the timer stops.
    int ticks = 0;
    for (; rig.timers.Running(TimerId::Timer4) && ticks < 50; ++ticks) {
        rig.clock.Advance(KeepAliveIntervalMs);
        KeepAliveTick(rig.dev, rig.timers);
    }
    EXPECT_EQ(ticks, 10);
    EXPECT_EQ(rig.Commands().mid(expected.size()), QStringList(10, QStringLiteral("Hi")));
    EXPECT_EQ(rig.link.KeepAliveCount, 0);
    EXPECT_TRUE(rig.op.messages.isEmpty());
    // Started again, it stops at the first greeting that fails.
    rig.timers.Start(TimerId::Timer4, KeepAliveIntervalMs);
    KeepAliveTick(rig.dev, rig.timers);
    KeepAliveTick(rig.dev, rig.timers);
    EXPECT_TRUE(rig.timers.Running(TimerId::Timer4));
    rig.vc.SetSilent(true);
    KeepAliveTick(rig.dev, rig.timers);
    EXPECT_FALSE(rig.timers.Running(TimerId::Timer4));
    EXPECT_EQ(rig.link.KeepAliveCount, 3);
    rig.ExpectLost(QStringLiteral("Устройство не отвечает Hi_Test"));
}

// The program was killed right after its controller took a move of `steps` Y steps (5.76 ms
// each at the power-on step time) and starts again: a fresh link state with `hostSeq`, the
// port opened anew. The controller expects 6 next.
void KilledDuringAMove(LinkRig& rig, int steps, int hostSeq) {
    rig.StartAt(5);
    if (steps > 0) {
        rig.link.CmdCode = MoveCode(0x10, steps);
        rig.link.CmdName = QStringLiteral("StepUp");
        rig.dev.SendCommand();
    } else {
        rig.vc.SetExpectedSeqNo(6);
    }
    rig.link = LinkState{};
    rig.link.SeqNo = static_cast<quint8>(hostSeq);
    rig.tap.ClosePort();
    rig.tap.OpenPort();
}

TEST(Handshake, GreetingWaitsForAMachineStillOnAMoveOfTheKilledProgram) {
    struct Case {
        const char* name;
        int moveSteps; // 0: no move left running
        int hostSeq;   // 0: apart from the controller's 6; 6: the greeting is taken and queued
        int fieldWidth;
        int fieldHeight;
        std::function<void(LinkRig&)> fault;
        const char* message; // the one message of a lost link; null: the link comes up
        qint64 endsFrom;     // virtual ms when the greeting is over, from .. by
        qint64 endsBy;
        bool waited; // "Ожидание устройства..." was said
    };
    // The field 1930 x 2330 waits 44880 + 5000 ms, 100 x 100 only 11600 + 5000 ms.
    const auto none = [](LinkRig&) {};
    const Case rows[] = {
        // 5200 steps: the move ends at 29952 ms, some sixty rounds of the greeting.
        {"BusyPastSixteenRoundsNumbersApart", 5200, 0, 1930, 2330, none, nullptr, 29952, 30952,
         true},
        {"BusyPastSixteenRoundsGreetingQueued", 5200, 6, 1930, 2330, none, nullptr, 29952, 30952,
         true},
        {"BusyBeyondTheLimit", 65535, 0, 1930, 2330, none, "Устройство не отвечает Hi", 49880,
         50880, true},
        {"TheLimitFollowsTheField", 5200, 6, 100, 100, none, "Устройство не отвечает Hi", 16600,
         17600, true},
        // As before the wait existed: six unanswered inquiries, or sixteen rounds of junk.
        {"Silent", 5200, 0, 1930, 2330, [](LinkRig& r) { r.vc.SetSilent(true); },
         "Устройство не отвечает Hi_Test", 3500, 3500, false},
        // The line dies after ten busy rounds (20 reads, 5 s): lost 3.5 s later.
        {"SilentWhileWaitedFor", 5200, 0, 1930, 2330,
         [](LinkRig& r) { r.tap.SilenceAfterReads(20); }, "Устройство не отвечает Hi_Test", 8500,
         8500, true},
        {"JunkAnswersToTheInquiry", 5200, 0, 1930, 2330,
         [](LinkRig& r) { r.vc.SetGarbageInquiryAnswers(true); }, "Устройство не отвечает Hi", 0, 0,
         false},
        {"NothingRunningNumbersApart", 0, 0, 1930, 2330, none, nullptr, 0, 0, false},
    };
    for (const Case& row : rows) {
        SCOPED_TRACE(row.name);
        sim::ControllerOptions options;
        options.timeScale = 1.0;
        LinkRig rig(options);
        KilledDuringAMove(rig, row.moveSteps, row.hostSeq);
        row.fault(rig);
        const qsizetype framesBefore = rig.vc.Trace().size();
        rig.link.BusyWaitLimit = BusyWaitLimitMs(row.fieldWidth, row.fieldHeight);
        rig.dev.Hi();

        EXPECT_GE(rig.clock.MonotonicMs(), row.endsFrom);
        EXPECT_LE(rig.clock.MonotonicMs(), row.endsBy);
        const QStringList told =
            row.waited ? QStringList{QStringLiteral("Ожидание устройства...")} : QStringList();
        EXPECT_EQ(rig.op.waits, told);
        // Cleared when the wait is over, however it ended.
        EXPECT_EQ(rig.op.statuses, row.waited ? QStringList{QString()} : QStringList());
        const qsizetype frames = qsizetype(rig.vc.Trace().size()) - framesBefore;
        if (row.message) {
            rig.ExpectLost(QString::fromUtf8(row.message));
            if (!row.waited) {
                EXPECT_LE(frames, Device::MaxRounds);
            }
            continue;
        }
        EXPECT_TRUE(rig.op.messages.isEmpty()) << rig.op.messages.join('|').toStdString();
        EXPECT_TRUE(rig.link.DeviceReady);
        EXPECT_EQ(rig.link.SeqNo, rig.vc.ExpectedSeqNo());
        if (row.waited) {
            EXPECT_GT(frames, Device::MaxRounds);
        }
        rig.dev.Up(); // and the next command goes through in step
        EXPECT_TRUE(rig.link.DeviceReady);
        EXPECT_EQ(rig.Commands().last(), QStringLiteral("Up"));
    }
}

TEST(Handshake, StartUpWithNoDevice) {
    LinkRig rig;
    rig.vc.SetSilent(true);
    StartUpLink(rig.dev, rig.timers, 1930, 2330);
    // Only the greeting speaks; the driver checks, the measurement and the reset send
    // nothing and say nothing.
    rig.ExpectLost(QStringLiteral("Устройство не отвечает Hi_Test"));
    EXPECT_EQ(rig.machine.LinkTime, 400);
    EXPECT_FALSE(rig.timers.Running(TimerId::Timer4));
    EXPECT_EQ(rig.clock.MonotonicMs(), 3500);
}

TEST(Handshake, StartUpWithASilentMotorDriver) {
    // The command's own message (X has no space before the name), then the driver's.
    const std::pair<char, QStringList> rows[] = {
        {'X', {"Устройство не отвечаетProgX_Motor", "Не отвечает драйвер двигателя X "}},
        {'Y', {"Устройство не отвечает ProgY_Motor", "Не отвечает драйвер двигателя Y "}},
    };
    for (const auto& [axis, messages] : rows) {
        LinkRig rig;
        rig.vc.SetMotorDriverSilent(axis, true);
        StartUpLink(rig.dev, rig.timers, 100, 100);
        EXPECT_EQ(rig.op.messages, messages);
        EXPECT_FALSE(rig.link.DeviceReady);
        EXPECT_TRUE(rig.op.locked);
        EXPECT_EQ(rig.Commands().size(), axis == 'X' ? 2 : 3); // nothing after the failure
        EXPECT_EQ(rig.machine.LinkTime, 400);
    }
}

TEST(Handshake, PortChangeToAMissingPortThenToAnAnsweringOne) {
    LinkRig rig;
    rig.simLine.SetMissingPort(QStringLiteral("com5"));
    PortChoice choice = PortOfItem(5);
    EXPECT_EQ(choice.checkedPort, 5);
    EXPECT_FALSE(rig.Shown(ChoosePort(rig.dev, choice.portName)));
    EXPECT_EQ(rig.tap.PortDeviceName(), QStringLiteral("com5"));
    EXPECT_EQ(rig.op.messages, QStringList({QStringLiteral("Ошибка связи."),
                                            QStringLiteral("Устройство не отвечает")}));
    EXPECT_FALSE(rig.link.DeviceReady);
    EXPECT_TRUE(rig.link.LinkError);
    EXPECT_TRUE(rig.op.locked);

    rig.op.messages.clear();
    choice = PortOfItem(3);
    EXPECT_EQ(choice.portName, QStringLiteral("com3"));
    EXPECT_TRUE(rig.Shown(ChoosePort(rig.dev, choice.portName)));
    EXPECT_EQ(rig.op.messages, QStringList{QStringLiteral("Устройство готово к работе")});
    EXPECT_TRUE(rig.link.DeviceReady);
    EXPECT_FALSE(rig.link.LinkError);
    EXPECT_FALSE(rig.op.locked);
    // Items outside 1..8 are the nearer end.
    EXPECT_EQ(PortOfItem(0).portName, QStringLiteral("com1"));
    EXPECT_EQ(PortOfItem(9).checkedPort, 8);
}

TEST(Handshake, LinkTestShowsTheDevicesNameWithUnprintableBytesVisible) {
    sim::ControllerOptions options;
    options.deviceName =
        QByteArray("ZEB\x00\x01\xC3\xF0\xE0\xE2\x7F\x98\xFF", 12) + QByteArray(21, ' ');
    LinkRig rig(options);
    rig.link.DeviceReady = false;
    LinkStatusTexts texts;
    texts.found = QStringLiteral("Found: ");
    EXPECT_TRUE(rig.Shown(TestLink(rig.dev, texts)));
    EXPECT_EQ(rig.op.messages, QStringList({QStringLiteral("Устройство готово к работе"),
                                            QStringLiteral("Found:  ZEB\\x00\\x01Грав\\x7F\\x98я") +
                                                QString(21, u' ')}));
    EXPECT_EQ(rig.Commands().count(QStringLiteral("ReadParamByte")), 33);
    EXPECT_EQ(rig.Frames()[1], QStringLiteral("1B 58 50 00 12"));
    EXPECT_FALSE(rig.op.locked);

    rig.op.messages.clear();
    rig.vc.SetSilent(true); // and again with the machine gone: no name is read
    EXPECT_FALSE(rig.Shown(TestLink(rig.dev, texts)));
    rig.ExpectLost(QStringLiteral("Устройство не отвечает Hi_Test"));
    EXPECT_TRUE(rig.link.LinkError);
}

} // namespace
} // namespace zeb::testing
