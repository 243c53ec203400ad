#pragma once
// The bytes on the wire, as pure functions: command frames with their check byte, move
// codes, packed strike lines. Nothing here touches the line.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace zeb {

// Answer kinds in the high four bits of a controller byte; the low four bits carry the
// sequence number they answer.
constexpr quint8 AnswerInquiry = 0x20;  // answer to an error inquiry
constexpr quint8 AnswerFinished = 0x50; // command finished
constexpr quint8 AnswerStored = 0x60;   // data frame of a strike line stored
constexpr quint8 AnswerRejected = 0x90; // frame rejected, or command failed
constexpr quint8 AnswerAccepted = 0xA0; // frame accepted
constexpr quint8 ConfirmMask = 0x22;    // the host confirms an acceptance with s xor 0x22
constexpr quint8 InquiryReply = 0x03;   // the host's reply to an inquiry answer

// The five bytes of a frame: the four code bytes (a shorter code is padded with 0, a longer
// one cut) and the check byte, the xor of the code bytes and the sequence number.
QByteArray CommandFrame(const QByteArray& code, quint8 seqNo);

// 1B `command` hi lo, with hi lo = n - 1, high byte first. n must be 1..65535.
QByteArray MoveCode(quint8 command, int n);

// Strike digits of one line, padded with '0' to a multiple of 8 and packed two dots per
// byte, the first dot in the high four bits. Only '1'..'4' strike; any other character
// counts as 0, so no dot can ask for a profile the controller does not have.
QByteArray PackLine(const QByteArray& digits);

// Upper-case hexadecimal without leading zeros, as the command log writes bytes.
QString LogHex(int value);

} // namespace zeb
