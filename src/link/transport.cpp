// The framed, acknowledged exchange with the controller: frames with check byte and
// sequence number, resends, the odd-parity error inquiry, the end-waits and the greeting.

#include "link/device.h"
#include "link/frames.h"
#include "text/text_catalogue.h"

#include <array>
#include <utility>

namespace zeb {

namespace {
constexpr std::array<quint8, 6> InquiryBytes{0x81, 0x81, 0x18, 0x18, 0x88, 0x0F};
const QByteArray GreetingCode("\x1B\x01\x00\x00", 4);
} // namespace

Answer ClassifyAnswer(quint8 byte, quint8 expected) {
    if (byte == expected)
        return {AnswerKind::Expected, byte};
    switch (byte & 0xF0) {
    case AnswerRejected:
        return {AnswerKind::Rejected, byte};
    case AnswerInquiry:
        return {AnswerKind::Busy, byte};
    default:
        return {AnswerKind::WrongByte, byte};
    }
}

Answer Device::SendCommand() {
    return Exchange(true);
}

Answer Device::SendData() {
    if (!m_link.DeviceReady)
        return {};
    return Exchange(false);
}

// A new command clears LinkError and opens a log entry; a data frame of a strike line
// belongs to the entry of its line command.
Answer Device::Exchange(bool newCommand) {
    if (newCommand) {
        m_link.LinkError = false;
        StartLogEntry();
        Log(m_link.CmdName);
    }
    const quint8 s = m_link.SeqNo;
    const QByteArray frame = CommandFrame(m_link.CmdCode, s);
    for (int round = 1;; ++round) {
        if (!m_line.WriteString(frame)) {
            m_link.DeviceReady = false;
            m_link.LinkError = true;
            m_op.SetCursor(CursorShape::Normal);
            LockUI();
            const bool replaced =
                newCommand && m_link.LanguageLoaded && !m_link.PortCheckMessage.isEmpty();
            m_op.ShowMessage(replaced ? m_link.PortCheckMessage : TextCatalogue::BuiltIn(9001));
            return {};
        }
        const Answer a = ReadAnswer(AnswerAccepted | s);
        if (a.Is(AnswerAccepted | s)) {
            m_line.WriteByte(s ^ ConfirmMask);
            m_link.DeviceReady = true;
            return a;
        }
        // A controller that rejects the same frame without end is as good as gone.
        const bool rejected = a.Is(AnswerRejected | s);
        if (a.kind == AnswerKind::Silent || (rejected && round >= MaxRounds)) {
            const bool linkError = m_link.LinkError;
            LoseLink(Text(TextKey::LinkCommandFailed).arg(m_link.CmdName));
            if (!newCommand)
                m_link.LinkError = linkError;
            return {};
        }
        if (rejected)
            continue;
        // An inquiry answer: the controller has the command and is working on it.
        if (newCommand)
            m_link.CmdStartTime = m_clock.MonotonicMs();
        m_link.DeviceReady = true;
        return a;
    }
}

Answer Device::ReadAnswer(quint8 expected) {
    quint8 b = 0;
    const bool ok = m_line.ReadByte(b);
    Log(LogHex(expected));
    Log(LogHex(b));
    if (ok && b == expected) {
        Log(QStringLiteral("OK"));
        return {AnswerKind::Expected, expected};
    }
    const Answer r = ErrorInquiry(expected);
    Log(ok ? QStringLiteral("<>==>") : QStringLiteral("Not Answer==>"));
    // The log writes an inquiry nobody answered as 1.
    Log(LogHex(r.Came() ? r.byte : 1));
    DumpCommandLog();
    return r;
}

Answer Device::ErrorInquiry(quint8 expected) {
    m_op.Beep();
    m_line.SetParityOdd();
    quint8 a = 0;
    bool answered = false;
    for (quint8 inquiry : InquiryBytes) {
        m_line.WriteByte(inquiry);
        if (m_line.ReadByte(a)) {
            answered = true;
            break;
        }
    }
    m_line.SetParityEven();
    if (!answered)
        return {AnswerKind::Silent, 0};
    // A busy controller waits for the host's reply; one that cannot go out is no answer.
    if (a == (AnswerInquiry | m_link.SeqNo) && !m_line.WriteByte(InquiryReply))
        return {AnswerKind::Silent, 0};
    return ClassifyAnswer(a, expected);
}

Answer Device::WaitEnd() {
    return WaitFor(AnswerFinished, true);
}

Answer Device::WaitChunk() {
    return WaitFor(AnswerStored, false);
}

Answer Device::WaitFor(quint8 endKind, bool logWord) {
    if (!m_link.DeviceReady)
        return {};
    if (logWord)
        Log(QStringLiteral("  EndComand  "));
    const qint64 start = m_clock.MonotonicMs();
    Answer r;
    for (int round = 1;; ++round) {
        const quint8 s = m_link.SeqNo;
        r = ReadAnswer(endKind | s);
        if (r.kind == AnswerKind::Silent || r.Is(endKind | s) ||
            r.Is(AnswerRejected | m_link.NextSeqNo()))
            break;
        // A busy controller is given at least twice the command's limit and 16 rounds;
        // after that it is treated as lost rather than waited for without end.
        if (round >= MaxRounds && m_clock.MonotonicMs() - start > 2 * qint64(m_link.LongTimeout)) {
            LoseLink(Text(TextKey::LinkCommandFailed).arg(m_link.CmdName));
            return {};
        }
        if (r.Is(AnswerRejected | s)) {
            SendCommand();
            if (!m_link.DeviceReady)
                return {};
        }
    }
    m_link.SeqNo = m_link.NextSeqNo();
    return r;
}

Answer Device::WaitLongEnd() {
    if (!m_link.DeviceReady)
        return {};
    Log(QStringLiteral("  LongEndComand  "));
    m_link.CmdStartTime = m_clock.MonotonicMs();
    for (;;) {
        // Taken before the read, so the failure comes between LongTimeout and LongTimeout +
        // 500 ms after the start, also when every read takes exactly its 500 ms.
        const qint64 elapsed = m_clock.MonotonicMs() - m_link.CmdStartTime;
        quint8 b = 0;
        const bool ok = m_line.ReadByte(b);
        Log(LogHex(b));
        const quint8 s = m_link.SeqNo;
        if (ok && b == (AnswerFinished | s)) {
            Log(QStringLiteral(" Ok "));
            m_op.SetCursor(CursorShape::Normal);
            m_link.SeqNo = m_link.NextSeqNo();
            return {AnswerKind::Expected, b};
        }
        if (ok && b == (AnswerRejected | s)) {
            Log(QStringLiteral(" False "));
            m_link.SeqNo = m_link.NextSeqNo();
            return {AnswerKind::Rejected, b};
        }
        if (ok) {
            // Any other byte ends the wait as if it were the end byte.
            m_link.SeqNo = m_link.NextSeqNo();
            return ClassifyAnswer(b, AnswerFinished | s);
        }
        if (elapsed >= m_link.LongTimeout) {
            Log(TextCatalogue::BuiltIn(TextKey::LinkNotAnswering) + QLatin1Char(' '));
            LoseLink(Text(TextKey::LinkCommandNotAnswering).arg(m_link.CmdName));
            return {};
        }
    }
}

// One pass of the greeting: the frame, its acknowledgement, its end. A failure is told and
// locks the menus here.
Device::GreetingRound Device::GreetOnce() {
    const quint8 s = m_link.SeqNo;
    Log(QStringLiteral("Hi"));
    if (!m_line.WriteString(CommandFrame(GreetingCode, s))) {
        const bool replaced = m_link.LanguageLoaded && !m_link.LinkErrorMessage.isEmpty();
        m_op.ShowMessage(replaced ? m_link.LinkErrorMessage : TextCatalogue::BuiltIn(9002));
        Log(TextCatalogue::BuiltIn(9002));
        m_link.DeviceReady = false;
        LockUI();
        return GreetingRound::Failed;
    }
    const Answer a = ReadAnswer(AnswerAccepted | s);
    if (a.kind == AnswerKind::Silent || a.Is(0xFF)) {
        GreetingFailed(a.Came() ? Text(TextKey::LinkGreetingRefused)
                                : Text(TextKey::LinkGreetingUnanswered));
        return GreetingRound::Failed;
    }
    if (a.kind == AnswerKind::Busy) {
        // At work on a command of its own, so the frame was not taken: one read's time before
        // the next frame, rather than asking again at the speed of the wire.
        quint8 late = 0;
        m_line.ReadByte(late);
        return GreetingRound::Busy;
    }
    if (a.kind == AnswerKind::Rejected) {
        // The controller expects another number: take it and greet again.
        m_link.SeqNo = static_cast<quint8>(a.byte & 0x0F);
        return GreetingRound::Again;
    }
    if (a.kind != AnswerKind::Expected)
        return GreetingRound::Again;
    m_line.WriteByte(s ^ ConfirmMask);
    const Answer r = ReadAnswer(AnswerFinished | s);
    if (r.kind == AnswerKind::Silent || r.kind == AnswerKind::Expected)
        return GreetingRound::Settled;
    // Taken, but behind the work in progress; the end read has waited already.
    if (r.kind == AnswerKind::Busy)
        return GreetingRound::Busy;
    if (r.Is(AnswerRejected | m_link.NextSeqNo()))
        m_link.SeqNo = static_cast<quint8>(r.byte & 0x0F);
    return GreetingRound::Again;
}

void Device::GreetingFailed(const QString& message) {
    m_link.DeviceReady = false;
    LockUI();
    m_op.ShowMessage(message);
}

void Device::Hi() {
    StartLogEntry();
    const qint64 start = m_clock.MonotonicMs();
    bool waiting = false;
    int rounds = 0;
    GreetingRound round = GreetOnce();
    for (; round == GreetingRound::Again || round == GreetingRound::Busy; round = GreetOnce()) {
        // A controller busy with an earlier command (a move or the reset of a program that
        // was killed) is there: it is waited for as long as that command can take.
        const bool busy = round == GreetingRound::Busy;
        if (busy && m_clock.MonotonicMs() - start < m_link.BusyWaitLimit) {
            if (!std::exchange(waiting, true))
                m_op.ShowWaiting(Text(TextKey::LinkWaiting));
            continue;
        }
        if (busy || ++rounds == MaxRounds) {
            // Answers keep coming, but the greeting never settles.
            GreetingFailed(Text(TextKey::LinkGreetingRefused));
            round = GreetingRound::Failed;
            break;
        }
    }
    if (waiting)
        m_op.ShowStatus(QString());
    if (round == GreetingRound::Failed)
        return;
    m_link.DeviceReady = true;
    UnlockUI();
    m_link.SeqNo = m_link.NextSeqNo();
    m_op.ShowServiceValue(ServiceField::SeqNoOrLimit, QString::number(m_link.SeqNo));
}

} // namespace zeb
