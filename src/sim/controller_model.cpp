#include "sim/controller_model.h"

#include <algorithm>
#include <cmath>

namespace zeb::sim {

namespace {

constexpr qint64 PartialFrameLimitUs = 50000; // an older partial frame is noise: drop it
constexpr qint64 EchoWaitUs = 300000;         // raw answer bytes wait this long for a reply
constexpr int DeviceNameAddress = 80;
constexpr int DeviceNameLength = 33;

} // namespace

ControllerModel::ControllerModel(ControllerOptions options)
    : m_options(std::move(options)), m_dice(m_options.faults.seed),
      m_out(m_options.paceWire, m_options.faults, m_dice), m_mechanics(m_options.stateFile) {
    // Power-on values: those the host assumes before it programs anything.
    for (auto& driver : m_driver) {
        driver[ScaleRegister] = 16;
        driver[SpeedRegister] = 12;
    }
    m_register[TickARegister] = 32;
    m_register[TickBRegister] = 23;
    const QByteArray name = m_options.deviceName.left(DeviceNameLength);
    for (qsizetype i = 0; i < name.size(); ++i)
        m_param[static_cast<size_t>(DeviceNameAddress + i)] = static_cast<quint8>(name[i]);

    const FaultPlan& faults = m_options.faults;
    m_driverSilent = {faults.silentX, faults.silentY};
    m_garbageInquiry = faults.garbageInquiry;
    m_silent = faults.silentAfter == 0;
    m_mechanics.SetStrikeSink([this](const Strike& strike) {
        if (m_observer)
            m_observer->Struck(strike);
    });
}

void ControllerModel::SetObserver(ControllerObserver* observer) {
    m_observer = observer;
    m_mechanics.SetProblemSink([this](const QString& text) {
        if (m_observer)
            m_observer->Problem(text);
    });
}

void ControllerModel::SetMotorDriverSilent(char axis, bool silent) {
    m_driverSilent[axis == 'Y' || axis == 'y' ? 1 : 0] = silent;
}

// --- the wire ---

void ControllerModel::Receive(quint8 byte, bool oddParity, qint64 nowUs) {
    qint64 t = std::max(nowUs, m_lastUs);
    if (m_options.paceWire) {
        t = std::max(t, m_rxFreeUs) + WireByteUs;
        m_rxFreeUs = t;
    }
    m_lastUs = t;
    Pump(t);
    if (m_silent || m_dice.Roll(m_options.faults.dropRx))
        return;
    if (m_dice.Roll(m_options.faults.corruptRx))
        byte ^= m_dice.NonZeroByte();
    if (oddParity)
        Inquiry(t);
    else
        FrameByte(byte, t);
}

std::optional<quint8> ControllerModel::TakeByte(qint64 nowUs) {
    Pump(nowUs);
    return m_out.Take(nowUs);
}

std::optional<qint64> ControllerModel::NextByteTimeUs() const {
    std::optional<qint64> due = m_out.NextDueUs();
    if (m_phase.active) {
        const qint64 phase = m_phase.nextReadyUs + (m_options.paceWire ? WireByteUs : 0);
        due = due ? std::min(*due, phase) : phase;
    }
    return due;
}

std::optional<quint64> ControllerModel::Send(quint8 byte, qint64 readyUs) {
    if (m_silent)
        return std::nullopt;
    return m_out.Push(byte, readyUs);
}

// Moves the raw answer bytes of Monitor and How on to the wire as their time comes.
void ControllerModel::Pump(qint64 nowUs) {
    while (m_phase.active && m_phase.nextReadyUs <= nowUs) {
        const qint64 at = m_phase.nextReadyUs;
        if (m_phase.next < m_phase.bytes.size()) {
            Send(static_cast<quint8>(m_phase.bytes[m_phase.next++]), at);
            m_phase.awaitingEcho = true;
            m_phase.nextReadyUs = at + EchoWaitUs;
        } else {
            m_phase.active = false;
            EndAt(KindFinished | m_phase.endSeq, m_phase.endSeq, at, 0);
        }
    }
}

void ControllerModel::FrameByte(quint8 byte, qint64 t) {
    if (!m_partial.isEmpty() && t - m_partialStartUs > PartialFrameLimitUs)
        m_partial.clear();
    // Single bytes of the host between frames: the confirmation right after an
    // acknowledgement, the reply right after an inquiry answer.
    const bool confirmation =
        std::exchange(m_awaitConfirm, false) && m_partial.isEmpty() && (byte & 0xF0) == KindInquiry;
    const bool reply =
        std::exchange(m_awaitReply, false) && m_partial.isEmpty() && byte == InquiryReply;
    if (confirmation || reply)
        return;
    if (m_phase.active) {
        // The host's reply to a raw byte: the next one may go.
        if (m_phase.awaitingEcho) {
            m_phase.awaitingEcho = false;
            m_phase.nextReadyUs = t;
            Pump(t);
        }
        return;
    }
    // The rest of a rejected burst is not a frame: the host resends once it has read the
    // rejection, so anything before that is what was left over.
    if (m_rejection) {
        if (m_out.Pending(*m_rejection))
            return;
        m_rejection.reset();
    }
    if (m_partial.isEmpty()) {
        // No frame starts with 0x0A (a late reply to Monitor's bytes).
        if (byte == MonitorEcho)
            return;
        m_partialStartUs = t;
    }
    m_partial.append(static_cast<char>(byte));
    if (m_partial.size() == 5)
        Frame(std::exchange(m_partial, QByteArray()), t);
}

// An odd-parity byte: the host asks how things stand.
void ControllerModel::Inquiry(qint64 t) {
    m_partial.clear();
    m_awaitConfirm = false;
    m_awaitReply = false;
    if (m_garbageInquiry) {
        Send(Junk(), t);
        return;
    }
    if (m_held) {
        const HeldFrame held = *std::exchange(m_held, std::nullopt);
        Send(KindInquiry | held.seq, t);
        m_awaitReply = true;
        CarryOut(held.frame, held.seq, t);
        return;
    }
    if (t < m_busyUntilUs) {
        Send(KindInquiry | m_busySeq, t);
        m_awaitReply = true;
        return;
    }
    Send(KindRejected | m_expected, t);
}

// A byte that is no answer of the protocol: not 0x2s, 0x5s, 0x6s, 0x9s or 0xAs.
quint8 ControllerModel::Junk() {
    for (;;) {
        const quint8 b = static_cast<quint8>(m_dice.Between(0, 255));
        const int kind = b >> 4;
        if (kind != 0x2 && kind != 0x5 && kind != 0x6 && kind != 0x9 && kind != 0xA)
            return b;
    }
}

// --- frames ---

void ControllerModel::Frame(const QByteArray& frame, qint64 t) {
    quint8 carried = 0;
    for (char c : frame)
        carried ^= static_cast<quint8>(c);
    if (carried > 0x0F) {
        Reject(frame, -1, t);
        return;
    }
    const int seq = carried;
    // Looked at first: after Off the expected number is the one just used, and a resent
    // Off must not count as a new command.
    if (seq == m_lastSeq && frame == m_lastFrame) {
        Repeat(frame, seq, t);
        return;
    }
    if (seq == m_expected) {
        if (m_rejectLeft > 0) {
            --m_rejectLeft;
            Reject(frame, seq, t);
            return;
        }
        Accept(frame, seq, t);
        return;
    }
    Reject(frame, seq, t);
}

void ControllerModel::Reject(const QByteArray& frame, int carried, qint64 t) {
    Record(frame, carried, FrameVerdict::Rejected);
    m_rejection = Send(KindRejected | m_expected, t);
}

void ControllerModel::Accept(const QByteArray& frame, int seq, qint64 t) {
    Record(frame, seq, FrameVerdict::Accepted);
    m_lastFrame = frame;
    m_lastSeq = seq;
    m_lastAnswer.reset();
    m_held.reset();
    ++m_acceptedFrames;
    if (m_answerWrongly) {
        // A garbled acknowledgement: the frame is kept, unfinished, until the host asks.
        m_answerWrongly = false;
        Send(0xE0 | seq, t);
        m_held = HeldFrame{frame, seq};
    } else {
        Send(KindAccepted | seq, t);
        m_awaitConfirm = true;
        CarryOut(frame, seq, t);
    }
    const int silentAfter = m_options.faults.silentAfter;
    if (silentAfter >= 0 && m_acceptedFrames >= silentAfter)
        m_silent = true;
}

// The frame accepted last, once more: the host missed an answer. Acknowledge it again and
// repeat its answer if that was already given, but never carry it out twice.
void ControllerModel::Repeat(const QByteArray& frame, int seq, qint64 t) {
    Record(frame, seq, FrameVerdict::Repeated);
    Send(KindAccepted | seq, t);
    m_awaitConfirm = true;
    if (m_held) {
        // Sent again instead of asking: the garbled acknowledgement is put right now.
        m_held.reset();
        CarryOut(frame, seq, t);
        return;
    }
    if (m_lastAnswer && t >= m_lastAnswerUs)
        Send(*m_lastAnswer, t);
}

void ControllerModel::Record(const QByteArray& frame, int seq, FrameVerdict verdict) {
    const TracedCommand command{seq, NameOf(frame), frame, verdict};
    if (m_observer)
        m_observer->CommandReceived(command);
    if (m_options.keepTrace)
        m_trace.push_back(command);
}

QString ControllerModel::NameOf(const QByteArray& frame) const {
    if (static_cast<quint8>(frame[0]) != CommandLead) {
        if (m_awaiting == Awaiting::Profiles)
            return QStringLiteral("profile");
        if (m_awaiting == Awaiting::LineData)
            return QStringLiteral("data");
    }
    return CommandName(frame);
}

qint64 ControllerModel::EndAt(quint8 byte, int busySeq, qint64 t, qint64 durationUs) {
    const qint64 end = std::max(t, m_workFreeUs) + durationUs;
    Send(byte, end);
    m_busySeq = busySeq;
    m_busyUntilUs = end;
    m_workFreeUs = end;
    return end;
}

void ControllerModel::Answer(int seq, qint64 t, qint64 durationUs, quint8 kind) {
    m_lastAnswer = static_cast<quint8>(kind | seq);
    m_lastAnswerUs = EndAt(*m_lastAnswer, seq, t, durationUs);
    m_expected = Next(seq);
}

qint64 ControllerModel::Scaled(qint64 us) const {
    if (m_options.timeScale <= 0)
        return 0;
    return std::llround(static_cast<double>(us) * m_options.timeScale);
}

int ControllerModel::StepTimeP(int driver) const {
    const auto& regs = m_driver[static_cast<size_t>(driver)];
    return regs[SpeedRegister] * regs[ScaleRegister];
}

} // namespace zeb::sim
