// Bytes on the wire, spelled out by hand: frames with their check byte, move counts and
// packed strike lines.

#include "link/frames.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

TEST(Frames, CheckByteCarriesTheSequenceNumber) {
    struct Row {
        QByteArray code;
        quint8 seqNo;
        QByteArray frame;
    };
    const Row rows[] = {
        {Bytes({0x1B, 0x01, 0x00, 0x00}), 0, Bytes({0x1B, 0x01, 0x00, 0x00, 0x1A})},
        {Bytes({0x1B, 0x01, 0x00, 0x00}), 15, Bytes({0x1B, 0x01, 0x00, 0x00, 0x15})},
        {Bytes({0x1B, 0x10, 0x00, 0x00}), 3, Bytes({0x1B, 0x10, 0x00, 0x00, 0x08})},
        {Bytes({0x1B, 0x44, 0x01, 0x01}), 7, Bytes({0x1B, 0x44, 0x01, 0x01, 0x58})},
        {Bytes({0x08, 0x58, 0x07, 0x07}), 9, Bytes({0x08, 0x58, 0x07, 0x07, 0x59})},
        {Bytes({0x00, 0x00, 0x00, 0x00}), 0, Bytes({0x00, 0x00, 0x00, 0x00, 0x00})},
        // A short code is padded with 0, a long one cut: a frame is always five bytes.
        {Bytes({0x1B, 0x37}), 2, Bytes({0x1B, 0x37, 0x00, 0x00, 0x2E})},
        {Bytes({0x1B, 0x39, 0x00, 0x00, 0x77}), 1, Bytes({0x1B, 0x39, 0x00, 0x00, 0x23})},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CommandFrame(row.code, row.seqNo).toHex(' '), row.frame.toHex(' '))
            << row.code.toHex(' ').constData() << " seq " << int(row.seqNo);
}

TEST(Frames, MoveCountsGoAsCountMinusOneHighByteFirst) {
    EXPECT_EQ(MoveCode(0x10, 1), Bytes({0x1B, 0x10, 0x00, 0x00}));
    EXPECT_EQ(MoveCode(0x12, 256), Bytes({0x1B, 0x12, 0x00, 0xFF}));
    EXPECT_EQ(MoveCode(0x13, 257), Bytes({0x1B, 0x13, 0x01, 0x00}));
    EXPECT_EQ(MoveCode(0x11, 65535), Bytes({0x1B, 0x11, 0xFF, 0xFE}));
}

TEST(Frames, StrikeLinesArePaddedAndPackedTwoDotsAByte) {
    struct Row {
        const char* digits;
        QByteArray packed;
    };
    const Row rows[] = {
        {"1204", Bytes({0x12, 0x04, 0x00, 0x00})},
        {"", QByteArray()},
        {"44444444", Bytes({0x44, 0x44, 0x44, 0x44})},
        {"123412341", Bytes({0x12, 0x34, 0x12, 0x34, 0x10, 0x00, 0x00, 0x00})},
        {"0000000000000003", Bytes({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03})},
        // Only 1..4 strike; anything else is no strike.
        {"a4 x", Bytes({0x04, 0x00, 0x00, 0x00})},
        {"5678", Bytes({0x00, 0x00, 0x00, 0x00})},
    };
    for (const Row& row : rows)
        EXPECT_EQ(PackLine(QByteArray(row.digits)).toHex(' '), row.packed.toHex(' ')) << row.digits;
}

TEST(Frames, LogWritesUpperCaseHexWithoutLeadingZeros) {
    EXPECT_EQ(LogHex(0), QStringLiteral("0"));
    EXPECT_EQ(LogHex(3), QStringLiteral("3"));
    EXPECT_EQ(LogHex(0xA3), QStringLiteral("A3"));
    EXPECT_EQ(LogHex(0x5F), QStringLiteral("5F"));
}

} // namespace
} // namespace zeb
