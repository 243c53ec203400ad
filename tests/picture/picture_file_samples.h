#pragma once
// Small picture files built byte by byte, so that every block lies where a test expects it:
// bitmaps of each header and compression, GIFs of several images and extensions, and Qt's own
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

// The GIF's image data: `width` x `height` pixels of (x + y) % 4 at a code size of 2, a clear
// code before every second pixel so that the codes stay 3 bits wide, in sub-blocks of `block`
// bytes.
inline QByteArray GifImageData(int width, int height, int block) {
    QByteArray codes;
    quint32 pending = 0;
    int bits = 0;
    const auto put = [&](quint32 code) {
        pending |= code << bits;
        for (bits += 3; bits >= 8; bits -= 8, pending >>= 8)
            codes.append(static_cast<char>(pending & 0xFF));
    };
    for (int i = 0; i < width * height; ++i) {
        if (i % 2 == 0)
            put(4); // clear
        put((i % width + i / width) % 4);
    }
    put(5); // end of information
    if (bits > 0)
        codes.append(static_cast<char>(pending & 0xFF));
    QByteArray data(1, 2); // code size
    for (qsizetype i = 0; i < codes.size(); i += block) {
        const QByteArray sub = codes.mid(i, block);
        data += static_cast<char>(sub.size()) + sub;
    }
    return data + '\0';
}

// Two images of the four greys with a comment and a graphic control extension before them;
// the second image has its own colour table. The first is what the reader gives.
inline QByteArray TwoImageGif(int width, int height) {
    QByteArray gif("GIF89a");
    PutLe(gif, width, 2);
    PutLe(gif, height, 2);
    gif += QByteArray::fromHex("810000"); // a global table of 4 colours
    for (int i = 0; i < 4; ++i)
        gif += QByteArray(3, static_cast<char>(Grey(i)));
    gif += QByteArray::fromHex("21fe") + '\x05' + "zebra" + '\0';
    gif += QByteArray::fromHex("21f904000a000000");
    const auto descriptor = [&](quint32 flags) {
        gif += ',';
        PutLe(gif, 0, 4);
        PutLe(gif, width, 2);
        PutLe(gif, height, 2);
        gif += static_cast<char>(flags);
    };
    descriptor(0);
    gif += GifImageData(width, height, 5);
    descriptor(0x81);
    gif += QByteArray::fromHex("000000ffffff101010202020");
    gif += GifImageData(width, height, 7);
    return gif + ';';
}

} // namespace zeb::testing
