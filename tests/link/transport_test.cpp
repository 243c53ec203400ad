// The framed exchange against the virtual controller: acknowledgements, resends, the error
// inquiry, the end-waits, the greeting and the command log. Bytes on the wire are spelled
// out by hand.

#include "link/link_messages.h"
#include "link_rig.h"

#include <gtest/gtest.h>

namespace zeb::testing {
namespace {

QByteArray Code(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

class LogSink : public CommandLogSink {
public:
    void WriteLine(const QString& line) override { lines << line; }
    QStringList lines;
};

TEST(Transport, SequenceNumber15WrapsToZero) {
    LinkRig rig;
    rig.link.SeqNo = 15;
    rig.vc.SetExpectedSeqNo(15);
    rig.dev.Up();
    // Check byte 1B^FF^01^01^0F, acknowledgement AF, confirmation 0F^22, end 5F.
    EXPECT_EQ(rig.tap.Wire(), QStringLiteral(">1B >FF >01 >01 >EB <AF >2D <5F"));
    EXPECT_EQ(rig.link.SeqNo, 0);
    EXPECT_EQ(rig.link.CommandLog[0],
              QStringLiteral("F; Up; AF; AF; OK;   EndComand  ; 5F; 5F; OK; "));
    EXPECT_TRUE(rig.op.messages.isEmpty());

    // The end byte is lost: the inquiry finds the controller expecting 0, and a rejection
    // for the next number after 15 is 0x90.
    rig.link.SeqNo = 15;
    rig.vc.SetExpectedSeqNo(15);
    rig.tap.DropIncoming(0x5F);
    rig.dev.Up();
    EXPECT_EQ(rig.tap.Wire(), QStringLiteral(">1B >FF >01 >01 >EB <AF >2D <lost 5F >!81 <90"));
    EXPECT_EQ(rig.link.SeqNo, 0);
    EXPECT_TRUE(rig.link.DeviceReady);
    EXPECT_TRUE(rig.op.messages.isEmpty());
}

TEST(Transport, RejectedThreeTimesThenAcknowledged) {
    LinkRig rig;
    rig.vc.RejectNextFrames(3);
    rig.dev.Up();
    const QString rejected = QStringLiteral(">1B >FF >01 >01 >E4 <90 >!81 <90 ");
    EXPECT_EQ(rig.tap.Wire(),
              rejected + rejected + rejected + QStringLiteral(">1B >FF >01 >01 >E4 <A0 >22 <50"));
    EXPECT_EQ(rig.link.CommandLogIndex, 1); // one entry for the whole exchange
    EXPECT_TRUE(rig.link.CommandLog[1].isEmpty());
    EXPECT_EQ(rig.Commands(), QStringList({"Up", "Up", "Up", "Up"}));
    EXPECT_EQ(rig.link.SeqNo, 1);
    EXPECT_TRUE(rig.link.DeviceReady);
    EXPECT_TRUE(rig.op.messages.isEmpty());
}

TEST(Transport, WrongAnswerThenInquiryAnsweredBusy) {
    LinkRig rig;
    rig.vc.AnswerNextFrameWrongly();
    rig.link.CmdCode = Code({0x1B, 0xFF, 0x01, 0x01});
    rig.link.CmdName = QStringLiteral("Up");
    rig.link.LongTimeout = 100;
    EXPECT_EQ(rig.dev.SendCommand(), 0x20);
    const QString wire = rig.tap.Wire();
    EXPECT_TRUE(wire.startsWith(QStringLiteral(">1B >FF >01 >01 >E4 <"))) << wire.toStdString();
    // The reply 03 goes out; no confirmation 22.
    EXPECT_TRUE(wire.endsWith(QStringLiteral(" >!81 <20 >03"))) << wire.toStdString();
    EXPECT_FALSE(wire.contains(QStringLiteral(">22")));
    EXPECT_TRUE(rig.link.DeviceReady);
    EXPECT_EQ(rig.op.beeps, 1);

    rig.dev.WaitEnd();
    EXPECT_EQ(rig.tap.Wire(), QStringLiteral("<50"));
    EXPECT_EQ(rig.link.SeqNo, 1);
    EXPECT_TRUE(rig.op.messages.isEmpty());
}

TEST(Transport, SilentControllerIsALostLink) {
    LinkRig rig;
    rig.vc.SetSilent(true);
    const qint64 start = rig.clock.MonotonicMs();
    rig.dev.Up();
    // 500 ms for the acknowledgement, then six inquiry bytes of 500 ms each; the end-wait
    // returns at once.
    EXPECT_EQ(rig.clock.MonotonicMs() - start, 3500);
    EXPECT_EQ(rig.tap.Wire(), QStringLiteral(">1B >FF >01 >01 >E4 >!81 >!81 >!18 >!18 >!88 >!0F"));
    EXPECT_EQ(rig.op.messages, QStringList{QStringLiteral("Ошибка команды Up")});
    EXPECT_FALSE(rig.link.DeviceReady);
    EXPECT_TRUE(rig.link.LinkError);
    EXPECT_TRUE(rig.op.locked);
    EXPECT_EQ(rig.link.SeqNo, 0);

    // Nothing more goes out while the link is down.
    EXPECT_TRUE(rig.dev.Left(5));
    rig.dev.Put(0);
    EXPECT_EQ(rig.tap.Wire(), QString());
    EXPECT_EQ(rig.op.messages.size(), 1);
}

TEST(Transport, PortWriteFailureUsesTheLanguageText) {
    LinkRig rig;
    rig.simLine.SetMissingPort(QStringLiteral("com1"));
    rig.link.CmdCode = Code({0x1B, 0xFF, 0x01, 0x01});
    rig.link.CmdName = QStringLiteral("Up");
    EXPECT_EQ(rig.dev.SendCommand(), 0);
    EXPECT_EQ(rig.op.messages.last(), QStringLiteral("Проверьте исправность порта связи"));

    rig.link.LanguageLoaded = true;
    rig.link.PortCheckMessage = QStringLiteral("Check the port");
    EXPECT_EQ(rig.dev.SendCommand(), 0);
    EXPECT_EQ(rig.op.messages.last(), QStringLiteral("Check the port"));
    EXPECT_FALSE(rig.link.DeviceReady);
    EXPECT_TRUE(rig.link.LinkError);
    EXPECT_EQ(rig.op.cursor, CursorShape::Normal);
}

TEST(Transport, LongWaitGivesUpBetweenItsLimitAndHalfASecondMore) {
    LinkRig rig;
    rig.vc.SetSilent(true);
    rig.link.CmdName = QStringLiteral("StepUp");
    rig.link.LongTimeout = 1000;
    rig.link.CommandLogIndex = 1;
    const qint64 start = rig.clock.MonotonicMs();
    rig.dev.WaitLongEnd();
    const qint64 elapsed = rig.clock.MonotonicMs() - start;
    EXPECT_GE(elapsed, 1000);
    EXPECT_LE(elapsed, 1500);
    EXPECT_EQ(rig.op.messages, QStringList{QStringLiteral("Устройство не отвечает StepUp")});
    EXPECT_EQ(rig.op.beeps, 0); // the long wait never asks
    EXPECT_FALSE(rig.link.DeviceReady);
    EXPECT_TRUE(rig.link.LinkError);
    EXPECT_TRUE(rig.op.locked);
    EXPECT_TRUE(rig.link.CommandLog[0].endsWith(QStringLiteral("Устройство не отвечает ; ")));
}

TEST(Transport, LongWaitIsMeasuredAcrossTheHour) {
    // The clock starts at 9:59:59; a wait that spans the full hour still ends on its limit.
    LinkRig rig;
    rig.clock.Advance(59 * 60 * 1000 + 59 * 1000);
    rig.vc.SetSilent(true);
    rig.link.CmdName = QStringLiteral("Left");
    rig.link.LongTimeout = 3000;
    rig.link.CommandLogIndex = 1;
    const qint64 start = rig.clock.MonotonicMs();
    rig.dev.WaitLongEnd();
    const qint64 elapsed = rig.clock.MonotonicMs() - start;
    EXPECT_GE(elapsed, 3000);
    EXPECT_LE(elapsed, 3500);
    EXPECT_EQ(rig.op.messages, QStringList{QStringLiteral("Устройство не отвечает Left")});
}

TEST(Transport, GreetingAdoptsTheControllersNumber) {
    LinkRig rig;
    rig.link.SeqNo = 3;
    rig.vc.SetExpectedSeqNo(7);
    rig.op.locked = true;
    rig.dev.Hi();
    EXPECT_EQ(rig.tap.Wire(), QStringLiteral(">1B >01 >00 >00 >19 <97 >!81 <97 "
                                             ">1B >01 >00 >00 >1D <A7 >25 <57"));
    EXPECT_EQ(rig.link.SeqNo, 8);
    EXPECT_TRUE(rig.link.DeviceReady);
    EXPECT_FALSE(rig.op.locked);
    EXPECT_EQ(rig.op.service.value(ServiceField::Edit5), QStringLiteral("8"));
    EXPECT_EQ(rig.link.CommandLog[0],
              QStringLiteral("3; Hi; A3; 97; <>==>; 97; Hi; A7; A7; OK; 57; 57; OK; "));
    EXPECT_TRUE(rig.op.messages.isEmpty());

    rig.dev.Up(); // carries on with 8
    EXPECT_EQ(rig.vc.Trace().back().seqNo, 8);
    EXPECT_EQ(rig.link.SeqNo, 9);
}

TEST(Transport, GreetingEndRejectedForTheNextNumberGreetsAgain) {
    LinkRig rig;
    rig.tap.DropIncoming(0x50);
    rig.dev.Hi();
    EXPECT_EQ(rig.tap.Wire(), QStringLiteral(">1B >01 >00 >00 >1A <A0 >22 <lost 50 >!81 <91 "
                                             ">1B >01 >00 >00 >1B <A1 >23 <51"));
    EXPECT_EQ(rig.link.SeqNo, 2);
    EXPECT_TRUE(rig.link.DeviceReady);
    EXPECT_EQ(rig.Commands(), QStringList({"Hi", "Hi"}));
}

TEST(Transport, GreetingFailures) {
    {
        LinkRig rig;
        rig.vc.SetSilent(true);
        rig.dev.Hi();
        EXPECT_EQ(rig.op.messages, QStringList{QStringLiteral("Устройство не отвечает Hi_Test")});
        EXPECT_FALSE(rig.link.DeviceReady);
        EXPECT_TRUE(rig.op.locked);
    }
    {
        LinkRig rig;
        rig.simLine.SetMissingPort(QStringLiteral("com1"));
        rig.dev.Hi();
        EXPECT_EQ(rig.op.messages, QStringList{QStringLiteral("Ошибка связи.")});
        EXPECT_TRUE(rig.link.CommandLog[0].endsWith(QStringLiteral("Hi; Ошибка связи.; ")));
        rig.link.LanguageLoaded = true;
        rig.link.LinkErrorMessage = QStringLiteral("Link error.");
        rig.dev.Hi();
        EXPECT_EQ(rig.op.messages.last(), QStringLiteral("Link error."));
        EXPECT_FALSE(rig.link.DeviceReady);
    }
}

TEST(Transport, EndlessRejectionsAndGreetingsAreALostLink) {
    LinkRig rig;
    rig.vc.RejectNextFrames(1000);
    rig.dev.Up();
    EXPECT_EQ(rig.vc.Trace().size(), size_t(Device::MaxRounds));
    EXPECT_EQ(rig.op.messages, QStringList{QStringLiteral("Ошибка команды Up")});
    EXPECT_FALSE(rig.link.DeviceReady);
    EXPECT_TRUE(rig.op.locked);

    rig.dev.Hi();
    EXPECT_EQ(rig.vc.Trace().size(), size_t(2 * Device::MaxRounds));
    EXPECT_EQ(rig.op.messages.last(), QStringLiteral("Устройство не отвечает Hi"));
    EXPECT_FALSE(rig.link.DeviceReady);
}

TEST(Transport, EndWaitThatNeverEndsIsALostLink) {
    // The end byte is lost and every inquiry is answered with junk.
    LinkRig rig;
    rig.vc.SetGarbageInquiryAnswers(true);
    rig.tap.DropIncoming(0x50);
    const qint64 start = rig.clock.MonotonicMs();
    rig.dev.Up();
    EXPECT_LE(rig.clock.MonotonicMs() - start, 20000);
    EXPECT_EQ(rig.op.messages, QStringList{QStringLiteral("Ошибка команды Up")});
    EXPECT_FALSE(rig.link.DeviceReady);
    EXPECT_TRUE(rig.op.locked);
    EXPECT_EQ(rig.op.beeps, Device::MaxRounds);
}

TEST(Transport, SelfTestLogGetsTheRingOldestFirst) {
    LinkRig rig;
    LogSink sink;
    rig.dev.SetCommandLogSink(&sink);
    for (int i = 0; i < 11; ++i) // eleven entries: the first is overwritten
        rig.dev.Up();
    EXPECT_EQ(rig.link.CommandLogIndex, 1);

    rig.vc.SetSilent(true);
    rig.dev.Up(); // fails with self-test off: nothing written, nothing counted
    EXPECT_TRUE(sink.lines.isEmpty());
    EXPECT_EQ(rig.link.ErrorCounter, 0);

    rig.selfTest.Enabled = true;
    rig.vc.SetSilent(false);
    rig.link.DeviceReady = true;
    rig.dev.Hi(); // resynchronise after the silent spell
    ASSERT_EQ(rig.link.CommandLogIndex, 3);
    sink.lines.clear();
    rig.vc.SetSilent(true);
    const quint8 seq = rig.link.SeqNo;
    rig.dev.Up();
    ASSERT_EQ(sink.lines.size(), 11);
    EXPECT_EQ(sink.lines[0], QStringLiteral("Ошибка 0"));
    // Entries 5..10 and 1 are the old Up commands, 2 the failed one, 3 the greeting, 4 now.
    EXPECT_TRUE(sink.lines[1].contains(QStringLiteral("; Up; ")));
    EXPECT_TRUE(sink.lines[9].contains(QStringLiteral("; Hi; ")));
    const QString now =
        QString::number(seq, 16).toUpper() +
        QStringLiteral("; Up; A%1; 0; Not Answer==>; 1; ").arg(QString::number(seq, 16).toUpper());
    EXPECT_EQ(sink.lines[10], now);
    EXPECT_EQ(rig.link.ErrorCounter, 1);
    EXPECT_EQ(rig.op.service.value(ServiceField::ErrorCounter), QStringLiteral("1"));
}

} // namespace
} // namespace zeb::testing
