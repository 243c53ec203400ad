// Reading picture files of every kind Qt knows, refusing broken and oversized ones, and
// saving the dot picture as a 24-bit Windows bitmap.
#include "picture/picture_file.h"

#include "picture_file_samples.h"
#include "setup/file_helpers.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zeb {
namespace {

using testing::Encode;
using testing::Gradient;

constexpr qint64 Plenty = qint64(1) << 40;

class PictureFileTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        testing::WriteBytes(dir.filePath(name), bytes);
        return dir.filePath(name);
    }
    QTemporaryDir dir;
};

TEST_F(PictureFileTest, BrokenFilesAreRefusedWithTheirNameAndNoPicture) {
    const QImage picture = Gradient(120, 90);
    const QByteArray jpeg = Encode(picture, "JPG");
    const QByteArray bmp = Encode(picture, "BMP");
    const QByteArray png = Encode(picture, "PNG");
    const QByteArray runs = testing::UniformRunLengthBitmap(120, 90);
    const std::tuple<const char*, QByteArray, const char*> cases[] = {
        {"notes.txt", "just some words\r\n", "не является изображением"},
        {"cut.jpg", jpeg.left(jpeg.size() * 7 / 10), "обрезан"},
        {"cut.bmp", bmp.left(bmp.size() - 50), "обрезан"},
        {"cut.png", png.left(png.size() / 2), "обрезан"},
        {"cut-runs.bmp", runs.left(runs.size() * 2 / 3), "обрезан"}, // the decoder fills the rest
        {"named.png", jpeg.left(jpeg.size() - 2), "обрезан"},        // a JPEG under another name
    };
    for (const auto& [name, bytes, phrase] : cases) {
        const QString path = Write(name, bytes);
        const Result<QImage> loaded = LoadPictureFile(path, Plenty);
        EXPECT_FALSE(loaded.Ok()) << name;
        EXPECT_TRUE(loaded.Message().contains(QDir::toNativeSeparators(path))) << name;
        EXPECT_TRUE(loaded.Message().contains(QString::fromUtf8(phrase)))
            << name << ": " << loaded.Message().toStdString();
    }
    // A file that cannot be opened is told with the system's reason.
    const QString gone = dir.filePath("gone.bmp");
    QFile goneFile(gone);
    ASSERT_FALSE(goneFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(LoadPictureFile(gone, Plenty).Message(),
              QStringLiteral("Не удалось открыть файл \"%1\": %2.")
                  .arg(QDir::toNativeSeparators(gone), goneFile.errorString()));
    const Result<QImage> whole = LoadPictureFile(Write("runs.bmp", runs), Plenty);
    ASSERT_TRUE(whole.Ok()) << whole.Message().toStdString();
    EXPECT_EQ(whole.Value().size(), QSize(120, 90));
}

TEST_F(PictureFileTest, CompletePicturesOfEveryCommonFormatLoadAndAreOffered) {
    const QImage picture = Gradient(31, 17);
    for (const char* format : {"BMP", "PNG", "JPG", "PPM"}) {
        const QString path = Write(QString("ok.") + format, Encode(picture, format));
        const Result<QImage> loaded = LoadPictureFile(path, Plenty);
        ASSERT_TRUE(loaded.Ok()) << format << loaded.Message().toStdString();
        EXPECT_EQ(loaded.Value().size(), QSize(31, 17)) << format;
        EXPECT_EQ(loaded.Value().format(), QImage::Format_RGB32) << format;
        if (QByteArray(format) != "JPG") { // lossless formats keep every red value
            EXPECT_EQ(qRed(loaded.Value().pixel(30, 16)), (30 * 7 + 16) % 256) << format;
        }
    }
    // A JPEG with bytes after its end marker is complete.
    EXPECT_TRUE(
        LoadPictureFile(Write("tail.jpg", Encode(picture, "JPG") + QByteArray(40, '\0')), Plenty)
            .Ok());
    // Grey pictures stay one byte per pixel.
    QImage grey(4, 3, QImage::Format_Grayscale8);
    grey.fill(qRgb(77, 77, 77));
    const Result<QImage> loaded = LoadPictureFile(Write("grey.png", Encode(grey, "PNG")), Plenty);
    ASSERT_TRUE(loaded.Ok());
    EXPECT_EQ(loaded.Value().format(), QImage::Format_Grayscale8);
    EXPECT_EQ(qRed(loaded.Value().pixel(3, 2)), 77);
    // Transparent pixels are taken over black.
    QImage alpha(2, 1, QImage::Format_ARGB32);
    alpha.setPixel(0, 0, qRgba(255, 255, 255, 0));
    alpha.setPixel(1, 0, qRgba(255, 0, 0, 128));
    const Result<QImage> overBlack =
        LoadPictureFile(Write("alpha.png", Encode(alpha, "PNG")), Plenty);
    ASSERT_TRUE(overBlack.Ok());
    EXPECT_EQ(overBlack.Value().format(), QImage::Format_RGB32);
    EXPECT_EQ(overBlack.Value().pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(overBlack.Value().pixel(1, 0), qRgb(128, 0, 0));
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
    const Result<QImage> turned = LoadPictureFile(Write("turned.jpg", bytes), Plenty);
    ASSERT_TRUE(turned.Ok());
    EXPECT_EQ(turned.Value().size(), QSize(10, 40));
}

TEST_F(PictureFileTest, APictureTooLargeForMemoryIsRefusedBeforeDecoding) {
    // 100 x 50: 4 bytes per pixel, 12 per cell of the two 104 x 54 matrices, 4 per cell of
    // the 105 x 55 mask.
    const qint64 need = 20000 + 67392 + 23100;
    EXPECT_EQ(PictureMemoryNeed(100, 50), need);
    const QString path = Write("big.png", Encode(Gradient(100, 50), "PNG"));
    const Result<QImage> refused = LoadPictureFile(path, need - 1);
    EXPECT_FALSE(refused.Ok());
    for (const char* part : {"слишком велико", "100 × 50", "big.png"})
        EXPECT_TRUE(refused.Message().contains(QString::fromUtf8(part)))
            << refused.Message().toStdString();
    EXPECT_TRUE(LoadPictureFile(path, need).Ok());

    // A PNG whose header (its check sum worked out by hand) declares 60000 x 60000 pixels
    // over the data of an 8 x 8 picture.
    QByteArray png = Encode(Gradient(8, 8), "PNG");
    png.replace(12, 21, QByteArray::fromHex("49484452 0000ea60 0000ea60 08 02 00 00 00 0fb0e215"));
    const Result<QImage> huge = LoadPictureFile(Write("huge.png", png), qint64(1) << 34);
    EXPECT_FALSE(huge.Ok());
    EXPECT_TRUE(huge.Message().contains("60000 × 60000")) << huge.Message().toStdString();
}

TEST_F(PictureFileTest, SavedDotPictureIsA24BitBitmapUnderTheNameGiven) {
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_Grayscale8}) {
        QImage dots(5, 3, format);
        dots.fill(qRgb(0, 0, 0));
        dots.setPixel(1, 2, qRgb(192, 192, 192));
        const QString path = dir.filePath("dots");
        ASSERT_EQ(SaveDotPicture(dots, path).Message(), QString());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // Rows of 5 x 3 bytes padded to 16, bottom-up: the first row stored is picture row 2.
        ASSERT_EQ(bytes.size(), 54 + 3 * 16);
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(static_cast<quint8>(bytes[28]), 24); // bits per pixel
        EXPECT_EQ(bytes.mid(54, 6), QByteArray::fromHex("000000c0c0c0"));
        EXPECT_FALSE(QFile::exists(path + ".bmp"));
    }
    const QString unwritable = dir.filePath("no-such-folder/dots.bmp");
    const QString refusal = SaveDotPicture(Gradient(2, 2), unwritable).Message();
    EXPECT_TRUE(refusal.startsWith(QStringLiteral("Не удалось записать файл \"%1\": ")
                                       .arg(QDir::toNativeSeparators(unwritable))))
        << refusal.toStdString();
    EXPECT_TRUE(refusal.endsWith('.')) << refusal.toStdString();
}

} // namespace
} // namespace zeb
