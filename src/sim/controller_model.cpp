#include "sim/controller_model.h"

#include <algorithm>
#include <cmath>

namespace zeb::sim {

namespace {

constexpr qint64 PartialFrameLimitUs = 50000; // an older partial frame is noise: drop it
constexpr qint64 EchoWaitUs = 300000;         // raw answer bytes wait this long for a reply
constexpr qint64 WarmUpUs = 60000;
constexpr qint64 NeedleUs = 20000;
constexpr qint64 HomingUsPerStep = 2000;
constexpr int SpeedRegister = 0x61;
constexpr int ScaleRegister = 0x60;
constexpr int TickARegister = 0x55;
constexpr int TickBRegister = 0x54;
constexpr int DeviceNameAddress = 80;
constexpr int DeviceNameLength = 33;

int Next(int seq, int by = 1) {
    return (seq + by) & 0x0F;
}

// Rows in Y steps and a column, each in two bytes, high byte first (16 bits, wrapped).
QByteArray PositionBytes(int rowSteps, int column) {
    QByteArray bytes;
    for (int v : {rowSteps, column}) {
        bytes.append(static_cast<char>((v >> 8) & 0xFF));
        bytes.append(static_cast<char>(v & 0xFF));
    }
    return bytes;
}

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

// --- commands ---

void ControllerModel::CarryOut(const QByteArray& frame, int seq, qint64 t) {
    const bool command = static_cast<quint8>(frame[0]) == CommandLead;
    if (!command && m_awaiting == Awaiting::Profiles) {
        ProfileData(frame, seq, t);
        return;
    }
    if (!command && m_awaiting == Awaiting::LineData) {
        LineData(frame, seq, t);
        return;
    }
    // A command where data was due: the host gave up on them (a lost link, a restart).
    m_awaiting = Awaiting::Command;
    m_data.clear();
    Command(frame, seq, t);
}

void ControllerModel::Command(const QByteArray& frame, int seq, qint64 t) {
    const quint8 code = static_cast<quint8>(frame[1]);
    if (static_cast<quint8>(frame[0]) != CommandLead) {
        Answer(seq, t, 0); // no command of ours: finished at once
        return;
    }
    switch (code) {
    case CodeReset: {
        const StepPosition head = m_mechanics.Head();
        const qint64 distance = std::abs(head.rowSteps) + std::abs(head.column);
        m_mechanics.Home();
        Answer(seq, t, Scaled(distance * HomingUsPerStep));
        break;
    }
    case CodeWarmUpStrike:
        m_mechanics.WarmUpStrike();
        Answer(seq, t, Scaled(WarmUpUs));
        break;
    case CodeStepUp:
    case CodeStepDown:
    case CodeLeft:
    case CodeRight:
        Motion(frame, seq, t);
        break;
    case CodeLineBackward:
    case CodeLineForward:
        StartLine(frame, seq, t);
        break;
    case CodeMonitor: {
        const StepPosition head = m_mechanics.Head();
        const int column = head.column + m_counterShift;
        Answer(seq, t, 0);
        StartRawPhase(PositionBytes(head.rowSteps, column), Next(seq), t);
        break;
    }
    case CodeHow: {
        const StepPosition saved = m_mechanics.Saved();
        QByteArray bytes = PositionBytes(saved.rowSteps, saved.column);
        // The fifth byte checks the four: their xor.
        bytes.append(static_cast<char>(bytes[0] ^ bytes[1] ^ bytes[2] ^ bytes[3]));
        Answer(seq, t, 0);
        StartRawPhase(bytes, Next(seq), t);
        break;
    }
    case CodeBeginPrint:
        m_mechanics.BeginPrint();
        m_mechanics.PersistSaved();
        Answer(seq, t, 0);
        break;
    case CodeEndPrint:
        m_mechanics.EndPrint();
        Answer(seq, t, 0);
        break;
    case CodeMotorX:
    case CodeMotorY:
        Driver(frame, seq, t);
        break;
    case CodeSetStrike:
        Answer(seq, t, 0);
        m_awaiting = Awaiting::Profiles;
        m_dataLeft = 8;
        m_data.clear();
        break;
    case CodeReadParamByte:
        Send(m_param[static_cast<quint8>(frame[2])], std::max(t, m_workFreeUs));
        Answer(seq, t, 0);
        break;
    case CodeSetRegister:
        m_register[static_cast<quint8>(frame[2])] = static_cast<quint8>(frame[3]);
        Answer(seq, t, 0);
        break;
    case CodeOff:
        Answer(seq, t, 0);
        // The host steps its number back after Off, so the number stays.
        m_expected = seq;
        break;
    case CodePut:
    case CodeUp:
        Answer(seq, t, Scaled(NeedleUs));
        break;
    default:
        Answer(seq, t, 0);
        break; // the greeting, and codes we do not know
    }
}

// Counts n go as n - 1; Y moves take the Y driver's step time, X moves the X driver's.
void ControllerModel::Motion(const QByteArray& frame, int seq, qint64 t) {
    const int steps = Parameter(frame) + 1;
    const quint8 code = static_cast<quint8>(frame[1]);
    int driver = 0;
    switch (code) {
    case CodeStepUp:
        m_mechanics.StepRows(steps);
        driver = 1;
        break;
    case CodeStepDown:
        m_mechanics.StepRows(-steps);
        driver = 1;
        break;
    case CodeLeft:
        m_mechanics.StepColumns(steps);
        break;
    default:
        m_mechanics.StepColumns(-steps);
        break;
    }
    // One step takes 3 * P / 100 ms.
    Answer(seq, t, Scaled(static_cast<qint64>(steps) * 30 * StepTimeP(driver)));
    m_mechanics.PersistSaved();
}

// A motor driver command is acknowledged by the controller and answered by the driver with
// the end byte; a silent driver leaves the host waiting, and the host keeps its number.
void ControllerModel::Driver(const QByteArray& frame, int seq, qint64 t) {
    const size_t axis = static_cast<quint8>(frame[1]) == CodeMotorX ? 0 : 1;
    if (m_driverSilent[axis]) {
        // Not carried out, so the same frame again is a new try, not a repeat.
        m_lastSeq = -1;
        return;
    }
    m_driver[axis][static_cast<quint8>(frame[2])] = static_cast<quint8>(frame[3]);
    Answer(seq, t, 0);
}

void ControllerModel::StartRawPhase(QByteArray bytes, int endSeq, qint64 t) {
    m_phase = RawPhase{true, std::move(bytes), 0, false, std::max(t, m_workFreeUs), endSeq};
    m_busySeq = endSeq;
    m_busyUntilUs = Never;
    m_expected = Next(endSeq);
    Pump(t);
}

// The line command: its own end at once, then its data frames, then the strike.
void ControllerModel::StartLine(const QByteArray& frame, int seq, qint64 t) {
    m_lineForward = static_cast<quint8>(frame[1]) == CodeLineForward;
    m_lineDots = Parameter(frame);
    Answer(seq, t, 0);
    ++m_linesStarted;
    const int frames = (m_lineDots + 7) / 8;
    if (frames == 0) {
        StrikeTheLine(Next(seq), t);
        return;
    }
    if (m_options.faults.stopMidLine == m_linesStarted)
        m_stopAfterData = frames / 2;
    if (m_stopAfterData >= 0) {
        // Inside the line: before its last data frame, so nothing of it is struck.
        m_stopThisLine = std::min(m_stopAfterData, frames - 1);
        m_stopAfterData = -1;
    }
    m_awaiting = Awaiting::LineData;
    m_dataLeft = frames;
    m_dataSeen = 0;
    m_data.clear();
    if (m_stopThisLine == 0) {
        m_silent = true;
        m_stopThisLine = -1;
    }
}

void ControllerModel::LineData(const QByteArray& frame, int seq, qint64 t) {
    m_data.append(frame.left(4));
    --m_dataLeft;
    ++m_dataSeen;
    Answer(seq, t, 0, KindStored);
    if (m_dataLeft == 0) {
        m_awaiting = Awaiting::Command;
        StrikeTheLine(Next(seq), t);
    } else if (m_stopThisLine == m_dataSeen) {
        m_silent = true;
        m_stopThisLine = -1;
    }
}

// Forward: strike at the head, then one column on. Backward: one column back, then strike.
// The line's end carries the number after its last data frame, which the host waits for.
void ControllerModel::StrikeTheLine(int endSeq, qint64 t) {
    const int stepTimeP = StepTimeP(0);
    const int tickA = m_register[TickARegister];
    const int tickB = m_register[TickBRegister];
    qint64 duration = 0;
    for (int i = 0; i < m_lineDots; ++i) {
        const qsizetype at = i / 2;
        const quint8 packed = at < m_data.size() ? static_cast<quint8>(m_data[at]) : 0;
        const int digit = i % 2 == 0 ? packed >> 4 : packed & 0x0F;
        if (!m_lineForward)
            m_mechanics.StepColumns(-1);
        // Digits 5..9 name no profile: the needle stays still there.
        if (digit >= 1 && digit <= 4) {
            const size_t level = static_cast<size_t>(digit);
            m_mechanics.StrikeHere(digit, m_profiles.force[level]);
            duration += StruckColumnUs(m_profiles.phases[level], tickA, tickB);
        } else {
            duration += EmptyColumnUs(stepTimeP);
        }
        if (m_lineForward)
            m_mechanics.StepColumns(1);
    }
    m_data.clear();
    EndAt(KindFinished | endSeq, endSeq, t, Scaled(duration));
    m_expected = Next(endSeq);
    m_counterShift += std::exchange(m_shiftAfterLine, 0);
    if (m_options.faults.mismatchAfterLine == m_linesStarted)
        m_counterShift += 1;
    m_mechanics.PersistSaved();
}

void ControllerModel::ProfileData(const QByteArray& frame, int seq, qint64 t) {
    m_data.append(frame.left(4));
    --m_dataLeft;
    Answer(seq, t, 0);
    if (m_dataLeft == 0) {
        m_profiles.Load(m_data, StepTimeP(0));
        m_data.clear();
        m_awaiting = Awaiting::Command;
    }
}

} // namespace zeb::sim
