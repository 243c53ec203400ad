// The commands themselves: what the controller does with an accepted frame, and the extra
// traffic of strike profiles, strike lines, Monitor and How.

#include "sim/controller_model.h"

#include <algorithm>
#include <cstdlib>

namespace zeb::sim {

namespace {

constexpr qint64 WarmUpUs = 60000;
constexpr qint64 NeedleUs = 20000;
constexpr qint64 HomingUsPerStep = 2000;

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
