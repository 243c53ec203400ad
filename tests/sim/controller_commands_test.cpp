// Commands with extra traffic, replayed in the host's exact byte order: strike profiles,
// strike lines with their data frames, Monitor, How, parameter reads and motor drivers.
#include "wire.h"

#include <gtest/gtest.h>

namespace zeb::sim::testing {
namespace {

// X driver scale 17 (P = 12 x 17 = 204), then SetStrike with forces 14, 15, 100, 150 for
// levels 1..4 as the host builds them at P = 204: eight profile frames, numbers 2..9.
void SendWorkedProfiles(Wire& w) {
    w.Send("1b4060112a"); // ProgX_Motor(0x60, 17) with 0
    ASSERT_EQ(w.Take(), Hex("a050"));
    w.Send("1b4401015e"); // SetStrike with 1
    ASSERT_EQ(w.Take(), Hex("a151"));
    w.Send("23");
    const char* frames[] = {"0858070752", "0507010707", "085707075b", "0507010701",
                            "0802073239", "0532013203", "0730081b2c", "054b014b0d"};
    const char* answers[] = {"a252", "a353", "a454", "a555", "a656", "a757", "a858", "a959"};
    const char* confirmations[] = {"20", "21", "26", "27", "24", "25", "2a", "2b"};
    for (int i = 0; i < 8; ++i) {
        w.Send(frames[i]);
        ASSERT_EQ(w.Take(), Hex(answers[i])) << "profile frame " << i + 1;
        w.Send(confirmations[i]);
    }
}

TEST(ControllerProfiles, ForcesAreReadBackFromThePhases) {
    Wire w;
    SendWorkedProfiles(w);
    EXPECT_EQ(w.controller.ProfileForce(1), 14);
    EXPECT_EQ(w.controller.ProfileForce(2), 15); // odd: pinned down by the driver's P
    EXPECT_EQ(w.controller.ProfileForce(3), 100);
    EXPECT_EQ(w.controller.ProfileForce(4), 150);
    EXPECT_EQ(w.controller.ExpectedSeqNo(), 10);
    EXPECT_EQ(w.controller.Trace().back().name, "profile");
}

TEST(ControllerLines, WorkedExampleForwardLine1204) {
    Wire w;
    SendWorkedProfiles(w);
    w.Send("1b21000434"); // PrintLine forward, 4 dots, with 10
    EXPECT_EQ(w.Take(), Hex("aa5a"));
    w.Send("28");
    w.Send("120400001d"); // 1 2 0 4 0 0 0 0, with 11
    // Acknowledged, stored, then struck: the line's end carries 12.
    EXPECT_EQ(w.Take(), Hex("ab6b5c"));
    w.Send("29");
    w.Send("1b01000017"); // the host's next command carries 13
    EXPECT_EQ(w.Take(), Hex("ad5d"));

    const std::vector<Strike> expected{{0, 0, 1, 14}, {0, 1, 2, 15}, {0, 3, 4, 150}};
    EXPECT_EQ(w.controller.Workpiece(), expected);
    EXPECT_EQ(w.controller.HeadColumn(), 4);
    EXPECT_EQ(w.controller.Trace()[10].name, "PrintLine");
    EXPECT_EQ(w.controller.Trace()[11].name, "data");
}

TEST(ControllerLines, NineDotsBackwardTakeTwoDataFrames) {
    Wire w;
    w.Send("1b0100001a"); // Hi 0
    EXPECT_EQ(w.Take(), Hex("a050"));
    w.Send("22");
    w.Send("1b1200131b"); // Left 20 with 1
    EXPECT_EQ(w.Take(), Hex("a151"));
    w.Send("23");
    w.Send("1b20000930"); // PrintLine backward, 9 dots, with 2
    EXPECT_EQ(w.Take(), Hex("a252"));
    w.Send("20");
    w.Send("1000000013"); // dots 1..8: 1 0 0 0 0 0 0 0, with 3
    EXPECT_EQ(w.Take(), Hex("a363"));
    w.Send("21");
    w.Send("2000000024"); // dot 9: 2, padded, with 4
    EXPECT_EQ(w.Take(), Hex("a46455"));
    w.Send("26");
    w.Send("1b0100001c"); // next command with 6
    EXPECT_EQ(w.Take(), Hex("a656"));

    // Backward: one column down, then the strike.
    const std::vector<Strike> expected{{0, 19, 1, 0}, {0, 11, 2, 0}};
    EXPECT_EQ(w.controller.Workpiece(), expected);
    EXPECT_EQ(w.controller.HeadColumn(), 11);
}

TEST(ControllerLines, EmptyLineEndsAtOnceWithTheNextNumber) {
    Wire w;
    w.Send("1b2100003a"); // PrintLine forward, 0 dots, with 0
    EXPECT_EQ(w.Take(), Hex("a05051"));
    EXPECT_EQ(w.controller.ExpectedSeqNo(), 2);
    EXPECT_TRUE(w.controller.Workpiece().empty());
}

TEST(ControllerLines, CommandInPlaceOfDataAbandonsTheLine) {
    Wire w;
    w.Send("1b2100102a"); // PrintLine forward, 16 dots, with 0: two data frames due
    EXPECT_EQ(w.Take(), Hex("a050"));
    w.Send("1b0100001b"); // a greeting with 1 instead (the host restarted)
    EXPECT_EQ(w.Take(), Hex("a151"));
    EXPECT_TRUE(w.controller.Workpiece().empty());
    EXPECT_EQ(w.controller.HeadColumn(), 0);
}

TEST(ControllerLines, StopMidLineFallsSilentBeforeTheStrike) {
    Wire w;
    w.controller.StopMidLine(1);
    w.Send("1b2100102a"); // 16 dots with 0
    EXPECT_EQ(w.Take(), Hex("a050"));
    w.Send("4444444401"); // first data frame with 1: stored
    EXPECT_EQ(w.Take(), Hex("a161"));
    w.Send("4444444402"); // second with 2: nobody answers any more
    w.Inquire();
    EXPECT_EQ(w.TakeFor(3000), QByteArray());
    EXPECT_TRUE(w.controller.Workpiece().empty());
}

TEST(ControllerMonitor, ReportsTheCountersWithARawByteExchange) {
    Wire w;
    w.Send("1b1000050e"); // StepUp 6 with 0
    w.Take();
    w.Send("1b12012b22"); // Left 300 with 1
    w.Take();
    w.Send("1b30000029"); // Monitor with 2
    EXPECT_EQ(w.Take(), Hex("a25200"));
    w.Send("20");
    // Each raw byte waits for the host's 0x0A.
    EXPECT_EQ(w.Take(), QByteArray());
    w.Send("0a");
    EXPECT_EQ(w.Take(), Hex("06"));
    w.Send("0a");
    EXPECT_EQ(w.Take(), Hex("01"));
    w.Send("0a");
    EXPECT_EQ(w.Take(), Hex("2c"));
    w.Send("0a");
    EXPECT_EQ(w.Take(), Hex("53")); // the second end carries the next number
    w.Send("1b0100001e");           // and the next command the one after
    EXPECT_EQ(w.Take(), Hex("a454"));
}

TEST(ControllerMonitor, RawBytesGoOnWithoutTheHostsReply) {
    Wire w;
    w.Send("1b1000050e"); // StepUp 6 with 0
    w.Take();
    w.controller.SetExpectedSeqNo(2);
    w.Send("1b30000029");
    EXPECT_EQ(w.Take(), Hex("a25200"));
    // A lost reply must not hang the exchange: after 300 ms the next byte comes anyway.
    EXPECT_EQ(w.TakeFor(299), QByteArray());
    EXPECT_EQ(w.TakeFor(1), Hex("06"));
    EXPECT_EQ(w.TakeFor(1000), Hex("000053"));
}

TEST(ControllerMonitor, ShiftedCountersDisagreeAfterTheNextLine) {
    Wire w;
    w.controller.ShiftCountersAfterNextLine(3);
    w.Send("1b2100003a"); // an empty forward line with 0 (ends with 1)
    w.Take();
    w.Send("1b30000029"); // Monitor with 2
    w.Take();
    QByteArray raw;
    for (int i = 0; i < 4; ++i) {
        w.Send("0a");
        raw += w.Take();
    }
    EXPECT_EQ(raw, Hex("00000353")); // row low byte, column 3, then the end
    EXPECT_EQ(w.controller.HeadColumn(), 0);
}

TEST(ControllerHow, SavedPositionSurvivesTheReset) {
    Wire w;
    w.Send("1b3700002c"); // BeginPrint with 0
    w.Send("1b10000903"); // StepUp 10 with 1
    w.Send("1b1200040f"); // Left 5 with 2
    w.Take();
    EXPECT_TRUE(w.controller.PrintJobOpen());
    w.Send("1b00000018"); // the host restarts and resets the controller, with 3
    EXPECT_EQ(w.Take(), Hex("a353"));
    EXPECT_FALSE(w.controller.PrintJobOpen());
    EXPECT_EQ(w.controller.HeadColumn(), 0);

    w.Send("1b36000029"); // How with 4
    EXPECT_EQ(w.Take(), Hex("a454"
                            "00"));
    // The host echoes every byte; the fifth is the xor of the four.
    QByteArray raw = Hex("00");
    for (const char* echo : {"00", "0a", "00", "05", "0f"}) {
        w.Send(echo);
        raw += w.Take();
    }
    EXPECT_EQ(raw, Hex("000a00050f55"));
    EXPECT_EQ(w.controller.SavedRow(), 5);
    EXPECT_EQ(w.controller.SavedColumn(), 5);
}

TEST(ControllerParams, DeviceNameSitsAtAddresses80To112) {
    ControllerOptions options;
    options.deviceName = QByteArray("Z").leftJustified(32, '.') + QByteArray("!");
    Wire w(options);
    w.Send("1b58500013"); // ReadParamByte(80) with 0
    EXPECT_EQ(w.Take(), Hex("a05a50"));
    w.Send("22");
    w.Send("1b58700032"); // ReadParamByte(112) with 1
    EXPECT_EQ(w.Take(), Hex("a12151"));
}

TEST(ControllerDrivers, DriverAnswersWithTheEndByte) {
    Wire w;
    w.Send("1b40610c36"); // ProgX_Motor(0x61, 12) with 0
    EXPECT_EQ(w.Take(), Hex("a050"));
    EXPECT_EQ(w.controller.ExpectedSeqNo(), 1);
}

TEST(ControllerDrivers, SilentDriverLeavesTheNumberWhereItWas) {
    Wire w;
    w.controller.SetMotorDriverSilent('Y', true);
    w.Send("1b41610c37"); // ProgY_Motor(0x61, 12) with 0
    EXPECT_EQ(w.TakeFor(1000), Hex("a0"));
    EXPECT_EQ(w.controller.ExpectedSeqNo(), 0);
    w.Send("1b40610c36"); // the X driver still answers, with the same number
    EXPECT_EQ(w.Take(), Hex("a050"));
}

TEST(ControllerDrivers, DriverThatWakesUpAnswersTheSameFrameAgain) {
    Wire w;
    w.controller.SetMotorDriverSilent('X', true);
    w.Send("1b40610c36"); // ProgX_Motor(0x61, 12) with 0: no answer from the driver
    EXPECT_EQ(w.TakeFor(1000), Hex("a0"));
    w.controller.SetMotorDriverSilent('X', false);
    w.Send("1b40610c36"); // the operator tries again: a new try, not a repeat
    EXPECT_EQ(w.Take(), Hex("a050"));
    EXPECT_EQ(w.controller.Trace().back().verdict, FrameVerdict::Accepted);
}

} // namespace
} // namespace zeb::sim::testing
