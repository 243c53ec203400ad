// The controller's side of the framed exchange, fed raw bytes: acknowledgements, end bytes,
// rejections, resynchronisation, repeats and the error inquiry.
#include "wire.h"

#include <gtest/gtest.h>

namespace zeb::sim::testing {
namespace {

TEST(ControllerFrames, GreetingIsAcknowledgedThenEnded) {
    Wire w;
    w.Send("1b0100001a");
    EXPECT_EQ(w.Take(), Hex("a050"));
    w.Send("22"); // the host's confirmation is taken quietly
    EXPECT_EQ(w.Take(), QByteArray());
    EXPECT_EQ(w.controller.ExpectedSeqNo(), 1);
    w.Send("1b0100001b");
    EXPECT_EQ(w.Take(), Hex("a151"));
}

TEST(ControllerFrames, ConfirmationIsNotRequired) {
    Wire w;
    w.Send("1b0100001a");
    EXPECT_EQ(w.Take(), Hex("a050"));
    w.Send("1b0100001b");
    EXPECT_EQ(w.Take(), Hex("a151"));
}

struct BadFrame {
    const char* name;
    const char* bytes;
    const char* answer;
};

class ControllerRejects : public ::testing::TestWithParam<BadFrame> {};

TEST_P(ControllerRejects, AnswersTheExpectedNumber) {
    Wire w;
    w.controller.SetExpectedSeqNo(7);
    w.Send(GetParam().bytes);
    EXPECT_EQ(w.Take(), Hex(GetParam().answer));
    EXPECT_EQ(w.controller.ExpectedSeqNo(), 7);
    EXPECT_EQ(w.controller.Trace().back().verdict, FrameVerdict::Rejected);
}

INSTANTIATE_TEST_SUITE_P(Frames, ControllerRejects,
                         ::testing::Values(BadFrame{"CheckByteBroken", "1b010000ff", "97"},
                                           BadFrame{"OldNumber", "1b01000019", "97"},  // Hi with 3
                                           BadFrame{"NextButOne", "1b01000013", "97"}, // Hi with 9
                                           BadFrame{"ChangedCode", "1b1100001d",
                                                    "97"}), // StepUp check on StepDown
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ControllerFrames, HostAdoptsTheNumberFromTheRejection) {
    // Host at 3, controller at 7: rejected with 0x97, greeted again with 7, acknowledged.
    Wire w;
    w.controller.SetExpectedSeqNo(7);
    w.Send("1b01000019");
    EXPECT_EQ(w.Take(), Hex("97"));
    w.Send("1b0100001d");
    EXPECT_EQ(w.Take(), Hex("a757"));
    w.Send("25");
    EXPECT_EQ(w.controller.ExpectedSeqNo(), 8);
}

TEST(ControllerFrames, SequenceNumberWrapsAfterFifteen) {
    Wire w;
    w.controller.SetExpectedSeqNo(15);
    w.Send("1b01000015");
    EXPECT_EQ(w.Take(), Hex("af5f"));
    w.Send("2d");
    EXPECT_EQ(w.controller.ExpectedSeqNo(), 0);
    w.Send("1b0100001a");
    EXPECT_EQ(w.Take(), Hex("a050"));
}

TEST(ControllerFrames, PartialFrameOlderThanFiftyMsIsDropped) {
    Wire w;
    w.Send("1b0100"); // three bytes, then the line goes quiet
    w.now += 51;
    w.Send("1b0100001a");
    EXPECT_EQ(w.Take(), Hex("a050"));
}

TEST(ControllerFrames, PartialFrameWithinFiftyMsIsCompleted) {
    Wire w;
    w.Send("1b0100");
    w.now += 40;
    w.Send("001a");
    EXPECT_EQ(w.Take(), Hex("a050"));
}

TEST(ControllerFrames, LeftoverOfARejectedBurstDoesNotShiftTheFrames) {
    // A stray byte in front of a frame makes a bad frame of the first five; the frame's last
    // byte must not start the next one, or every resend would be misread again.
    Wire w;
    w.Send("771b0100001a");
    EXPECT_EQ(w.Take(), Hex("90"));
    w.Send("1b0100001a");
    EXPECT_EQ(w.Take(), Hex("a050"));
}

TEST(ControllerFrames, RepeatedFrameIsAcknowledgedButNotCarriedOutTwice) {
    Wire w;
    w.Send("1b0100001a"); // Hi 0
    w.Take();
    w.Send("1b1000010b"); // StepUp 2 steps with 1
    EXPECT_EQ(w.Take(), Hex("a151"));
    w.Send("1b1000010b"); // the same frame again: the host missed the answer
    EXPECT_EQ(w.Take(), Hex("a151"));
    EXPECT_EQ(w.controller.HeadRow(), 1); // two steps, one row: moved once
    EXPECT_EQ(w.controller.ExpectedSeqNo(), 2);
    EXPECT_EQ(w.controller.Trace().back().verdict, FrameVerdict::Repeated);
}

TEST(ControllerFrames, OffKeepsTheExpectedNumber) {
    Wire w;
    w.controller.SetExpectedSeqNo(1);
    w.Send("1bfd0101e7");
    EXPECT_EQ(w.Take(), Hex("a151"));
    EXPECT_EQ(w.controller.ExpectedSeqNo(), 1);
    w.Send("1b0100001b"); // the next command carries Off's number
    EXPECT_EQ(w.Take(), Hex("a151"));
    EXPECT_EQ(w.controller.ExpectedSeqNo(), 2);
}

TEST(ControllerFrames, ResentOffIsARepeatButTheNextCommandIsNew) {
    Wire w;
    w.controller.SetExpectedSeqNo(1);
    w.Send("1bfd0101e7"); // Off with 1
    EXPECT_EQ(w.Take(), Hex("a151"));
    w.Send("1bfd0101e7"); // its end was lost: the same frame again
    EXPECT_EQ(w.Take(), Hex("a151"));
    EXPECT_EQ(w.controller.Trace().back().verdict, FrameVerdict::Repeated);
    w.Send("1b1000010b"); // StepUp 2 with 1: the host stepped back, a new command
    EXPECT_EQ(w.Take(), Hex("a151"));
    EXPECT_EQ(w.controller.HeadRow(), 1);
}

TEST(ControllerInquiry, IdleControllerAnswersWithTheExpectedNumber) {
    Wire w;
    w.controller.SetExpectedSeqNo(5);
    w.Send("1b01"); // a partial frame is forgotten by the inquiry
    w.Inquire();
    EXPECT_EQ(w.Take(), Hex("95"));
    w.Send("1b0100001f");
    EXPECT_EQ(w.Take(), Hex("a555"));
}

TEST(ControllerInquiry, BusyControllerAnswersWithTheNumberAtWork) {
    ControllerOptions options;
    options.timeScale = 1.0;
    Wire w(options);
    w.controller.SetExpectedSeqNo(2);
    w.Send("1b0301011a"); // WarmUpStrike with 2: about 60 ms
    EXPECT_EQ(w.Take(), Hex("a2"));
    w.Send("20");
    w.now += 30;
    w.Inquire();
    EXPECT_EQ(w.Take(), Hex("22"));
    w.Send("03"); // the host's reply to the inquiry answer is taken quietly
    EXPECT_EQ(w.TakeFor(100), Hex("52"));
    w.Inquire();
    EXPECT_EQ(w.Take(), Hex("93"));
}

TEST(ControllerInquiry, WronglyAnsweredFrameIsRevealedByTheInquiry) {
    Wire w;
    w.controller.AnswerNextFrameWrongly();
    w.Send("1b0100001a");
    const QByteArray wrong = w.Take();
    ASSERT_EQ(wrong.size(), 1);
    EXPECT_NE(wrong, Hex("a0"));
    w.Inquire();
    EXPECT_EQ(w.Take(), Hex("2050")); // accepted but unfinished, then finished
    w.Send("03");
    EXPECT_EQ(w.controller.ExpectedSeqNo(), 1);
}

TEST(ControllerInquiry, GarbageAnswersAreNoAnswerOfTheProtocol) {
    Wire w;
    w.controller.SetGarbageInquiryAnswers(true);
    for (int i = 0; i < 50; ++i) {
        w.Inquire();
        const QByteArray got = w.Take();
        ASSERT_EQ(got.size(), 1);
        const int kind = static_cast<quint8>(got[0]) >> 4;
        EXPECT_TRUE(kind != 0x2 && kind != 0x5 && kind != 0x6 && kind != 0x9 && kind != 0xA)
            << got.toHex().constData();
    }
}

TEST(ControllerInquiry, SilentControllerAnswersNothing) {
    Wire w;
    w.controller.SetSilent(true);
    w.Send("1b0100001a");
    w.Inquire();
    EXPECT_EQ(w.TakeFor(5000), QByteArray());
    w.controller.SetSilent(false);
    w.Send("1b0100001a");
    EXPECT_EQ(w.Take(), Hex("a050"));
}

TEST(ControllerFrames, RejectNextFramesThenAccepts) {
    Wire w;
    w.controller.RejectNextFrames(3);
    for (int i = 0; i < 3; ++i) {
        w.Send("1b0100001a");
        EXPECT_EQ(w.Take(), Hex("90"));
    }
    w.Send("1b0100001a");
    EXPECT_EQ(w.Take(), Hex("a050"));
}

TEST(ControllerFrames, TraceNamesEveryFrame) {
    Wire w;
    w.Send("1b0100001a"); // Hi 0
    w.Send("22");
    w.Send("1b1000010b"); // StepUp 1
    w.Send("23");
    w.Send("1b0100ffff"); // broken check byte
    ASSERT_EQ(w.controller.Trace().size(), 3u);
    EXPECT_EQ(w.controller.Trace()[0],
              (TracedCommand{0, "Hi", Hex("1b0100001a"), FrameVerdict::Accepted}));
    EXPECT_EQ(w.controller.Trace()[1],
              (TracedCommand{1, "StepUp", Hex("1b1000010b"), FrameVerdict::Accepted}));
    EXPECT_EQ(w.controller.Trace()[2],
              (TracedCommand{-1, "Hi", Hex("1b0100ffff"), FrameVerdict::Rejected}));
}

TEST(ControllerTiming, PacedWireTakesTwelveBitsPerByte) {
    ControllerOptions options;
    options.paceWire = true;
    Wire w(options);
    w.Send("1b0100001a");
    // Five bytes in (3.125 ms), then the acknowledgement (3.75 ms) and the end (4.375 ms).
    EXPECT_EQ(w.TakeUntil(3), QByteArray());
    EXPECT_EQ(w.TakeUntil(4), Hex("a0"));
    EXPECT_EQ(w.TakeUntil(5), Hex("50"));
}

TEST(ControllerTiming, MoveTakesThreeHundredthsOfPPerStep) {
    ControllerOptions options;
    options.timeScale = 1.0;
    Wire w(options);
    // Y driver: speed 12 (power-on), scale 17: P = 204; 100 steps take 612 ms.
    w.Send("1b4160112b"); // ProgY_Motor(0x60, 17) with 0
    EXPECT_EQ(w.Take(), Hex("a050"));
    w.Send("1b10006369"); // StepUp 100 with 1
    EXPECT_EQ(w.Take(), Hex("a1"));
    EXPECT_EQ(w.TakeUntil(611), QByteArray());
    EXPECT_EQ(w.TakeUntil(612), Hex("51"));
    EXPECT_EQ(w.controller.HeadRow(), 50);
}

TEST(ControllerTiming, TimeScaleStretchesTheWork) {
    ControllerOptions options;
    options.timeScale = 0.5;
    Wire w(options);
    w.Send("1b03010118"); // WarmUpStrike with 0: 60 ms, at half: 30 ms
    EXPECT_EQ(w.Take(), Hex("a0"));
    EXPECT_EQ(w.TakeUntil(29), QByteArray());
    EXPECT_EQ(w.TakeUntil(30), Hex("50"));
    EXPECT_EQ(w.controller.WarmUpStrikes(), 1);
    EXPECT_TRUE(w.controller.Workpiece().empty());
}

} // namespace
} // namespace zeb::sim::testing
