// Pictures whole or not at all: every cut of every sample is refused or gives the whole
// picture, run-length bitmaps that skip pixels are refused, and hostile headers are refused
// without an overflow (the sanitizer build runs these with UBSan halting on the first).
#include "picture/picture_file.h"
#include "picture/picture_file_check.h"

#include "picture_file_samples.h"
#include "setup/file_helpers.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace zeb {
namespace {

using namespace testing;

constexpr qint64 GiB = qint64(1) << 30;

// Greys of the sample palette by index, rows top first: "012/321".
QImage Greys(const char* rows) {
    const QList<QByteArray> lines = QByteArray(rows).split('/');
    QImage image(static_cast<int>(lines[0].size()), static_cast<int>(lines.size()),
                 QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int g = Grey(lines[y][x] - '0');
            image.setPixel(x, y, qRgb(g, g, g));
        }
    return image;
}

QImage Colours(int width, std::initializer_list<QRgb> pixels) {
    QImage image(width, static_cast<int>(pixels.size()) / width, QImage::Format_RGB32);
    int i = 0;
    for (QRgb pixel : pixels) {
        image.setPixel(i % width, i / width, pixel);
        ++i;
    }
    return image;
}

// Written as a 4-bit bitmap up to 16 colours, as an 8-bit one above.
QImage IndexedGreys(int colours) {
    QImage image(13, 7, QImage::Format_Indexed8);
    image.setColorCount(colours);
    for (int i = 0; i < image.colorCount(); ++i)
        image.setColor(i, qRgb(i * 12, i * 12, i * 12));
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            image.setPixel(x, y, (x + y) % image.colorCount());
    return image;
}

struct Sample {
    const char* name;
    QByteArray bytes;
    const char* format;  // the reader's name; empty where no walk is made
    qint64 tail;         // bytes at the end the walk can do without
    const char* cutSays; // what refusing two thirds of the file says
    QImage expected;     // the picture, where it is spelled out
};

std::vector<Sample> Samples() {
    const QImage gradient = Gradient(13, 7);
    const QImage mono = gradient.convertToFormat(QImage::Format_Mono);
    const char* const cut = "обрезан";
    const char* const unreadable = "Не удалось прочитать";
    const QByteArray xbm = Encode(mono, "XBM");
    return {
        {"rgb24.bmp", Encode(gradient, "BMP"), "bmp", 0, cut, gradient},
        {"indexed4.bmp", Encode(IndexedGreys(4), "BMP"), "bmp", 0, cut, {}},
        {"indexed8.bmp", Encode(IndexedGreys(20), "BMP"), "bmp", 0, cut, {}},
        {"mono.bmp", Encode(mono, "BMP"), "bmp", 0, cut, {}},
        // Small channel values, which every way of widening 5 and 6 bits to 8 keeps.
        {"fields16.bmp",
         Bitmap(InfoHeader(3, 1, 16, 3), QByteArray::fromHex("00f80000e00700001f000000"),
                QByteArray::fromHex("0018 4001 2308 0000")),
         "bmp", 0, cut, Colours(3, {qRgb(24, 0, 0), qRgb(0, 40, 0), qRgb(8, 4, 24)})},
        {"fields32.bmp",
         Bitmap(InfoHeader(2, 1, 32, 3), QByteArray::fromHex("0000ff0000ff0000ff000000"),
                QByteArray::fromHex("4080ff00 30201000")),
         "bmp", 0, cut, Colours(2, {qRgb(255, 128, 64), qRgb(16, 32, 48)})},
        {"core.bmp",
         Bitmap(CoreHeader(3, 2, 8),
                QByteArray::fromHex("0f0f0f 4b4b4b 878787 c3c3c3") + QByteArray(252 * 3, '\0'),
                QByteArray::fromHex("00010200 03020100")),
         "bmp", 0, cut, Greys("321/012")},
        {"top-down.bmp",
         Bitmap(InfoHeader(3, -2, 24, 0), {},
                QByteArray::fromHex("0f0f0f4b4b4b878787000000 c3c3c38787874b4b4b000000")),
         "bmp", 0, cut, Greys("012/321")},
        {"runs8.bmp",
         RunLengthBitmap(5, 3, 8,
                         "0201 0003 020302 00 0000 0503 0000 0005 0102030001 00 0000 0001"),
         "bmp", 4, cut, Greys("12301/33333/11232")},
        {"runs4.bmp", RunLengthBitmap(5, 2, 4, "0512 0000 0005 30123000 0000 0001"), "bmp", 4, cut,
         Greys("30123/12121")},
        {"photo.jpg", Encode(gradient, "JPG"), "jpeg", 0, cut, {}},
        {"progressive.jpg", Encode(gradient, "JPG", true), "jpeg", 0, cut, {}},
        {"picture.png", Encode(gradient, "PNG"), "png", 0, cut, gradient},
        {"frames.gif", TwoImageGif(), "gif", 0, cut, Greys("01230/12301/23012/30123")},
        {"mark.xbm", xbm, "xbm", xbm.size() - xbm.indexOf('}') - 1, cut, {}}, // to the brace
        // Formats whose readers refuse a cut file themselves.
        {"picture.ppm", Encode(gradient, "PPM"), "", 0, unreadable, gradient},
        {"grey.pgm", Encode(gradient, "PGM"), "", 0, unreadable, {}},
        {"icon.ico", Encode(gradient, "ICO"), "", 0, unreadable, gradient},
        {"pixmap.xpm", Encode(IndexedGreys(4), "XPM"), "", 0, unreadable, {}},
    };
}

TEST(PictureFileCheckTest, EveryCutOfEverySampleIsRefusedOrGivesTheWholePicture) {
    for (const Sample& sample : Samples()) {
        SCOPED_TRACE(sample.name);
        const QString path = QDir::temp().filePath(sample.name);
        const Result<QImage> whole = ReadPictureBytes(path, sample.bytes, GiB);
        ASSERT_TRUE(whole.Ok()) << whole.Message().toStdString();
        if (!sample.expected.isNull()) {
            EXPECT_EQ(whole.Value().convertToFormat(QImage::Format_RGB32), sample.expected);
        }
        for (qint64 n = 0; n < sample.bytes.size(); ++n) {
            const QByteArray prefix = sample.bytes.left(n);
            const Result<QImage> loaded = ReadPictureBytes(path, prefix, GiB);
            if (loaded.Ok()) {
                EXPECT_EQ(loaded.Value(), whole.Value()) << "cut at " << n;
            } else {
                EXPECT_TRUE(loaded.Message().contains(QDir::toNativeSeparators(path))) << n;
            }
            if (*sample.format && n < sample.bytes.size() - sample.tail) {
                EXPECT_NE(CheckPictureStructure(sample.format, prefix), PictureStructure::Whole)
                    << "cut at " << n;
            }
        }
        const Result<QImage> twoThirds =
            ReadPictureBytes(path, sample.bytes.left(sample.bytes.size() * 2 / 3), GiB);
        EXPECT_TRUE(twoThirds.Message().contains(QString::fromUtf8(sample.cutSays)))
            << twoThirds.Message().toStdString();
    }
}

// RLE8 pictures 4 x 2 and RLE4 pictures 5 x 1 of the four greys; "" where no picture loads.
TEST(PictureFileCheckTest, RunLengthStreamsMustGiveEveryPixelWithinTheFile) {
    using enum PictureStructure;
    struct Case {
        const char* what;
        int bits;
        const char* stream;
        PictureStructure structure;
        const char* picture;
    };
    const Case cases[] = {
        {"rows ended, picture ended", 8, "0401 0000 0004 01020301 0000 0001", Whole, "1231/1111"},
        {"bytes end at the last pixel", 8, "0401 0000 0004 01020301", Whole, "1231/1111"},
        {"a move by nothing", 8, "0401 0000 0002 0000 0402 0000", Whole, "2222/1111"},
        {"a byte after the last pixel", 8, "0401 0000 0004 01020301 00", Cut, ""},
        {"cut after a count", 8, "0401 0000 03", Cut, ""},
        {"cut in literal pixels", 8, "0401 0000 0004 0102", Cut, ""},
        {"cut in a move", 8, "0401 0000 0002 01", Cut, ""},
        {"a row ended early", 8, "0301 0000 0402 0000", Gaps, ""},
        {"the picture ended early", 8, "0401 0001", Gaps, ""},
        {"a move", 8, "0401 0000 0002 0100 0302 0000", Gaps, ""},
        {"a run past the row", 8, "0501 0000 0402", Damaged, ""},
        {"literal pixels past the row", 8, "0005 0102030102 00 0000", Damaged, ""},
        {"odd literal pixels, padded", 4, "0005 301230 00 0001", Whole, "30123"},
        {"odd literal pixels, padding cut", 4, "0005 301230", Cut, ""},
        {"a run of alternating pixels", 4, "0512 0001", Whole, "12121"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray file =
            RunLengthBitmap(c.bits == 8 ? 4 : 5, c.bits == 8 ? 2 : 1, c.bits, c.stream);
        EXPECT_EQ(CheckPictureStructure("bmp", file), c.structure);
        const Result<QImage> loaded = ReadPictureBytes("runs.bmp", file, GiB);
        if (*c.picture) {
            ASSERT_TRUE(loaded.Ok()) << loaded.Message().toStdString();
            EXPECT_EQ(loaded.Value().convertToFormat(QImage::Format_RGB32), Greys(c.picture));
        } else {
            EXPECT_FALSE(loaded.Ok());
        }
    }
    EXPECT_TRUE(ReadPictureBytes("gaps.bmp", RunLengthBitmap(4, 2, 8, "0401 0001"), GiB)
                    .Message()
                    .contains(QString::fromUtf8("пропущена часть точек")));
}

QByteArray Png(std::initializer_list<const char*> hexChunks) {
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    for (const char* chunk : hexChunks)
        png += QByteArray::fromHex(chunk);
    return png;
}

TEST(PictureFileCheckTest, HostileHeadersAreRefusedWithoutOverflow) {
    using enum PictureStructure;
    constexpr qint32 Max = INT_MAX;
    const QByteArray sixteen(16, '\x7F');
    const struct {
        const char* name;
        const char* format;
        QByteArray bytes;
        PictureStructure structure;
    } cases[] = {
        // 70 bytes each: the rows they declare would not fit in 64 bits.
        {"square.bmp", "bmp", Bitmap(InfoHeader(Max, Max, 32, 0), {}, sixteen), Cut},
        {"deep.bmp", "bmp", Bitmap(InfoHeader(Max, Max, 0xFFFF, 0), {}, sixteen), Damaged},
        {"fields.bmp", "bmp", Bitmap(InfoHeader(Max, -Max, 32, 3), {}, sixteen), Cut},
        {"narrow.bmp", "bmp", Bitmap(InfoHeader(-5, 4, 24, 0), {}, sixteen), Damaged},
        {"no-rows.bmp", "bmp", Bitmap(InfoHeader(5, INT_MIN, 24, 0), {}, sixteen), Damaged},
        {"huge-header.bmp", "bmp",
         QByteArray("BM") + QByteArray(8, '\0') + QByteArray::fromHex("36000000ffffffff"), Damaged},
        {"far-pixels.bmp", "bmp", Bitmap(InfoHeader(1, 1, 24, 0), {}, sixteen, 0x7FFFFFFF), Cut},
        {"many-colours.bmp", "bmp", Bitmap(InfoHeader(2, 2, 8, 0, 0xFFFFFFFF), {}, sixteen),
         Damaged},
        {"endless-runs.bmp", "bmp",
         Bitmap(InfoHeader(Max, Max, 8, 1, 1), GreyPalette(1),
                QByteArray::fromHex("ff01ff01ff01ff01ff010001")),
         Gaps},
        {"far-moves.bmp", "bmp",
         Bitmap(InfoHeader(Max, Max, 4, 2, 1), GreyPalette(1), QByteArray::fromHex("0002ffff")),
         Gaps},
        {"core.bmp", "bmp", Bitmap(CoreHeader(-1, -1, 24), {}, sixteen), Damaged},
        {"huge-chunk.png", "png", Png({"ffffffff49484452"}), Damaged},
        {"long-chunk.png", "png", Png({"7fffffff49444154", "00"}), Cut},
        {"vast.png", "png", Png({"0000000d494844527fffffff7fffffff0806000000"}), Cut},
        {"short-segment.jpg", "jpeg", QByteArray::fromHex("ffd8ffe00001"), Damaged},
        {"vast.jpg", "jpeg", QByteArray::fromHex("ffd8ffc0000b08ffffffff01011100"), Cut},
        {"vast.gif", "gif", QByteArray("GIF89a") + QByteArray::fromHex("ffffffff870000"), Cut},
        {"long-block.gif", "gif",
         QByteArray("GIF89a") + QByteArray::fromHex("0100010000000021fe ff41"), Cut},
        {"stray.gif", "gif", QByteArray("GIF89a") + QByteArray::fromHex("01000100000000 00"),
         Damaged},
        {"vast.xbm", "xbm", "#define v_width 2147483647\n#define v_height 2147483647\n{0x00,", Cut},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CheckPictureStructure(c.format, c.bytes), c.structure);
        for (const char* format : {"bmp", "png", "jpeg", "gif", "xbm"})
            CheckPictureStructure(format, c.bytes); // every walk on every hostile header
        const QString path = dir.filePath(c.name);
        WriteBytes(path, c.bytes);
        for (const Result<QImage>& loaded :
             {ReadPictureBytes(path, c.bytes, GiB), LoadPictureFile(path, GiB)}) {
            EXPECT_FALSE(loaded.Ok());
            EXPECT_TRUE(loaded.Message().contains(QDir::toNativeSeparators(path)))
                << loaded.Message().toStdString();
        }
    }
}

TEST(PictureFileCheckTest, MemoryNeedSaturatesInsteadOfOverflowing) {
    constexpr qint64 Most = std::numeric_limits<qint64>::max();
    EXPECT_EQ(PictureMemoryNeed(INT_MAX, INT_MAX), Most);
    EXPECT_EQ(PictureMemoryNeed(Most, 1), Most);
    EXPECT_EQ(PictureMemoryNeed(Most, Most), Most);
    EXPECT_EQ(PictureMemoryNeed(-5, 10), PictureMemoryNeed(0, 10));
    EXPECT_EQ(PictureMemoryNeed(0, 10), 14 * 4 * 12 + 15 * 5 * 4);
}

} // namespace
} // namespace zeb
