// The controller's side of the exchange, fed raw bytes: what the host's own tests cannot
// reach (partial and stray bytes, repeats, a busy inquiry, modelled time) and the commands
// with extra traffic. Scripts are "host bytes>controller bytes" in hex (see Wire::Play).
#include "wire.h"

#include <gtest/gtest.h>

namespace zeb::sim::testing {
namespace {

// Exchanges the script alone checks: every answer byte as it comes due.
TEST(ControllerFrames, ScriptedExchanges) {
    const struct {
        const char* name;
        const char* script;
        double timeScale = 0;
        bool paceWire = false;
        FaultPlan faults = {};
        int seqNo = 0; // the number the controller expects first
    } rows[] = {
        {"a confirmation is taken quietly and not required",
         "1b0100001a>a050 22> 1b0100001b>a151 1b01000018>a252"},
        {"a partial frame older than 50 ms is dropped", "1b0100> +51> 1b0100001a>a050"},
        {"within 50 ms it is completed", "1b0100> +40> 001a>a050"},
        {"an inquiry forgets it", "1b01> !81>90 1b0100001a>a050"},
        // A stray byte spoils the first five; the frame's last byte must not start the next
        // one, or every resend would be misread again.
        {"a stray byte", "771b0100001a>90 1b0100001a>a050"},
        // Five bytes in (3.125 ms), then the acknowledgement (3.75 ms) and the end (4.375 ms).
        {"a paced wire", "1b0100001a> +3> +1>a0 +1>50", 0, true},
        // StepUp 6 with 0, Monitor with 1; a lost reply must not hang the exchange: after
        // 300 ms the next byte comes anyway, and the second end carries the next number.
        {"monitor bytes go on without the host's reply",
         "1b1000050e>a050 1b3000002a>a15100 +299> +1>06 +1000>000052"},
        // A busy controller answers the inquiry with the number at work: WarmUpStrike with 2
        // takes 60 ms; the host's reply 03 to the inquiry answer is quiet.
        {"busy", "1b0301011a>a2 20> +30> !81>22 03> +100>52 !81>93", 1.0, false, {}, 2},
        {"silent after two frames",
         "1b0100001a>a050 1b0100001b>a151 1b01000018> !81> +2000>",
         0,
         false,
         {.silentAfter = 2}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Wire w({.timeScale = row.timeScale,
                .paceWire = row.paceWire,
                .stateFile = {},
                .faults = row.faults});
        w.controller.SetExpectedSeqNo(row.seqNo);
        w.Play(row.script);
    }
}

TEST(ControllerFrames, BadFramesAreRejectedWithTheExpectedNumber) {
    const std::pair<const char*, int> rows[] = {
        {"1b010000ff>97", -1}, // check byte broken
        {"1b01000019>97", 3},  // Hi with an old number
        {"1b1100001d>97", -1}, // a changed code: the check byte fits no number
    };
    for (const auto& [script, seqNo] : rows) {
        SCOPED_TRACE(script);
        Wire w;
        w.controller.SetExpectedSeqNo(7);
        w.Play(script);
        EXPECT_EQ(w.controller.ExpectedSeqNo(), 7);
        EXPECT_EQ(w.controller.Trace().back().verdict, FrameVerdict::Rejected);
        EXPECT_EQ(w.controller.Trace().back().seqNo, seqNo);
    }
}

TEST(ControllerFrames, RepeatedFrameIsAcknowledgedButNotCarriedOutTwice) {
    Wire w;
    // StepUp 2 steps with 1, then the same again: the host missed the answer.
    w.Play("1b0100001a>a050 1b1000010b>a151 1b1000010b>a151");
    EXPECT_EQ(w.controller.HeadRow(), 1);
    EXPECT_EQ(w.controller.Trace().back().verdict, FrameVerdict::Repeated);
    // Off keeps the number: its resend is a repeat, the next command with 2 a new one.
    w.Play("1bfd0101e4>a252 1bfd0101e4>a252 1b10000108>a252");
    EXPECT_EQ(w.controller.HeadRow(), 2);
    EXPECT_EQ(w.controller.ExpectedSeqNo(), 3);
}

TEST(ControllerTiming, ModelledMoves) {
    ControllerOptions modelled;
    modelled.timeScale = 1.0;
    Wire w(modelled);
    // Y driver: speed 12 (power-on), scale 17: P = 204; StepUp 100 takes 612 ms.
    w.Play("1b4160112b>a050 1b10006369>a1 +611> +1>51");
    EXPECT_EQ(w.controller.HeadRow(), 50);
}

TEST(ControllerLines, ForcesAreReadBackWithTheXDriversStepTime) {
    Wire w;
    // ProgX_Motor(0x60, 17) with 0 (P = 204); SetStrike with 1 and its eight profile frames,
    // forces 14, 15, 100, 150 as the host builds them at P = 204; the forward line 1 2 0 4
    // with 10, its data frame stored, struck, ended with 12; the next command with 13.
    w.Play("1b4060112a>a050 1b4401015e>a151 0858070752>a252 0507010707>a353 085707075b>a454 "
           "0507010701>a555 0802073239>a656 0532013203>a757 0730081b2c>a858 054b014b0d>a959 "
           "1b21000434>aa5a 120400001d>ab6b5c 1b01000017>ad5d");
    EXPECT_EQ(w.controller.Workpiece(),
              (std::vector<Strike>{{0, 0, 1, 14}, {0, 1, 2, 15}, {0, 3, 4, 150}}));
    EXPECT_EQ(w.controller.ProfileForce(3), 100);
    EXPECT_EQ(w.controller.HeadColumn(), 4);
}

TEST(ControllerLines, CommandInPlaceOfDataAbandonsTheLine) {
    Wire w;
    // 16 dots with 0: two data frames due; a greeting with 1 instead (the host restarted).
    w.Play("1b2100102a>a050 1b0100001b>a151");
    EXPECT_TRUE(w.controller.Workpiece().empty());
    EXPECT_EQ(w.controller.HeadColumn(), 0);
}

TEST(ControllerMonitor, ShiftedCountersDisagreeAfterTheNextLine) {
    Wire w;
    w.controller.ShiftCountersAfterNextLine(3);
    // An empty forward line with 0 ends at once with 1; Monitor with 2: row 0, column 3.
    w.Play("1b2100003a>a05051 1b30000029>a25200 0a>00 0a>00 0a>03 0a>53");
    EXPECT_EQ(w.controller.HeadColumn(), 0);
}

TEST(ControllerDrivers, SilentDriverKeepsTheNumberAndAnswersOnceAwake) {
    ControllerOptions options;
    options.faults.silentX = true;
    Wire w(options);
    w.Play("1b40610c36>a0 +1000>"); // ProgX_Motor(0x61, 12) with 0
    EXPECT_EQ(w.controller.ExpectedSeqNo(), 0);
    w.controller.SetMotorDriverSilent('X', false);
    w.Play("1b40610c36>a050"); // the operator tries again: a new try, not a repeat
    EXPECT_EQ(w.controller.Trace().back().verdict, FrameVerdict::Accepted);
}

} // namespace
} // namespace zeb::sim::testing
