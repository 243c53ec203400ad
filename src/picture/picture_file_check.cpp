#include "picture/picture_file_check.h"

#include <QtNumeric>

#include <climits>

namespace zeb {

namespace {

using enum PictureStructure;

// Bounds-checked reading of a file's bytes; the walks ask Has before they read.
class Bytes {
public:
    explicit Bytes(const QByteArray& bytes) : m_bytes(bytes) {}

    qint64 Size() const { return m_bytes.size(); }
    bool Has(qint64 at, qint64 count) const {
        return at >= 0 && count >= 0 && at <= Size() && count <= Size() - at;
    }
    quint32 U8(qint64 at) const { return static_cast<quint8>(m_bytes[at]); }
    quint32 Le16(qint64 at) const { return U8(at) | U8(at + 1) << 8; }
    quint32 Le32(qint64 at) const { return Le16(at) | Le16(at + 2) << 16; }
    quint32 Be16(qint64 at) const { return U8(at) << 8 | U8(at + 1); }
    quint32 Be32(qint64 at) const { return Be16(at) << 16 | Be16(at + 2); }
    bool Holds(qint64 at, const char* text, qint64 length) const {
        return Has(at, length) && m_bytes.mid(at, length) == QByteArray(text, length);
    }

private:
    const QByteArray& m_bytes;
};

// Run-length data: pairs of a count and a colour; a zero count escapes, and the byte after it
// ends the row (0), ends the picture (1), moves right and up by the next two bytes (2), or
// gives that many literal pixels padded to whole 16-bit words. The decoder stops quietly where
// the bytes end, and leaves the pixels a stream skips (a row or the picture ended early, a
// move) unset, so every row must be given whole. The format keeps every run in its row; the
// decoder lays a longer one over the next row or loses step with the stream: damage.
PictureStructure WalkRunLengths(const Bytes& b, qint64 at, qint64 width, qint64 rows,
                                int bitsPerPixel) {
    qint64 x = 0;
    qint64 y = 0;
    while (y < rows) {
        const bool lastPixelGiven = y == rows - 1 && x == width;
        if (!b.Has(at, 2))
            return at == b.Size() && lastPixelGiven ? Whole : Cut;
        const quint32 count = b.U8(at);
        const quint32 code = b.U8(at + 1);
        at += 2;
        if (count > 0) {
            x += count;
        } else if (code == 0) {
            if (x < width)
                return Gaps;
            x = 0;
            ++y;
        } else if (code == 1) {
            return lastPixelGiven ? Whole : Gaps;
        } else if (code == 2) {
            if (!b.Has(at, 2))
                return Cut;
            if (b.U8(at) != 0 || b.U8(at + 1) != 0)
                return Gaps;
            at += 2;
        } else {
            const qint64 literalBytes = bitsPerPixel == 8 ? code : (code + 1) / 2;
            at += literalBytes + literalBytes % 2;
            if (at > b.Size())
                return Cut;
            x += code;
        }
        if (x > width)
            return Damaged;
    }
    return Whole;
}

// Windows bitmaps, laid out as the decoder reads them: a 14-byte file header; an information
// header of 12 bytes (16-bit sizes) or of 40, 64, 108 or 124 bytes (32-bit sizes); the colour
// masks of a bit-field picture when that header has none; the palette of a picture of 8 bits
// or fewer; then the pixels, at the file header's offset unless that points back into what
// came before.
PictureStructure CheckBmp(const Bytes& b) {
    if (!b.Has(0, 18))
        return Cut;
    const qint64 headerSize = b.Le32(14);
    const bool core = headerSize == 12;
    if (!core && headerSize != 40 && headerSize != 64 && headerSize != 108 && headerSize != 124)
        return Damaged;
    if (!b.Has(14, headerSize))
        return Cut;
    // Every size below is bounded by its field: 16 or 32 bits, the palette to 256 entries.
    const qint64 width = core ? static_cast<qint16>(b.Le16(18)) : static_cast<qint32>(b.Le32(18));
    const qint64 height = core ? static_cast<qint16>(b.Le16(20)) : static_cast<qint32>(b.Le32(22));
    const int bits = static_cast<int>(core ? b.Le16(24) : b.Le16(28));
    const quint32 compression = core ? 0 : b.Le32(30);
    const quint32 coloursUsed = core ? 0 : b.Le32(46);
    if (width <= 0 || height == 0 || height == INT_MIN)
        return Damaged;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return Damaged;
    const bool bitFields = compression == 3 && (bits == 16 || bits == 32);
    const bool runLengths = (compression == 1 && bits == 8) || (compression == 2 && bits == 4);
    if (compression != 0 && !bitFields && !runLengths)
        return Damaged;

    qint64 palette = 0;
    if (bits <= 8) {
        const qint64 colours = coloursUsed ? coloursUsed : qint64(1) << bits;
        if (colours > 256)
            return Damaged;
        palette = colours * (core ? 3 : 4);
    }
    const qint64 masks = bitFields && headerSize < 108 ? 12 : 0;
    const qint64 tableEnd = 14 + headerSize + masks + palette;
    const qint64 offset = static_cast<qint32>(b.Le32(10));
    const qint64 pixels = offset > tableEnd ? offset : tableEnd;
    const qint64 rows = height < 0 ? -height : height;
    if (runLengths)
        return WalkRunLengths(b, pixels, width, rows, bits);

    const qint64 stride = (width * bits + 31) / 32 * 4; // below 2^36: width < 2^31, bits <= 32
    qint64 pixelBytes = 0;
    if (qMulOverflow(stride, rows, &pixelBytes))
        return Cut; // more than any file holds
    return b.Has(pixels, pixelBytes) ? Whole : Cut;
}

PictureStructure CheckPng(const Bytes& b) {
    if (!b.Has(0, 8))
        return Cut;
    if (!b.Holds(0, "\x89PNG\r\n\x1a\n", 8))
        return Damaged;
    qint64 at = 8;
    for (;;) {
        if (!b.Has(at, 8))
            return Cut;
        const qint64 length = b.Be32(at);
        if (length > 0x7FFFFFFF) // the format's limit; a larger one is no chunk
            return Damaged;
        const bool end = b.Holds(at + 4, "IEND", 4);
        if (!b.Has(at, 12 + length)) // length, type, data, check
            return Cut;
        if (end)
            return Whole;
        at += 12 + length;
    }
}

// Walks the marker segments and the entropy-coded scans up to the end-of-image marker. A file
// that stops before it is cut short: the decoder would fill the rest with grey.
PictureStructure CheckJpeg(const Bytes& b) {
    if (!b.Has(0, 2))
        return Cut;
    if (b.Be16(0) != 0xFFD8)
        return Damaged;
    const qint64 n = b.Size();
    qint64 i = 2;
    while (i + 1 < n) {
        if (b.U8(i) != 0xFF) {
            ++i; // stray bytes between segments, tolerated as the decoder does
            continue;
        }
        const quint32 marker = b.U8(i + 1);
        if (marker == 0xD9)
            return Whole;
        if (marker == 0xFF || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (!b.Has(i + 2, 2))
            return Cut;
        const qint64 length = b.Be16(i + 2);
        i += 2 + length;
        if (length < 2)
            return Damaged;
        if (i > n)
            return Cut;
        if (marker != 0xDA)
            continue;
        // Entropy-coded data: 0xFF is followed by 0x00 (a stuffed byte), a restart marker or
        // another 0xFF (fill); anything else is the next marker.
        while (i + 1 < n) {
            if (b.U8(i) != 0xFF) {
                ++i;
                continue;
            }
            const quint32 next = b.U8(i + 1);
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7))
                i += 2;
            else if (next == 0xFF)
                ++i;
            else
                break;
        }
    }
    return Cut;
}

// Bytes of the colour table a GIF screen or image descriptor's flags announce: at most 768.
qint64 GifColourTable(quint32 flags) {
    return flags & 0x80 ? qint64(3) << ((flags & 7) + 1) : 0;
}

// The blocks after the screen descriptor: extensions and images, each ending with an empty
// data sub-block, then the trailer. The decoder shows what arrived of an image and leaves the
// rest blank.
PictureStructure CheckGif(const Bytes& b) {
    if (!b.Has(0, 13))
        return Cut;
    if (!b.Holds(0, "GIF87a", 6) && !b.Holds(0, "GIF89a", 6))
        return Damaged;
    qint64 at = 13 + GifColourTable(b.U8(10));
    for (;;) {
        if (!b.Has(at, 1))
            return Cut;
        const quint32 introducer = b.U8(at++);
        if (introducer == 0x3B)
            return Whole;
        if (introducer == 0x21) {
            ++at; // the extension's label
        } else if (introducer == 0x2C) {
            if (!b.Has(at, 9))
                return Cut;
            at += 9 + GifColourTable(b.U8(at + 8)) + 1; // descriptor, table, code size
        } else {
            return Damaged;
        }
        for (;;) {
            if (!b.Has(at, 1))
                return Cut;
            const qint64 length = b.U8(at);
            at += 1 + length;
            if (length == 0)
                break;
        }
    }
}

// C source text: the decoder leaves the bytes missing before the closing brace blank.
PictureStructure CheckXbm(const QByteArray& bytes) {
    const qsizetype open = bytes.indexOf('{');
    return open >= 0 && bytes.indexOf('}', open) > open ? Whole : Cut;
}

} // namespace

PictureStructure CheckPictureStructure(const QByteArray& format, const QByteArray& bytes) {
    const Bytes b(bytes);
    if (format == "bmp")
        return CheckBmp(b);
    if (format == "png")
        return CheckPng(b);
    if (format == "jpeg" || format == "jpg")
        return CheckJpeg(b);
    if (format == "gif")
        return CheckGif(b);
    if (format == "xbm")
        return CheckXbm(bytes);
    return Whole;
}

} // namespace zeb
