// The framed, acknowledged exchange with the controller: frames with check byte and
// sequence number, resends, the odd-parity error inquiry, the end-waits and the greeting.

#include "link/device.h"
#include "link/frames.h"
#include "link/link_messages.h"

#include <array>
#include <cstdlib>

namespace zeb {

namespace {
constexpr std::array<quint8, 6> InquiryBytes{0x81, 0x81, 0x18, 0x18, 0x88, 0x0F};
const QByteArray GreetingCode("\x1B\x01\x00\x00", 4);
} // namespace

int Device::SendCommand() {
    return Exchange(true);
}

int Device::SendData() {
    if (!m_link.DeviceReady)
        return 0;
    return Exchange(false);
}

// A new command clears LinkError and opens a log entry; a data frame of a strike line
// belongs to the entry of its line command.
int Device::Exchange(bool newCommand) {
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
            m_op.ShowMessage(replaced ? m_link.PortCheckMessage : messages::PortCheck());
            return 0;
        }
        const int a = ReadAnswer(AnswerAccepted | s);
        if (a == (AnswerAccepted | s)) {
            m_line.WriteByte(s ^ ConfirmMask);
            m_link.DeviceReady = true;
            return a;
        }
        // A controller that rejects the same frame without end is as good as gone.
        const bool rejected = a == (AnswerRejected | s);
        if (a == -1 || (rejected && round >= MaxRounds)) {
            const bool linkError = m_link.LinkError;
            LoseLink(messages::CommandFailed() + m_link.CmdName);
            if (!newCommand)
                m_link.LinkError = linkError;
            return 0;
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

int Device::ReadAnswer(int expected) {
    quint8 b = 0;
    const bool ok = m_line.ReadByte(b);
    Log(LogHex(expected));
    Log(LogHex(b));
    if (ok && b == expected) {
        Log(QStringLiteral("OK"));
        return expected;
    }
    const int r = ErrorInquiry();
    Log(ok ? QStringLiteral("<>==>") : QStringLiteral("Not Answer==>"));
    Log(LogHex(std::abs(r)));
    DumpCommandLog();
    return r;
}

int Device::ErrorInquiry() {
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
        return -1;
    if (a == (AnswerInquiry | m_link.SeqNo) && !m_line.WriteByte(InquiryReply))
        return -1;
    return a;
}

int Device::WaitEnd() {
    return WaitFor(AnswerFinished, true);
}

int Device::WaitChunk() {
    return WaitFor(AnswerStored, false);
}

int Device::WaitFor(quint8 endKind, bool logWord) {
    if (!m_link.DeviceReady)
        return 0;
    if (logWord)
        Log(QStringLiteral("  EndComand  "));
    const qint64 start = m_clock.MonotonicMs();
    int r = 0;
    for (int round = 1;; ++round) {
        const quint8 s = m_link.SeqNo;
        r = ReadAnswer(endKind | s);
        if (r < 0 || r == (endKind | s) || r == (AnswerRejected | m_link.NextSeqNo()))
            break;
        // A busy controller is given at least twice the command's limit and 16 rounds;
        // after that it is treated as lost rather than waited for without end.
        if (round >= MaxRounds && m_clock.MonotonicMs() - start > 2 * qint64(m_link.LongTimeout)) {
            LoseLink(messages::CommandFailed() + m_link.CmdName);
            return -1;
        }
        if (r == (AnswerRejected | s)) {
            SendCommand();
            if (!m_link.DeviceReady)
                return 0;
        }
    }
    m_link.SeqNo = m_link.NextSeqNo();
    return r;
}

int Device::WaitLongEnd() {
    if (!m_link.DeviceReady)
        return 0;
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
            return b;
        }
        if (ok && b == (AnswerRejected | s)) {
            Log(QStringLiteral(" False "));
            m_link.SeqNo = m_link.NextSeqNo();
            return b;
        }
        if (ok) {
            // Any other byte ends the wait as if it were the end byte.
            m_link.SeqNo = m_link.NextSeqNo();
            return AnswerFinished | s;
        }
        if (elapsed >= m_link.LongTimeout) {
            Log(messages::NotAnswering() + QLatin1Char(' '));
            LoseLink(messages::NotAnswering() + QLatin1Char(' ') + m_link.CmdName);
            return 0;
        }
    }
}

void Device::Hi() {
    StartLogEntry();
    for (int round = 1;; ++round) {
        if (round > MaxRounds) {
            // Answers keep coming, but the greeting never settles.
            m_link.DeviceReady = false;
            LockUI();
            m_op.ShowMessage(messages::GreetingRefused());
            return;
        }
        const quint8 s = m_link.SeqNo;
        Log(QStringLiteral("Hi"));
        if (!m_line.WriteString(CommandFrame(GreetingCode, s))) {
            const bool replaced = m_link.LanguageLoaded && !m_link.LinkErrorMessage.isEmpty();
            m_op.ShowMessage(replaced ? m_link.LinkErrorMessage : messages::LinkFailed());
            Log(messages::LinkFailed());
            m_link.DeviceReady = false;
            LockUI();
            return;
        }
        const int a = ReadAnswer(AnswerAccepted | s);
        if (a == 0xFF || a == -1) {
            m_link.DeviceReady = false;
            LockUI();
            m_op.ShowMessage(a == 0xFF ? messages::GreetingRefused()
                                       : messages::GreetingUnanswered());
            return;
        }
        if (a == (AnswerRejected | s))
            continue;
        if ((a & 0xF0) == AnswerRejected) {
            // The controller expects another number: take it and greet again.
            m_link.SeqNo = static_cast<quint8>(a & 0x0F);
            continue;
        }
        if (a != (AnswerAccepted | s))
            continue;
        m_line.WriteByte(s ^ ConfirmMask);
        const int r = ReadAnswer(AnswerFinished | s);
        if (r < 0 || r == (AnswerFinished | s))
            break;
        if (r == (AnswerRejected | m_link.NextSeqNo()))
            m_link.SeqNo = static_cast<quint8>(r & 0x0F);
    }
    m_link.DeviceReady = true;
    UnlockUI();
    m_link.SeqNo = m_link.NextSeqNo();
    m_op.ShowServiceValue(ServiceField::Edit5, QString::number(m_link.SeqNo));
}

} // namespace zeb
