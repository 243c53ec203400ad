#pragma once
// The controller's command vocabulary as it arrives: every command frame starts with 0x1B,
// the second byte says which command, the last two carry its parameters.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace zeb::sim {

inline constexpr quint8 CommandLead = 0x1B;

enum Code : quint8 {
    CodeReset = 0x00,
    CodeHi = 0x01,
    CodeWarmUpStrike = 0x03,
    CodeStepUp = 0x10,
    CodeStepDown = 0x11,
    CodeLeft = 0x12,
    CodeRight = 0x13,
    CodeLineBackward = 0x20,
    CodeLineForward = 0x21,
    CodeMonitor = 0x30,
    CodeHow = 0x36,
    CodeBeginPrint = 0x37,
    CodeEndPrint = 0x39,
    CodeMotorX = 0x40,
    CodeMotorY = 0x41,
    CodeSetStrike = 0x44,
    CodeReadParamByte = 0x58,
    CodeSetRegister = 0xA5,
    CodeOff = 0xFD,
    CodePut = 0xFE,
    CodeUp = 0xFF,
};

// Answer kinds in the high four bits; the low four repeat the sequence number.
inline constexpr quint8 KindInquiry = 0x20;
inline constexpr quint8 KindFinished = 0x50;
inline constexpr quint8 KindStored = 0x60;
inline constexpr quint8 KindRejected = 0x90;
inline constexpr quint8 KindAccepted = 0xA0;
inline constexpr quint8 InquiryReply = 0x03;
inline constexpr quint8 MonitorEcho = 0x0A;

// The name a command frame goes by in the trace ("StepUp", "SetRegister55"; "?" when the
// frame is no command of the vocabulary).
QString CommandName(const QByteArray& frame);

// The 16-bit parameter of a frame, high byte first.
inline int Parameter(const QByteArray& frame) {
    return static_cast<quint8>(frame[2]) * 256 + static_cast<quint8>(frame[3]);
}

} // namespace zeb::sim
