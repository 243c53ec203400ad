#pragma once
// Small picture files built byte by byte, so that every block lies where a test expects it:
// bitmaps of each header and compression, a GIF of several images and extensions, and Qt's own
// encodings of the other formats.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>

#include <gtest/gtest.h>

namespace zeb::testing {

inline QByteArray Encode(const QImage& image, const char* format, bool progressive = false) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << format;
    return bytes;
}

inline QImage Gradient(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 7 + y) % 256, (x * y) % 256, y % 256));
    return image;
}

inline void PutLe(QByteArray& bytes, quint32 value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>(value >> (8 * i) & 0xFF));
}

// A 40-byte information header; its palette holds `colours` entries (0: as many as the bits
// allow).
inline QByteArray InfoHeader(qint32 width, qint32 height, int bits, quint32 compression,
                             quint32 colours = 0) {
    QByteArray info;
    PutLe(info, 40, 4);
    PutLe(info, static_cast<quint32>(width), 4);
    PutLe(info, static_cast<quint32>(height), 4);
    PutLe(info, 1, 2); // planes
    PutLe(info, bits, 2);
    PutLe(info, compression, 4);
    PutLe(info, 0, 4);    // image size, which readers may ignore
    PutLe(info, 2835, 4); // 72 dots per inch
    PutLe(info, 2835, 4);
    PutLe(info, colours, 4);
    PutLe(info, 0, 4);
    return info;
}

// The oldest header: 12 bytes, 16-bit sizes, palette entries of 3 bytes.
inline QByteArray CoreHeader(qint16 width, qint16 height, int bits) {
    QByteArray info;
    PutLe(info, 12, 4);
    PutLe(info, static_cast<quint16>(width), 2);
    PutLe(info, static_cast<quint16>(height), 2);
    PutLe(info, 1, 2);
    PutLe(info, bits, 2);
    return info;
}

// File header, information header, palette (or colour masks), pixels; the pixels' offset is
// where they follow, unless `offset` says otherwise.
inline QByteArray Bitmap(const QByteArray& info, const QByteArray& table, const QByteArray& pixels,
                         qint64 offset = -1) {
    QByteArray file("BM");
    const qint64 start = 14 + info.size() + table.size();
    PutLe(file, static_cast<quint32>(start + pixels.size()), 4);
    PutLe(file, 0, 4);
    PutLe(file, static_cast<quint32>(offset < 0 ? start : offset), 4);
    return file + info + table + pixels;
}

// Four greys as a bitmap palette (blue, green, red, 0): index i is grey Grey(i).
inline int Grey(int index) {
    return index * 60 + 15;
}
inline QByteArray GreyPalette(int colours = 4) {
    QByteArray palette;
    for (int i = 0; i < colours; ++i)
        for (int c : {Grey(i), Grey(i), Grey(i), 0})
            palette.append(static_cast<char>(c));
    return palette;
}

// A run-length bitmap of the four greys; `rows` are the stream's bytes in hex.
inline QByteArray RunLengthBitmap(qint32 width, qint32 height, int bits, const char* hex) {
    return Bitmap(InfoHeader(width, height, bits, bits == 8 ? 1 : 2, 4), GreyPalette(),
                  QByteArray::fromHex(hex));
}

// A run-length bitmap of grey 1 at 8 bits (`width` up to 255): one run a row, each row ended,
// then the end of the picture.
inline QByteArray UniformRunLengthBitmap(int width, int height) {
    const QByteArray row = QByteArray::number(width, 16).rightJustified(2, '0') + "01 0000 ";
    return RunLengthBitmap(width, height, 8, (row.repeated(height) + "0001").constData());
}

// Two 5 x 4 images of the four greys, pixel (x + y) % 4, after a comment ("zebra") and a
// graphic control extension; the second image has its own colour table. Their codes stay 3 bits
// wide (a clear code before every second pixel) and come in sub-blocks of 5 and of 7 bytes. The
// first image is what the reader gives.
inline QByteArray TwoImageGif() {
    return QByteArray::fromHex(
        "474946383961 0500 0400 810000 0f0f0f 4b4b4b 878787 c3c3c3" // header, global table
        "21fe 05 7a65627261 00"                                     // comment
        "21f9 04 000a0000 00"                                       // graphic control
        "2c 00000000 0500 0400 00 02 05 44a811a146 05 841a116a44 02 a815 00"
        "2c 00000000 0500 0400 81 000000 ffffff 101010 202020 02 07 44a811a146841a 05 116a44a815 00"
        "3b");
}

} // namespace zeb::testing
