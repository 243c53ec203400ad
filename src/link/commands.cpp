// The controller's command vocabulary: moves, needle, reset, print job brackets, position
// queries, parameter memory, motor drivers and the link-time measurement.

#include "link/device.h"
#include "link/frames.h"
#include "text/text_catalogue.h"

namespace zeb {

namespace {
QByteArray Code(quint8 b1, quint8 b2, quint8 b3, quint8 b4) {
    QByteArray code(4, '\0');
    code[0] = static_cast<char>(b1);
    code[1] = static_cast<char>(b2);
    code[2] = static_cast<char>(b3);
    code[3] = static_cast<char>(b4);
    return code;
}

constexpr quint8 Escape = 0x1B;
constexpr quint8 RegisterScale = 0x60;
constexpr quint8 RegisterSpeed = 0x61;
} // namespace

qint64 Device::StepTimeTimes100() const {
    return 3 * qint64(m_machine.MotorSpeed) * m_machine.MotorSpeedScale;
}

Outcome Device::Move(quint8 command, const QString& name, int n, qint64 limitMs) {
    if (n < 0 || n > MaxSteps) {
        // Two bytes carry the count: a larger one would wrap into a short move.
        return Outcome::Failed(Text(TextKey::LinkMoveTooLong).arg(name).arg(n).arg(MaxSteps));
    }
    if (n == 0 || !m_link.DeviceReady)
        return Outcome::Done();
    m_op.SetCursor(CursorShape::Busy);
    SetCommand(MoveCode(command, n), name, static_cast<int>(limitMs));
    SendCommand();
    WaitLongEnd();
    return Outcome::Done();
}

Outcome Device::StepUp(int n) {
    return Move(0x10, QStringLiteral("StepUp"), n,
                StepTimeTimes100() * n / 100 + m_machine.LinkTime + 3000);
}

Outcome Device::StepDown(int n) {
    return Move(0x11, QStringLiteral("StepDown"), n,
                StepTimeTimes100() * n / 100 + m_machine.LinkTime + 3000);
}

Outcome Device::Left(int n) {
    return Move(0x12, QStringLiteral("Left"), n,
                StepTimeTimes100() * n / 100 + m_machine.LinkTime + 1000);
}

Outcome Device::Right(int n) {
    return Move(0x13, QStringLiteral("Right"), n,
                StepTimeTimes100() * (n - 1) / 100 + m_machine.LinkTime + 1000);
}

qint64 ResetLimitMs(int fieldWidth, int fieldHeight) {
    return 10000 + 10 * qint64(fieldHeight) + 6 * qint64(fieldWidth);
}

void Device::ResetError(int fieldWidth, int fieldHeight) {
    if (!m_link.DeviceReady)
        return;
    const qint64 limit = ResetLimitMs(fieldWidth, fieldHeight);
    m_op.ShowServiceValue(ServiceField::SeqNoOrLimit, QString::number(limit) +
                                                          QStringLiteral("      ") +
                                                          QString::number(limit));
    m_op.ShowServiceValue(ServiceField::ResetField, QString::number(fieldHeight) +
                                                        QStringLiteral("    ") +
                                                        QString::number(fieldWidth));
    m_op.SetCursor(CursorShape::Busy);
    SetCommand(Code(Escape, 0x00, 0x00, 0x00), QStringLiteral("Reset eror"),
               static_cast<int>(limit));
    SendCommand();
    m_machine.CurrentRow = 0;
    m_machine.CurrentCol = 0;
    WaitLongEnd();
}

void Device::ShortCommand(const QByteArray& code, const QString& name, int limitMs) {
    if (!m_link.DeviceReady)
        return;
    SetCommand(code, name, limitMs);
    SendCommand();
    WaitEnd();
}

void Device::Up() {
    ShortCommand(Code(Escape, 0xFF, 0x01, 0x01), QStringLiteral("Up"), 100);
}

void Device::Put(int v) {
    const quint8 value = static_cast<quint8>(v);
    ShortCommand(Code(Escape, 0xFE, value, value), QStringLiteral("Put"), 100);
}

void Device::Off() {
    if (!m_link.DeviceReady)
        return;
    const quint8 before = m_link.SeqNo;
    ShortCommand(Code(Escape, 0xFD, 0x01, 0x01), QStringLiteral("Off"), 1000);
    // The controller keeps expecting the number of Off; step back only when the end-wait
    // really stepped forward (a failed send leaves it where it was).
    if (m_link.SeqNo != before)
        m_link.SeqNo = static_cast<quint8>((m_link.SeqNo + 15) % 16);
}

void Device::SwitchOff() {
    Off();
    m_link.DeviceReady = false;
}

void Device::WarmUpStrike() {
    if (!m_link.DeviceReady)
        return;
    SetCommand(Code(Escape, 0x03, 0x01, 0x01), QString(), 5000);
    SendCommand();
    WaitLongEnd();
}

void Device::BeginPrint() {
    // Sent whatever DeviceReady is: an accepted frame brings the link back.
    SetCommand(Code(Escape, 0x37, 0x00, 0x00), QStringLiteral("Begin print"), 1);
    SendCommand();
    WaitEnd();
}

void Device::EndPrint() {
    ShortCommand(Code(Escape, 0x39, 0x00, 0x00), QStringLiteral("EndPrint"), 1000);
}

void Device::SetRegister55() {
    if (!m_link.DeviceReady)
        return;
    ShortCommand(Code(Escape, 0xA5, 0x55, 0x40), QString(), 1000);
    m_machine.TickA = JobTickA;
}

void Device::SetRegister54() {
    if (!m_link.DeviceReady)
        return;
    ShortCommand(Code(Escape, 0xA5, 0x54, 0x2E), QString(), 1000);
    m_machine.TickB = JobTickB;
}

std::optional<HeadPosition> Device::ReadPosition(int count, bool echoUntilDone) {
    quint8 bytes[5] = {};
    for (int i = 0; i < count && i < 5; ++i) {
        if (!echoUntilDone) {
            m_line.ReadByte(bytes[i]);
            m_line.WriteByte(0x0A);
            continue;
        }
        // Each byte is read until it comes and echoed until the echo goes out, within a
        // bound: a controller that never sends it has lost the link.
        bool read = false;
        for (int round = 0; round < MaxRounds && !read; ++round)
            read = m_line.ReadByte(bytes[i]);
        bool echoed = false;
        for (int round = 0; round < MaxRounds && read && !echoed; ++round)
            echoed = m_line.WriteByte(bytes[i]);
        if (!read || !echoed) {
            LoseLink(Text(TextKey::LinkCommandNotAnswering).arg(m_link.CmdName));
            return std::nullopt;
        }
    }
    HeadPosition position;
    position.row = (256 * bytes[0] + bytes[1]) / 2;
    position.column = 256 * bytes[2] + bytes[3];
    return position;
}

std::optional<HeadPosition> Device::Monitor() {
    if (!m_link.DeviceReady)
        return std::nullopt;
    SetCommand(Code(Escape, 0x30, 0x00, 0x00), QStringLiteral("Monitor"), 100);
    SendCommand();
    WaitEnd();
    if (!m_link.DeviceReady)
        return std::nullopt;
    const std::optional<HeadPosition> position = ReadPosition(4, false);
    if (position && m_selfTest.StepControl) {
        m_op.ShowServiceValue(ServiceField::RealPosY, QString::number(position->row));
        m_op.ShowServiceValue(ServiceField::RealPosX, QString::number(position->column));
    }
    WaitEnd();
    if (!m_link.DeviceReady)
        return std::nullopt;
    return position;
}

std::optional<HeadPosition> Device::How() {
    if (!m_link.DeviceReady)
        return std::nullopt;
    SetCommand(Code(Escape, 0x36, 0x00, 0x00), QStringLiteral("How"), 1000);
    SendCommand();
    WaitEnd();
    if (!m_link.DeviceReady)
        return std::nullopt;
    const std::optional<HeadPosition> position = ReadPosition(5, true);
    if (!position)
        return std::nullopt;
    WaitEnd();
    if (!m_link.DeviceReady)
        return std::nullopt;
    return position;
}

quint8 Device::ReadParamByte(quint8 address) {
    if (!m_link.DeviceReady)
        return 0;
    SetCommand(Code(Escape, 0x58, address, 0x00), QStringLiteral("R.E."), 1000);
    SendCommand();
    quint8 b = 0;
    m_line.ReadByte(b);
    WaitEnd();
    return b;
}

bool Device::ProgMotor(quint8 command, quint8 reg, quint8 value) {
    if (!m_link.DeviceReady)
        return true;
    const bool axisX = command == 0x40;
    SetCommand(Code(Escape, command, reg, value),
               axisX ? QStringLiteral("ProgX_Motor") : QStringLiteral("ProgY_Motor"), 100);
    SendCommand();
    quint8 b = 0;
    if (!m_line.ReadByte(b)) {
        m_link.DeviceReady = false;
        LockUI();
        m_op.ShowMessage(axisX ? Text(TextKey::LinkDriverXSilent).arg(m_link.CmdName)
                               : Text(TextKey::LinkDriverYSilent));
        return false;
    }
    const bool ok = b == (AnswerFinished | m_link.SeqNo);
    // The driver answered, if wrongly: the host takes the value for the register written, so
    // a speed value never lands in the scale.
    if (reg == RegisterScale)
        m_machine.MotorSpeedScale = value;
    if (reg == RegisterSpeed)
        m_machine.MotorSpeed = value;
    m_link.DeviceReady = true;
    UnlockUI();
    m_link.SeqNo = m_link.NextSeqNo();
    return ok;
}

bool Device::ProgX_Motor(quint8 reg, quint8 value) {
    return ProgMotor(0x40, reg, value);
}

bool Device::ProgY_Motor(quint8 reg, quint8 value) {
    return ProgMotor(0x41, reg, value);
}

bool Device::SetMotorSpeed(quint8 value) {
    const bool x = ProgX_Motor(RegisterSpeed, value);
    const bool y = ProgY_Motor(RegisterSpeed, value);
    m_machine.MotorSpeed = value;
    return x && y;
}

void Device::SetMotorSpeedScale(int resolutionIndex) {
    const quint8 value = static_cast<quint8>(16 + resolutionIndex);
    ProgX_Motor(RegisterScale, value);
    ProgY_Motor(RegisterScale, value);
}

void Device::MeasureLinkTime() {
    m_machine.LinkTime = 0;
    if (m_link.DeviceReady) {
        const qint64 start = m_clock.MonotonicMs();
        // A greeting that fails has shown its message; the other hundred would only repeat it.
        for (int i = 0; i < 101 && m_link.DeviceReady; ++i)
            Hi();
        if (m_link.DeviceReady)
            m_machine.LinkTime = static_cast<int>(m_clock.MonotonicMs() - start);
    }
    if (m_machine.LinkTime == 0)
        m_machine.LinkTime = 400;
}

} // namespace zeb
