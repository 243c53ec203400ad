// The framed exchange against the virtual controller: acknowledgements, resends, the error
// inquiry, the end-waits, the greeting and the command log. Bytes on the wire are spelled
// out by hand. Then the link under seeded faults, bytes lost, changed or late in both
// directions: whatever happens, every call returns, every message is one the link is meant
// to show, and a run without a message struck exactly what it was sent.

#include "link_rig.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <functional>

namespace zeb::testing {
namespace {

struct Exchange {
    const char* name;
    std::function<void(LinkRig&)> arrange;
    std::function<void(Device&)> act;
    const char* wire;                         // every byte both ways; null: too long to spell
    int seqAfter;                             // the host's number afterwards; -1: not checked
    const char* message;                      // the one message of a lost link; null: link up
    const char* log = nullptr;                // the exchange's log entry; null: not checked
    std::function<void(LinkRig&)> check = {}; // what else the case must show
};

const auto Up = [](Device& d) { d.Up(); };
const auto Hi = [](Device& d) { d.Hi(); };

TEST(Transport, ExchangesOnTheWire) {
    const Exchange rows[] = {
        // Check byte 1B^FF^01^01^0F, acknowledgement AF, confirmation 0F^22, end 5F.
        {"Number15WrapsToZero", [](LinkRig& r) { r.StartAt(15); }, Up,
         ">1B >FF >01 >01 >EB <AF >2D <5F", 0, nullptr,
         "F; Up; AF; AF; OK;   EndComand  ; 5F; 5F; OK; "},
        {"RejectedThreeTimesThenAcknowledged", [](LinkRig& r) { r.vc.RejectNextFrames(3); }, Up,
         ">1B >FF >01 >01 >E4 <90 >!81 <90 "
         ">1B >FF >01 >01 >E4 <90 >!81 <90 "
         ">1B >FF >01 >01 >E4 <90 >!81 <90 "
         ">1B >FF >01 >01 >E4 <A0 >22 <50",
         1, nullptr},
        // A garbled acknowledgement; the inquiry is answered "busy with 0": reply 03, no 22.
        {"WrongAnswerThenBusy", [](LinkRig& r) { r.vc.AnswerNextFrameWrongly(); }, Up,
         ">1B >FF >01 >01 >E4 <E0 >!81 <20 >03 <50", 1, nullptr},
        // 500 ms for the acknowledgement, six inquiry bytes of 500 ms; the end-wait is skipped.
        {"SilentController", [](LinkRig& r) { r.vc.SetSilent(true); }, Up,
         ">1B >FF >01 >01 >E4 >!81 >!81 >!18 >!18 >!88 >!0F", 0, "Ошибка команды Up", nullptr,
         [](LinkRig& r) {
             EXPECT_EQ(r.clock.MonotonicMs(), 3500);
             EXPECT_TRUE(r.link.LinkError);
             EXPECT_TRUE(r.dev.Left(5)); // nothing more goes out while the link is down
             r.dev.Put(0);
             EXPECT_EQ(r.tap.Wire(), QString());
             EXPECT_EQ(r.op.messages.size(), 1);
         }},
        {"GreetingAdoptsTheControllersNumber",
         [](LinkRig& r) { r.StartAt(3).vc.SetExpectedSeqNo(7); }, Hi,
         ">1B >01 >00 >00 >19 <97 >!81 <97 >1B >01 >00 >00 >1D <A7 >25 <57", 8, nullptr,
         "3; Hi; A3; 97; <>==>; 97; Hi; A7; A7; OK; 57; 57; OK; ",
         [](LinkRig& r) {
             EXPECT_EQ(r.op.service.value(ServiceField::SeqNoOrLimit), QStringLiteral("8"));
         }},
        {"GreetingEndRejectedForTheNextNumber", [](LinkRig& r) { r.tap.DropIncoming(0x50); }, Hi,
         ">1B >01 >00 >00 >1A <A0 >22 <lost 50 >!81 <91 >1B >01 >00 >00 >1B <A1 >23 <51", 2,
         nullptr},
        {"EndlessRejections", [](LinkRig& r) { r.vc.RejectNextFrames(1000); }, Up, nullptr, 0,
         "Ошибка команды Up", nullptr,
         [](LinkRig& r) { EXPECT_EQ(r.vc.Trace().size(), size_t(Device::MaxRounds)); }},
        {"GreetingThatNeverSettles", [](LinkRig& r) { r.vc.RejectNextFrames(1000); }, Hi, nullptr,
         0, "Устройство не отвечает Hi", nullptr,
         [](LinkRig& r) { EXPECT_EQ(r.vc.Trace().size(), size_t(Device::MaxRounds)); }},
        // The end is lost and every inquiry is answered with junk.
        {"EndWaitThatNeverEnds",
         [](LinkRig& r) {
             r.vc.SetGarbageInquiryAnswers(true);
             r.tap.DropIncoming(0x50);
         },
         Up, nullptr, 0, "Ошибка команды Up", nullptr,
         [](LinkRig& r) {
             EXPECT_EQ(r.op.beeps, Device::MaxRounds);
             EXPECT_LE(r.clock.MonotonicMs(), 20000);
         }},
        {"ControllerStopsMidLine", [](LinkRig& r) { r.vc.StopMidLine(1); },
         [](Device& d) { d.PrintLine(LineDirection::Forward, QByteArray(64, '2')); }, nullptr, -1,
         "Ошибка команды PrintLine", nullptr,
         [](LinkRig& r) {
             EXPECT_TRUE(r.vc.Workpiece().empty());
             EXPECT_LT(r.clock.MonotonicMs(), 10000);
         }},
        {"PortFailsACommand", [](LinkRig& r) { r.simLine.SetMissingPort(QStringLiteral("com1")); },
         Up, ">1B >FF >01 >01 >E4", 0, "Проверьте исправность порта связи", nullptr,
         [](LinkRig& r) { EXPECT_EQ(r.op.cursor, CursorShape::Normal); }},
        // The language file's texts 9001 and 9002 replace the built-in ones.
        {"PortFailsWithTheLanguageTexts",
         [](LinkRig& r) {
             r.simLine.SetMissingPort(QStringLiteral("com1"));
             r.link.LanguageLoaded = true;
             r.link.PortCheckMessage = QStringLiteral("Check the port");
             r.link.LinkErrorMessage = QStringLiteral("Link error.");
         },
         Up, ">1B >FF >01 >01 >E4", 0, "Check the port", nullptr,
         [](LinkRig& r) {
             r.dev.Hi();
             EXPECT_EQ(r.op.messages.last(), QStringLiteral("Link error."));
             EXPECT_EQ(r.link.CommandLog[1], QStringLiteral("0; Hi; Ошибка связи.; "));
         }},
    };
    for (const Exchange& row : rows) {
        SCOPED_TRACE(row.name);
        LinkRig rig;
        row.arrange(rig);
        row.act(rig.dev);
        if (row.wire) {
            EXPECT_EQ(rig.tap.Wire(), QString::fromLatin1(row.wire));
        }
        if (row.seqAfter >= 0) {
            EXPECT_EQ(rig.link.SeqNo, row.seqAfter);
        }
        const bool lost = row.message != nullptr;
        EXPECT_EQ(rig.op.messages,
                  lost ? QStringList{QString::fromUtf8(row.message)} : QStringList());
        EXPECT_EQ(rig.link.DeviceReady, !lost);
        EXPECT_EQ(rig.op.locked, lost); // the menus follow the link
        if (!lost) {                    // host and controller in step
            EXPECT_EQ(rig.vc.ExpectedSeqNo(), row.seqAfter);
        }
        EXPECT_EQ(rig.link.CommandLogIndex, 1); // one log entry for the whole exchange
        if (row.log) {
            EXPECT_EQ(rig.link.CommandLog[0], QString::fromUtf8(row.log));
        }
        if (row.check)
            row.check(rig);
    }
}

TEST(Transport, LongWaitEndsOnItsLimitAlsoAcrossTheHour) {
    // Started at 9:00 and at 9:59:59: a wait across the full hour still ends on its limit.
    for (const qint64 startMs : {0, 59 * 60 * 1000 + 59 * 1000}) {
        LinkRig rig;
        rig.clock.Advance(startMs);
        rig.vc.SetSilent(true);
        rig.link.CmdName = QStringLiteral("StepUp");
        rig.link.LongTimeout = 3000;
        rig.link.CommandLogIndex = 1;
        rig.dev.WaitLongEnd();
        EXPECT_GE(rig.clock.MonotonicMs() - startMs, 3000);
        EXPECT_LE(rig.clock.MonotonicMs() - startMs, 3500);
        rig.ExpectLost(QStringLiteral("Устройство не отвечает StepUp"));
        EXPECT_EQ(rig.op.beeps, 0); // the long wait never asks
        EXPECT_TRUE(rig.link.LinkError);
        EXPECT_TRUE(rig.link.CommandLog[0].endsWith(QStringLiteral("Устройство не отвечает ; ")));
    }
    // A move that takes its modelled time logs every silent read of its wait.
    sim::ControllerOptions options;
    options.timeScale = 1.0;
    LinkRig rig(options);
    rig.machine.MotorSpeedScale = 17;
    rig.StartAt(3);
    EXPECT_TRUE(rig.dev.StepUp(400));
    const QRegularExpression entry(
        QStringLiteral("^3; StepUp; A3; A3; OK;   LongEndComand  ; (0; )+53;  Ok ; $"));
    EXPECT_TRUE(entry.match(rig.link.CommandLog[0]).hasMatch())
        << rig.link.CommandLog[0].toStdString();
}

TEST(Transport, SelfTestLogGetsTheRingOldestFirst) {
    struct Sink : CommandLogSink {
        void WriteLine(const QString& line) override { lines << line; }
        QStringList lines;
    } sink;
    LinkRig rig;
    rig.dev.SetCommandLogSink(&sink);
    for (int i = 0; i < 11; ++i) // eleven entries: the first is overwritten
        rig.dev.Up();
    rig.vc.SetSilent(true);
    rig.dev.Up(); // fails with self-test off: nothing written, nothing counted
    EXPECT_TRUE(sink.lines.isEmpty());
    EXPECT_EQ(rig.link.ErrorCounter, 0);

    rig.selfTest.Enabled = true;
    rig.link.DeviceReady = true;
    rig.dev.Up();
    const QString failed = QStringLiteral("B; Up; AB; 0; Not Answer==>; 1; ");
    ASSERT_EQ(sink.lines.size(), 11);
    EXPECT_EQ(sink.lines[0], QStringLiteral("Ошибка 0"));
    // Entries 4..10 and 1 are old commands (numbers 3..A), 2 the failure with self-test off,
    // 3 this one.
    EXPECT_EQ(sink.lines[1], QStringLiteral("3; Up; A3; A3; OK;   EndComand  ; 53; 53; OK; "));
    EXPECT_EQ(sink.lines.mid(9), QStringList(2, failed));
    EXPECT_EQ(rig.link.ErrorCounter, 1);
    EXPECT_EQ(rig.op.service.value(ServiceField::ErrorCounter), QStringLiteral("1"));
}

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
