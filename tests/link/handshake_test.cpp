// Start-up link sequence, port change, link test and keep-alive against the virtual
// controller.

#include "link/handshake.h"
#include "link_rig.h"

#include <gtest/gtest.h>

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

    // Ten keep-alive greetings, 30 s apart, then the timer stops.
    int ticks = 0;
    for (; rig.timers.Running(TimerId::Timer4) && ticks < 50; ++ticks) {
        rig.clock.Advance(KeepAliveIntervalMs);
        Timer4Timer(rig.dev, rig.timers);
    }
    EXPECT_EQ(ticks, 10);
    EXPECT_EQ(rig.Commands().mid(expected.size()), QStringList(10, QStringLiteral("Hi")));
    EXPECT_EQ(rig.link.KeepAliveCount, 0);
    EXPECT_TRUE(rig.op.messages.isEmpty());
    // Started again, it stops at the first greeting that fails.
    rig.timers.Start(TimerId::Timer4, KeepAliveIntervalMs);
    Timer4Timer(rig.dev, rig.timers);
    Timer4Timer(rig.dev, rig.timers);
    EXPECT_TRUE(rig.timers.Running(TimerId::Timer4));
    rig.vc.SetSilent(true);
    Timer4Timer(rig.dev, rig.timers);
    EXPECT_FALSE(rig.timers.Running(TimerId::Timer4));
    EXPECT_EQ(rig.link.KeepAliveCount, 3);
    rig.ExpectLost(QStringLiteral("Устройство не отвечает Hi_Test"));
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
    PortChoice choice = ComClick(rig.dev, 5, true);
    EXPECT_EQ(choice.checkedPort, 5);
    EXPECT_EQ(rig.tap.PortDeviceName(), QStringLiteral("com5"));
    EXPECT_FALSE(choice.outcome.ready);
    EXPECT_EQ(rig.op.messages, QStringList({QStringLiteral("Ошибка связи."),
                                            QStringLiteral("Устройство не отвечает")}));
    EXPECT_FALSE(rig.link.DeviceReady);
    EXPECT_TRUE(rig.link.LinkError);
    EXPECT_TRUE(rig.op.locked);

    rig.op.messages.clear();
    choice = ComClick(rig.dev, 3, true);
    EXPECT_EQ(choice.portName, QStringLiteral("com3"));
    EXPECT_TRUE(choice.outcome.ready);
    EXPECT_TRUE(choice.outcome.showRecoveryDialog);
    EXPECT_EQ(rig.op.messages, QStringList{QStringLiteral("Устройство готово к работе")});
    EXPECT_TRUE(rig.link.DeviceReady);
    EXPECT_FALSE(rig.link.LinkError);
    EXPECT_FALSE(rig.op.locked);
    EXPECT_FALSE(ComClick(rig.dev, 2, false).outcome.showRecoveryDialog);
}

TEST(Handshake, LinkTestShowsTheDevicesNameWithUnprintableBytesVisible) {
    sim::ControllerOptions options;
    options.deviceName =
        QByteArray("ZEB\x00\x01\xC3\xF0\xE0\xE2\x7F\x98\xFF", 12) + QByteArray(21, ' ');
    LinkRig rig(options);
    rig.link.DeviceReady = false;
    LinkStatusTexts texts;
    texts.found = QStringLiteral("Found: ");
    const LinkCheckOutcome outcome = N5Click(rig.dev, texts, false);
    EXPECT_TRUE(outcome.ready);
    EXPECT_FALSE(outcome.showRecoveryDialog);
    EXPECT_EQ(rig.op.messages, QStringList({QStringLiteral("Устройство готово к работе"),
                                            QStringLiteral("Found:  ZEB\\x00\\x01Грав\\x7F\\x98я") +
                                                QString(21, u' ')}));
    EXPECT_EQ(rig.Commands().count(QStringLiteral("ReadParamByte")), 33);
    EXPECT_EQ(rig.Frames()[1], QStringLiteral("1B 58 50 00 12"));
    EXPECT_FALSE(rig.op.locked);

    rig.op.messages.clear();
    rig.vc.SetSilent(true); // and again with the machine gone: no name is read
    const LinkCheckOutcome lost = N5Click(rig.dev, texts, true);
    EXPECT_FALSE(lost.ready || lost.showRecoveryDialog);
    rig.ExpectLost(QStringLiteral("Устройство не отвечает Hi_Test"));
    EXPECT_TRUE(rig.link.LinkError);
}

} // namespace
} // namespace zeb::testing
