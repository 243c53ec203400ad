// Reading picture files of every kind Qt knows, refusing broken and oversized ones, and
// saving the dot picture as a 24-bit Windows bitmap.
#include "picture/picture_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zeb {
namespace {

constexpr qint64 Plenty = qint64(1) << 40;

QByteArray Encode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes;
}

QImage Gradient(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 7 + y) % 256, (x * y) % 256, y % 256));
    return image;
}

class PictureFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
};

struct BadFile {
    const char* name;
    std::function<QByteArray()> bytes;
    const char* phrase;
};

TEST_F(PictureFileTest, BrokenFilesAreRefusedWithTheirNameAndNoPicture) {
    const QImage picture = Gradient(120, 90);
    const QByteArray jpeg = Encode(picture, "JPG");
    const QByteArray bmp = Encode(picture, "BMP");
    const QByteArray png = Encode(picture, "PNG");
    const std::vector<BadFile> cases = {
        {"notes.txt", [] { return QByteArray("just some words\r\n"); }, "не является изображением"},
        {"empty.bmp", [] { return QByteArray(); }, "не является изображением"},
        {"cut.jpg", [&] { return jpeg.left(jpeg.size() * 7 / 10); }, "обрезан"},
        {"cut-header.jpg", [&] { return jpeg.left(300); }, "обрезан"},
        {"cut.bmp", [&] { return bmp.left(bmp.size() - 50); }, "обрезан"},
        {"cut.png", [&] { return png.left(png.size() / 2); }, "Не удалось прочитать"},
        {"named.png", [&] { return jpeg.left(jpeg.size() - 2); }, "обрезан"},
    };
    for (const BadFile& c : cases) {
        const QString path = Write(c.name, c.bytes());
        const LoadedPicture loaded = LoadPictureFile(path, Plenty);
        EXPECT_FALSE(loaded.Ok()) << c.name;
        EXPECT_TRUE(loaded.picture.isNull()) << c.name;
        EXPECT_TRUE(loaded.error.contains(QDir::toNativeSeparators(path))) << c.name;
        EXPECT_TRUE(loaded.error.contains(QString::fromUtf8(c.phrase)))
            << c.name << ": " << loaded.error.toStdString();
    }
    const LoadedPicture missing = LoadPictureFile(dir.filePath("gone.bmp"), Plenty);
    EXPECT_TRUE(missing.error.contains("gone.bmp"));
}

TEST_F(PictureFileTest, CompletePicturesOfEveryCommonFormatLoad) {
    const QImage picture = Gradient(31, 17);
    for (const char* format : {"BMP", "PNG", "JPG", "PPM"}) {
        const QString path = Write(QString("ok.") + format, Encode(picture, format));
        const LoadedPicture loaded = LoadPictureFile(path, Plenty);
        ASSERT_TRUE(loaded.Ok()) << format << loaded.error.toStdString();
        EXPECT_EQ(loaded.picture.size(), QSize(31, 17)) << format;
        EXPECT_EQ(loaded.picture.format(), QImage::Format_RGB32) << format;
        if (QByteArray(format) != "JPG") { // lossless formats keep every red value
            EXPECT_EQ(qRed(loaded.picture.pixel(30, 16)), (30 * 7 + 16) % 256) << format;
        }
    }
    // A JPEG with trailing bytes after its end marker is complete.
    const QString tail = Write("tail.jpg", Encode(picture, "JPG") + QByteArray(40, '\0'));
    EXPECT_TRUE(LoadPictureFile(tail, Plenty).Ok());
}

TEST_F(PictureFileTest, GreyPicturesStayOneBytePerPixel) {
    QImage grey(4, 3, QImage::Format_Grayscale8);
    grey.fill(qRgb(77, 77, 77));
    grey.setPixel(3, 2, qRgb(200, 200, 200));
    const LoadedPicture loaded = LoadPictureFile(Write("grey.png", Encode(grey, "PNG")), Plenty);
    ASSERT_TRUE(loaded.Ok());
    EXPECT_EQ(loaded.picture.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(qRed(loaded.picture.pixel(0, 0)), 77);
    EXPECT_EQ(qRed(loaded.picture.pixel(3, 2)), 200);
}

TEST_F(PictureFileTest, TransparentPixelsAreTakenOverBlack) {
    QImage picture(3, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(255, 255, 255, 0));
    picture.setPixel(1, 0, qRgba(255, 0, 0, 128));
    picture.setPixel(2, 0, qRgba(200, 10, 10, 255));
    const LoadedPicture loaded =
        LoadPictureFile(Write("alpha.png", Encode(picture, "PNG")), Plenty);
    ASSERT_TRUE(loaded.Ok());
    EXPECT_EQ(loaded.picture.format(), QImage::Format_RGB32);
    EXPECT_EQ(loaded.picture.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(qRed(loaded.picture.pixel(1, 0)), 128);
    EXPECT_EQ(qAlpha(loaded.picture.pixel(1, 0)), 255);
    EXPECT_EQ(loaded.picture.pixel(2, 0), qRgb(200, 10, 10));
}

TEST_F(PictureFileTest, PhotosAreTurnedUprightByTheirOrientationTag) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    if (!writer.supportsOption(QImageIOHandler::ImageTransformation))
        GTEST_SKIP() << "this Qt writes no orientation tag";
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(writer.write(Gradient(40, 10)));
    const LoadedPicture loaded = LoadPictureFile(Write("turned.jpg", bytes), Plenty);
    ASSERT_TRUE(loaded.Ok());
    EXPECT_EQ(loaded.picture.size(), QSize(10, 40));
}

TEST_F(PictureFileTest, TheOpenDialogOffersPhotosAndBitmaps) {
    const QString filter = PictureFileFilter();
    for (const char* pattern : {"*.bmp", "*.jpg", "*.jpeg", "*.png", "*.gif"})
        EXPECT_TRUE(filter.contains(pattern)) << pattern;
    EXPECT_TRUE(filter.endsWith(";;Все файлы (*)"));
}

TEST_F(PictureFileTest, MemoryNeedCountsPictureAndMatrices) {
    // 100 x 50: 4 bytes per pixel, 12 per cell of the two 104 x 54 matrices, 4 per cell of
    // the 105 x 55 mask.
    EXPECT_EQ(PictureMemoryNeed(100, 50), 20000 + 67392 + 23100);
    EXPECT_EQ(PictureMemoryNeed(0, 0), 16 * 12 + 25 * 4);
    EXPECT_GT(SystemAvailableMemory(), 0);
}

TEST_F(PictureFileTest, APictureTooLargeForMemoryIsRefusedBeforeDecoding) {
    const QString path = Write("big.png", Encode(Gradient(100, 50), "PNG"));
    const qint64 need = PictureMemoryNeed(100, 50);
    const LoadedPicture refused = LoadPictureFile(path, need - 1);
    EXPECT_FALSE(refused.Ok());
    EXPECT_TRUE(refused.picture.isNull());
    EXPECT_TRUE(refused.error.contains("слишком велико")) << refused.error.toStdString();
    EXPECT_TRUE(refused.error.contains("100 × 50"));
    EXPECT_TRUE(refused.error.contains("big.png"));
    EXPECT_TRUE(LoadPictureFile(path, need).Ok());
}

quint32 Crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : bytes) {
        crc ^= static_cast<quint8>(ch);
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

TEST_F(PictureFileTest, AHugeDeclaredSizeIsRefusedWithoutDecoding) {
    // A PNG whose header declares 60000 x 60000 pixels over the data of an 8 x 8 picture.
    QByteArray png = Encode(Gradient(8, 8), "PNG");
    auto put32 = [&](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            png[at + i] = static_cast<char>((v >> (8 * (3 - i))) & 0xFF);
    };
    put32(16, 60000); // IHDR width
    put32(20, 60000); // IHDR height
    put32(29, Crc32(png.mid(12, 17)));
    const LoadedPicture loaded = LoadPictureFile(Write("huge.png", png), qint64(1) << 34);
    EXPECT_FALSE(loaded.Ok());
    EXPECT_TRUE(loaded.error.contains("слишком велико")) << loaded.error.toStdString();
    EXPECT_TRUE(loaded.error.contains("60000 × 60000"));
}

TEST_F(PictureFileTest, SavedDotPictureIsA24BitBitmapUnderTheNameGiven) {
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_Grayscale8}) {
        QImage dots(5, 3, format);
        dots.fill(qRgb(0, 0, 0));
        dots.setPixel(1, 2, qRgb(192, 192, 192));
        const QString path = dir.filePath("dots");
        ASSERT_EQ(SaveDotPicture(dots, path), QString());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 54);
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(static_cast<quint8>(bytes[18]), 5);  // width
        EXPECT_EQ(static_cast<quint8>(bytes[22]), 3);  // height
        EXPECT_EQ(static_cast<quint8>(bytes[28]), 24); // bits per pixel
        // Rows of 5 x 3 bytes padded to 16, bottom-up: the first row stored is picture row 2.
        EXPECT_EQ(bytes.size(), 54 + 3 * 16);
        EXPECT_EQ(bytes.mid(54, 6), QByteArray::fromHex("000000c0c0c0"));
        EXPECT_FALSE(QFile::exists(path + ".bmp"));
    }
}

TEST_F(PictureFileTest, SavingWhereNoFileCanBeWrittenSaysSo) {
    QImage dots(2, 2, QImage::Format_RGB32);
    dots.fill(Qt::black);
    const QString path = dir.filePath("no-such-folder/dots.bmp");
    const QString error = SaveDotPicture(dots, path);
    EXPECT_TRUE(error.contains("dots.bmp")) << error.toStdString();
}

} // namespace
} // namespace zeb
