// The command vocabulary against the virtual controller: wire codes, time limits, strike
// profiles, strike lines, position queries and the motor drivers.

#include "link_rig.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

StrikeLevelSet Levels(int l1, int l2, int l3, int l4) {
    StrikeLevelSet levels;
    levels[1] = static_cast<quint8>(l1);
    levels[2] = static_cast<quint8>(l2);
    levels[3] = static_cast<quint8>(l3);
    levels[4] = static_cast<quint8>(l4);
    return levels;
}

TEST(Commands, WireCodesNamesAndLimits) {
    struct Row {
        std::function<void(Device&)> run;
        const char* name;
        const char* frame; // as sent with sequence number 0
        int limit;
    };
    const Row rows[] = {
        {[](Device& d) { d.StepUp(1); }, "StepUp", "1B 10 00 00 0B", 3400},
        {[](Device& d) { d.StepDown(2); }, "StepDown", "1B 11 00 01 0B", 3400},
        {[](Device& d) { d.Left(256); }, "Left", "1B 12 00 FF F6", 1492},
        {[](Device& d) { d.Right(3); }, "Right", "1B 13 00 02 0A", 1400},
        {[](Device& d) { d.Up(); }, "Up", "1B FF 01 01 E4", 100},
        {[](Device& d) { d.Put(0); }, "Put", "1B FE 00 00 E5", 100},
        {[](Device& d) { d.Put(1); }, "Put", "1B FE 01 01 E5", 100},
        {[](Device& d) { d.Off(); }, "Off", "1B FD 01 01 E6", 1000},
        {[](Device& d) { d.BeginPrint(); }, "Begin print", "1B 37 00 00 2C", 1},
        {[](Device& d) { d.EndPrint(); }, "EndPrint", "1B 39 00 00 22", 1000},
        {[](Device& d) { d.ReadParamByte(80); }, "R.E.", "1B 58 50 00 13", 1000},
        {[](Device& d) { d.Monitor(); }, "Monitor", "1B 30 00 00 2B", 100},
        {[](Device& d) { d.How(); }, "How", "1B 36 00 00 2D", 1000},
        {[](Device& d) { d.ProgX_Motor(0x60, 16); }, "ProgX_Motor", "1B 40 60 10 2B", 100},
        {[](Device& d) { d.ProgY_Motor(0x61, 12); }, "ProgY_Motor", "1B 41 61 0C 37", 100},
    };
    for (const Row& row : rows) {
        LinkRig rig;
        rig.machine.LinkTime = 400; // P = 12 x 1: moves take 0.36 ms a step
        row.run(rig.dev);
        ASSERT_FALSE(rig.vc.Trace().empty()) << row.name;
        EXPECT_EQ(rig.Frames().first(), QString::fromLatin1(row.frame)) << row.name;
        EXPECT_EQ(rig.link.CmdName, QString::fromLatin1(row.name));
        EXPECT_EQ(rig.link.LongTimeout, row.limit) << row.name;
        EXPECT_TRUE(rig.op.messages.isEmpty()) << row.name;
        EXPECT_TRUE(rig.link.DeviceReady) << row.name;
    }
}

TEST(Commands, UnnamedCommandsKeepThePreviousName) {
    LinkRig rig;
    rig.dev.Up();
    rig.dev.WarmUpStrike();
    EXPECT_EQ(rig.Frames().last(), QStringLiteral("1B 03 01 01 19"));
    EXPECT_EQ(rig.link.LongTimeout, 5000);
    rig.dev.SetRegister55();
    EXPECT_EQ(rig.Frames().last(), QStringLiteral("1B A5 55 40 A9"));
    rig.dev.SetRegister54();
    EXPECT_EQ(rig.Frames().last(), QStringLiteral("1B A5 54 2E C7"));
    EXPECT_EQ(rig.link.CmdName, QStringLiteral("Up"));
    EXPECT_EQ(rig.machine.TickA, 64);
    EXPECT_EQ(rig.machine.TickB, 46);
}

TEST(Commands, MoveLimitsFollowTheStepTime) {
    LinkRig rig;
    rig.machine.MotorSpeed = 12;
    rig.machine.MotorSpeedScale = 17;
    rig.machine.LinkTime = 400;
    rig.dev.StepUp(100);
    EXPECT_EQ(rig.link.LongTimeout, 4012);
    rig.dev.StepDown(100);
    EXPECT_EQ(rig.link.LongTimeout, 4012);
    rig.dev.Left(100);
    EXPECT_EQ(rig.link.LongTimeout, 2012);
    rig.dev.Right(100);
    EXPECT_EQ(rig.link.LongTimeout, 2005);

    rig.machine.CurrentCol = 77;
    rig.machine.CurrentRow = 33;
    rig.dev.ResetError(1930, 2330);
    EXPECT_EQ(rig.link.LongTimeout, 44880);
    EXPECT_EQ(rig.link.CmdName, QStringLiteral("Reset eror"));
    EXPECT_EQ(rig.Frames().last().left(11), QStringLiteral("1B 00 00 00"));
    EXPECT_EQ(rig.op.service.value(ServiceField::Edit5), QStringLiteral("44880      44880"));
    EXPECT_EQ(rig.op.service.value(ServiceField::Edit6), QStringLiteral("2330    1930"));
    EXPECT_EQ(rig.machine.CurrentCol, 0);
    EXPECT_EQ(rig.machine.CurrentRow, 0);
    EXPECT_EQ(rig.op.cursor, CursorShape::Normal);
}

TEST(Commands, MoveCountsOutsideTwoBytesAreRefused) {
    LinkRig rig;
    EXPECT_TRUE(rig.dev.Left(0));
    EXPECT_TRUE(rig.dev.Right(0));
    EXPECT_TRUE(rig.dev.StepUp(0)); // would otherwise go out as FF FF: 65536 steps
    EXPECT_TRUE(rig.vc.Trace().empty());
    EXPECT_TRUE(rig.op.messages.isEmpty());

    EXPECT_FALSE(rig.dev.StepUp(65536));
    EXPECT_FALSE(rig.dev.Right(100000));
    EXPECT_FALSE(rig.dev.Left(-3));
    EXPECT_TRUE(rig.vc.Trace().empty());
    ASSERT_EQ(rig.op.messages.size(), 3);
    EXPECT_TRUE(rig.op.messages[0].contains(QStringLiteral("StepUp")));
    EXPECT_TRUE(rig.op.messages[0].contains(QStringLiteral("65536")));
    EXPECT_TRUE(rig.op.messages[0].contains(QStringLiteral("65535")));
    EXPECT_TRUE(rig.link.DeviceReady);

    EXPECT_TRUE(rig.dev.StepDown(65535));
    EXPECT_EQ(rig.Frames().last().left(11), QStringLiteral("1B 11 FF FE"));
}

TEST(Commands, LongWaitLogsItsSilentReads) {
    sim::ControllerOptions options;
    options.timeScale = 1.0; // the move takes its modelled time
    LinkRig rig(options);
    rig.machine.MotorSpeed = 12;
    rig.machine.MotorSpeedScale = 17;
    rig.link.SeqNo = 3;
    rig.vc.SetExpectedSeqNo(3);
    rig.dev.StepUp(400);
    const QRegularExpression entry(
        QStringLiteral("^3; StepUp; A3; A3; OK;   LongEndComand  ; (0; )+53;  Ok ; $"));
    EXPECT_TRUE(entry.match(rig.link.CommandLog[0]).hasMatch())
        << rig.link.CommandLog[0].toStdString();
    EXPECT_EQ(rig.op.beeps, 0);
}

TEST(Commands, OffKeepsItsNumberForTheNextCommand) {
    LinkRig rig;
    rig.link.SeqNo = 5;
    rig.vc.SetExpectedSeqNo(5);
    rig.dev.Off();
    EXPECT_EQ(rig.link.SeqNo, 5);
    rig.dev.Up();
    ASSERT_EQ(rig.vc.Trace().size(), 2u);
    EXPECT_EQ(rig.vc.Trace()[0].seqNo, 5);
    EXPECT_EQ(rig.vc.Trace()[1].seqNo, 5);
    EXPECT_EQ(rig.link.SeqNo, 6);
    EXPECT_TRUE(rig.op.messages.isEmpty());

    rig.link.SeqNo = 0;
    rig.vc.SetExpectedSeqNo(0);
    rig.dev.Off();
    EXPECT_EQ(rig.link.SeqNo, 0);
}

TEST(Commands, SetStrikeWorkedCaseByteForByte) {
    LinkRig rig;
    rig.machine.MotorSpeed = 12;
    rig.machine.MotorSpeedScale = 17;
    rig.machine.TickA = 64;
    rig.machine.TickB = 46;
    EXPECT_TRUE(rig.dev.SetStrike(Levels(14, 14, 14, 14)));
    EXPECT_EQ(rig.Frames(), QStringList({
                                "1B 44 01 01 5F", // SetStrike, number 0
                                "08 58 07 07 51", // level 1: (8, 88) (7, 7)
                                "05 07 01 07 06", //          (5, 7) (1, 7)
                                "08 58 07 07 53", // level 2
                                "05 07 01 07 00", //
                                "08 58 07 07 55", // level 3
                                "05 07 01 07 02", //
                                "08 58 07 07 57", // level 4
                                "05 07 01 07 0C", //
                            }));
    EXPECT_EQ(rig.machine.ColumnTime, (std::array<int, 5>{527, 763, 763, 763, 763}));
    EXPECT_EQ(rig.link.SeqNo, 9);
    for (int level = 1; level <= 4; ++level)
        EXPECT_EQ(rig.vc.ProfileForce(level), 14) << level;
    EXPECT_TRUE(rig.op.messages.isEmpty());
}

TEST(Commands, SetStrikeWithoutAProfileSendsNothing) {
    LinkRig rig;
    rig.machine.MotorSpeed = 30;
    rig.machine.MotorSpeedScale = 20; // resolution index 4: P = 600
    rig.machine.ColumnTime = {1, 2, 3, 4, 5};
    EXPECT_FALSE(rig.dev.SetStrike(Levels(100, 2, 100, 100)));
    EXPECT_TRUE(rig.vc.Trace().empty());
    ASSERT_EQ(rig.op.messages.size(), 1);
    EXPECT_TRUE(rig.op.messages[0].contains(QStringLiteral("KnockHelth2")));
    EXPECT_EQ(rig.machine.ColumnTime, (std::array<int, 5>{1, 2, 3, 4, 5}));
}

TEST(Commands, PrintLinePacksItsDotsIntoDataFrames) {
    LinkRig rig;
    rig.dev.SetStrike(Levels(10, 20, 30, 40));
    const auto strikesBefore = rig.vc.Workpiece().size();
    const auto framesBefore = rig.vc.Trace().size();
    rig.link.SeqNo = 0;
    rig.vc.SetExpectedSeqNo(0);
    rig.dev.PrintLine(LineDirection::Forward, "1204");
    EXPECT_EQ(rig.Frames().mid(framesBefore), QStringList({"1B 21 00 04 3E", "12 04 00 00 17"}));
    EXPECT_EQ(rig.link.SeqNo, 3); // line, data frame, and the line's end after it
    EXPECT_EQ(rig.machine.CurrentCol, 4);
    EXPECT_EQ(rig.op.cursor, CursorShape::Normal);
    ASSERT_EQ(rig.vc.Workpiece().size(), strikesBefore + 3);
    EXPECT_EQ(rig.vc.Workpiece()[strikesBefore].profile, 1);
    EXPECT_EQ(rig.vc.Workpiece()[strikesBefore + 1].profile, 2);
    EXPECT_EQ(rig.vc.Workpiece()[strikesBefore + 2].profile, 4);
    EXPECT_EQ(rig.vc.Workpiece()[strikesBefore + 2].force, 40);
    EXPECT_TRUE(rig.op.messages.isEmpty());
}

TEST(Commands, PrintLineOfNineDotsGoesInTwoFrames) {
    LinkRig rig;
    rig.dev.PrintLine(LineDirection::Forward, "123412341");
    EXPECT_EQ(rig.Frames(), QStringList({"1B 21 00 09 33", "12 34 12 34 01", "10 00 00 00 12"}));
    EXPECT_EQ(rig.Commands(), QStringList({"PrintLine", "data", "data"}));
}

TEST(Commands, BackwardLineWithLowCountByteZeroIsGreetedFirst) {
    const QByteArray dots(256, '1');
    {
        LinkRig rig;
        rig.machine.CurrentCol = 300;
        rig.dev.PrintLine(LineDirection::Backward, dots);
        const QStringList commands = rig.Commands();
        ASSERT_EQ(commands.size(), 2 + 32);
        EXPECT_EQ(commands[0], QStringLiteral("Hi"));
        EXPECT_EQ(commands[1], QStringLiteral("PrintLine"));
        EXPECT_EQ(rig.Frames()[1].left(11), QStringLiteral("1B 20 01 00"));
        EXPECT_EQ(rig.machine.CurrentCol, 44);
    }
    {
        LinkRig rig;
        rig.dev.PrintLine(LineDirection::Forward, dots);
        EXPECT_EQ(rig.Commands().first(), QStringLiteral("PrintLine"));
        EXPECT_EQ(rig.Commands().count(QStringLiteral("Hi")), 0);
    }
    {
        LinkRig rig;
        rig.dev.PrintLine(LineDirection::Backward, QByteArray(255, '1'));
        EXPECT_EQ(rig.Commands().first(), QStringLiteral("PrintLine"));
    }
}

TEST(Commands, MonitorShowsWhatTheControllerCounts) {
    LinkRig rig;
    rig.dev.StepUp(10); // five rows
    rig.dev.Left(3);
    rig.tap.Wire();
    const std::optional<HeadPosition> position = rig.dev.Monitor();
    ASSERT_TRUE(position.has_value());
    EXPECT_EQ(position->row, 5);
    EXPECT_EQ(position->column, 3);
    EXPECT_EQ(rig.op.service.value(ServiceField::RealPosY), QStringLiteral("5"));
    EXPECT_EQ(rig.op.service.value(ServiceField::RealPosX), QStringLiteral("3"));
    // Four position bytes (rows in Y steps), each answered with 0A, then the end.
    EXPECT_EQ(rig.tap.Wire(), QStringLiteral(">1B >30 >00 >00 >29 <A2 >20 <52 "
                                             "<00 >0A <0A >0A <00 >0A <03 >0A <53"));

    rig.selfTest.StepControl = false;
    rig.op.service.clear();
    EXPECT_TRUE(rig.dev.Monitor().has_value());
    EXPECT_TRUE(rig.op.service.isEmpty());
}

TEST(Commands, HowEchoesTheSavedPosition) {
    LinkRig rig;
    rig.dev.How();
    const std::optional<HeadPosition> position = rig.dev.How();
    ASSERT_TRUE(position.has_value());
    EXPECT_EQ(position->row, rig.vc.SavedRow());
    EXPECT_EQ(position->column, rig.vc.SavedColumn());
    EXPECT_TRUE(rig.op.messages.isEmpty());
    EXPECT_TRUE(rig.link.DeviceReady);
}

TEST(Commands, HowThatNeverGetsItsBytesIsALostLink) {
    LinkRig rig;
    rig.tap.SilenceAfterReads(2); // the acknowledgement and the first end byte
    const qint64 start = rig.clock.MonotonicMs();
    EXPECT_FALSE(rig.dev.How().has_value());
    EXPECT_LE(rig.clock.MonotonicMs() - start, 10000);
    EXPECT_EQ(rig.op.messages, QStringList{QStringLiteral("Устройство не отвечает How")});
    EXPECT_FALSE(rig.link.DeviceReady);
    EXPECT_TRUE(rig.op.locked);
}

TEST(Commands, ParameterMemoryHoldsTheName) {
    LinkRig rig;
    EXPECT_EQ(rig.dev.ReadParamByte(80), 'Z');
    EXPECT_EQ(rig.dev.ReadParamByte(81), 'E');
    EXPECT_EQ(rig.link.SeqNo, 2);
}

TEST(Commands, MotorDriversKeepTheHostsCopy) {
    LinkRig rig;
    EXPECT_TRUE(rig.dev.SetMotorSpeed(20));
    rig.dev.SetMotorSpeedScale(4);
    EXPECT_EQ(rig.Frames(), QStringList({"1B 40 61 14 2E", "1B 41 61 14 2E", "1B 40 60 14 2D",
                                         "1B 41 60 14 2D"}));
    EXPECT_EQ(rig.machine.MotorSpeed, 20);
    EXPECT_EQ(rig.machine.MotorSpeedScale, 20);
    EXPECT_EQ(rig.link.SeqNo, 4);
    EXPECT_FALSE(rig.op.locked);
}

TEST(Commands, SilentMotorDriversHaveTheirOwnMessages) {
    {
        LinkRig rig;
        rig.vc.SetMotorDriverSilent('X', true);
        EXPECT_FALSE(rig.dev.ProgX_Motor(0x60, 16));
        EXPECT_EQ(rig.op.messages,
                  QStringList{QStringLiteral("Устройство не отвечаетProgX_Motor")});
        EXPECT_FALSE(rig.link.DeviceReady);
        EXPECT_TRUE(rig.op.locked);
        // Nothing is sent and nothing reported while the link is down.
        EXPECT_TRUE(rig.dev.ProgY_Motor(0x60, 16));
        EXPECT_EQ(rig.op.messages.size(), 1);
    }
    {
        LinkRig rig;
        rig.vc.SetMotorDriverSilent('Y', true);
        EXPECT_FALSE(rig.dev.SetMotorSpeed(30));
        EXPECT_EQ(rig.op.messages,
                  QStringList{QStringLiteral("Устройство не отвечает ProgY_Motor")});
        EXPECT_EQ(rig.machine.MotorSpeed, 30);
    }
}

TEST(Commands, LinkTimeComesFromAHundredAndOneGreetings) {
    {
        LinkRig rig; // instant controller: nothing measurable
        rig.dev.MeasureLinkTime();
        EXPECT_EQ(rig.machine.LinkTime, 400);
        EXPECT_EQ(rig.Commands().count(QStringLiteral("Hi")), 101);
    }
    {
        sim::ControllerOptions options;
        options.paceWire = true; // eight bytes of 12 bits at 19200 baud a greeting
        LinkRig rig(options);
        rig.dev.MeasureLinkTime();
        EXPECT_GE(rig.machine.LinkTime, 101 * 4);
        EXPECT_LE(rig.machine.LinkTime, 101 * 8);
    }
    {
        LinkRig rig; // a silent line: one greeting fails, the rest are not tried
        rig.vc.SetSilent(true);
        rig.dev.MeasureLinkTime();
        EXPECT_EQ(rig.machine.LinkTime, 400);
        EXPECT_EQ(rig.op.messages.size(), 1);
        EXPECT_LE(rig.clock.MonotonicMs(), 4000);
    }
}

} // namespace
} // namespace zeb::testing
