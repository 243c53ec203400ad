// Start-up link sequence, port change, link test and keep-alive against the virtual
// controller.

#include "link/handshake.h"
#include "link_rig.h"

#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

TEST(Handshake, StartUpWithAWillingMachine) {
    LinkRig rig;
    rig.op.locked = true;
    StartUpLink(rig.dev, rig.timers, 1930, 2330);
    EXPECT_TRUE(rig.op.messages.isEmpty());
    EXPECT_TRUE(rig.link.DeviceReady);
    EXPECT_FALSE(rig.op.locked);
    EXPECT_TRUE(rig.timers.Running(TimerId::Timer4));
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
}

TEST(Handshake, StartUpWithNoDevice) {
    LinkRig rig;
    rig.vc.SetSilent(true);
    StartUpLink(rig.dev, rig.timers, 1930, 2330);
    // Only the greeting speaks; the driver checks, the measurement and the reset send
    // nothing and say nothing.
    EXPECT_EQ(rig.op.messages, QStringList{QStringLiteral("Устройство не отвечает Hi_Test")});
    EXPECT_EQ(rig.machine.LinkTime, 400);
    EXPECT_FALSE(rig.link.DeviceReady);
    EXPECT_TRUE(rig.op.locked);
    EXPECT_FALSE(rig.timers.Running(TimerId::Timer4));
    EXPECT_EQ(rig.clock.MonotonicMs(), 3500);
}

TEST(Handshake, StartUpWithASilentMotorDriver) {
    {
        LinkRig rig;
        rig.vc.SetMotorDriverSilent('X', true);
        StartUpLink(rig.dev, rig.timers, 100, 100);
        EXPECT_EQ(rig.op.messages,
                  QStringList({QStringLiteral("Устройство не отвечаетProgX_Motor"),
                               QStringLiteral("Не отвечает драйвер двигателя X ")}));
        EXPECT_FALSE(rig.link.DeviceReady);
        EXPECT_TRUE(rig.op.locked);
        EXPECT_EQ(rig.Commands(), QStringList({"Hi", "ProgX_Motor"}));
        EXPECT_EQ(rig.machine.LinkTime, 400);
    }
    {
        LinkRig rig;
        rig.vc.SetMotorDriverSilent('Y', true);
        StartUpLink(rig.dev, rig.timers, 100, 100);
        EXPECT_EQ(rig.op.messages,
                  QStringList({QStringLiteral("Устройство не отвечает ProgY_Motor"),
                               QStringLiteral("Не отвечает драйвер двигателя Y ")}));
        EXPECT_FALSE(rig.link.DeviceReady);
        EXPECT_TRUE(rig.op.locked);
    }
}

TEST(Handshake, PortChangeToAPortThatDoesNotExist) {
    LinkRig rig;
    rig.simLine.SetMissingPort(QStringLiteral("com5"));
    const PortChoice choice = ComClick(rig.dev, 5, true);
    EXPECT_EQ(choice.checkedPort, 5);
    EXPECT_EQ(choice.portName, QStringLiteral("com5"));
    EXPECT_EQ(rig.tap.PortDeviceName(), QStringLiteral("com5"));
    EXPECT_FALSE(choice.outcome.ready);
    EXPECT_FALSE(choice.outcome.showRecoveryDialog);
    EXPECT_EQ(rig.op.messages, QStringList({QStringLiteral("Ошибка связи."),
                                            QStringLiteral("Устройство не отвечает")}));
    EXPECT_FALSE(rig.link.DeviceReady);
    EXPECT_TRUE(rig.link.LinkError);
    EXPECT_TRUE(rig.op.locked);
}

TEST(Handshake, PortChangeToAnAnsweringMachine) {
    LinkRig rig;
    rig.vc.SetSilent(true);
    StartUpLink(rig.dev, rig.timers, 100, 100);
    rig.vc.SetSilent(false);
    rig.op.messages.clear();

    const PortChoice choice = ComClick(rig.dev, 3, true);
    EXPECT_EQ(choice.checkedPort, 3);
    EXPECT_EQ(choice.portName, QStringLiteral("com3"));
    EXPECT_TRUE(choice.outcome.ready);
    EXPECT_TRUE(choice.outcome.showRecoveryDialog);
    EXPECT_EQ(rig.op.messages, QStringList{QStringLiteral("Устройство готово к работе")});
    EXPECT_TRUE(rig.link.DeviceReady);
    EXPECT_FALSE(rig.link.LinkError);
    EXPECT_FALSE(rig.op.locked);

    EXPECT_FALSE(ComClick(rig.dev, 2, false).outcome.showRecoveryDialog);
}

TEST(Handshake, LinkTestShowsTheDevicesName) {
    sim::ControllerOptions options;
    options.deviceName = QByteArray("ZEB-5\x01\xC3\xF0\xE0\xE2\x7F", 11) + QByteArray(22, ' ');
    LinkRig rig(options);
    rig.link.DeviceReady = false;
    LinkStatusTexts texts;
    texts.found = QStringLiteral("Found: ");
    const LinkCheckOutcome outcome = N5Click(rig.dev, texts, false);
    EXPECT_TRUE(outcome.ready);
    EXPECT_FALSE(outcome.showRecoveryDialog);
    ASSERT_EQ(rig.op.messages.size(), 2);
    EXPECT_EQ(rig.op.messages[0], QStringLiteral("Устройство готово к работе"));
    EXPECT_EQ(rig.op.messages[1],
              QStringLiteral("Found:  ZEB-5\\x01Грав\\x7F") + QString(22, QLatin1Char(' ')));
    EXPECT_EQ(rig.Commands().count(QStringLiteral("ReadParamByte")), 33);
    EXPECT_EQ(rig.Frames()[1], QStringLiteral("1B 58 50 00 12"));
    EXPECT_EQ(rig.Frames().last().left(11), QStringLiteral("1B 58 70 00"));
    EXPECT_FALSE(rig.op.locked);
}

TEST(Handshake, LinkTestWithASilentMachine) {
    LinkRig rig;
    rig.vc.SetSilent(true);
    const LinkCheckOutcome outcome = N5Click(rig.dev, LinkStatusTexts{}, true);
    EXPECT_FALSE(outcome.ready);
    EXPECT_FALSE(outcome.showRecoveryDialog);
    EXPECT_EQ(rig.op.messages, QStringList{QStringLiteral("Устройство не отвечает Hi_Test")});
    EXPECT_TRUE(rig.link.LinkError);
    EXPECT_TRUE(rig.op.locked);
}

TEST(Handshake, DeviceNameShowsUnprintableBytes) {
    EXPECT_EQ(DeviceNameText(QByteArray("AB\x00\x1B\x7F\x98\xC0\xFF", 8)),
              QStringLiteral("AB\\x00\\x1B\\x7F\\x98Ая"));
    EXPECT_EQ(DeviceNameText(QByteArray()), QString());
}

TEST(Handshake, KeepAliveStopsAfterTenGreetings) {
    LinkRig rig;
    StartUpLink(rig.dev, rig.timers, 100, 100);
    const int before = rig.Commands().count(QStringLiteral("Hi"));
    int ticks = 0;
    while (rig.timers.Running(TimerId::Timer4) && ticks < 50) {
        rig.clock.Advance(KeepAliveIntervalMs);
        Timer4Timer(rig.dev, rig.timers);
        ++ticks;
    }
    EXPECT_EQ(ticks, 10);
    EXPECT_EQ(rig.Commands().count(QStringLiteral("Hi")) - before, 10);
    EXPECT_FALSE(rig.timers.Running(TimerId::Timer4));
    EXPECT_EQ(rig.link.KeepAliveCount, 0);
    EXPECT_TRUE(rig.op.messages.isEmpty());
}

TEST(Handshake, KeepAliveStopsWhenTheGreetingFails) {
    LinkRig rig;
    StartUpLink(rig.dev, rig.timers, 100, 100);
    Timer4Timer(rig.dev, rig.timers);
    Timer4Timer(rig.dev, rig.timers);
    EXPECT_TRUE(rig.timers.Running(TimerId::Timer4));
    rig.vc.SetSilent(true);
    Timer4Timer(rig.dev, rig.timers);
    EXPECT_FALSE(rig.timers.Running(TimerId::Timer4));
    EXPECT_EQ(rig.link.KeepAliveCount, 3);
    EXPECT_EQ(rig.op.messages, QStringList{QStringLiteral("Устройство не отвечает Hi_Test")});
    EXPECT_TRUE(rig.op.locked);
}

} // namespace
} // namespace zeb::testing
