#include "picture/picture_file.h"

#include "picture/picture_file_check.h"
#include "picture/tone_levels.h"
#include "text/text_catalogue.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QtNumeric>

#include <algorithm>
#include <climits>
#include <limits>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace zeb {

namespace {

constexpr qint64 MiB = 1024 * 1024;
constexpr qint64 Unbounded = std::numeric_limits<qint64>::max();

// Sizes from a picture's header reach these unchecked: they saturate instead of overflowing.
qint64 Product(qint64 a, qint64 b) {
    qint64 result = 0;
    return qMulOverflow(a, b, &result) ? Unbounded : result;
}
qint64 Sum(qint64 a, qint64 b) {
    qint64 result = 0;
    return qAddOverflow(a, b, &result) ? Unbounded : result;
}

QString Quoted(const QString& path) {
    return QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(path));
}

QString TooLarge(const QString& path, QSize size, qint64 need, qint64 available) {
    return TextCatalogue::BuiltIn(TextKey::PictureTooLarge)
        .arg(Quoted(path))
        .arg(size.width())
        .arg(size.height())
        .arg(need / MiB + (need % MiB != 0))
        .arg(available / MiB);
}

Outcome Failure(QString message) {
    return Outcome::Failed(std::move(message));
}

QString NotAPicture(const QString& path) {
    return TextCatalogue::BuiltIn(TextKey::PictureNotAPicture).arg(Quoted(path));
}

bool Fits(qint64 need, qint64 availableBytes) {
    return need <= availableBytes && need != Unbounded;
}

struct PictureHeader {
    QByteArray format; // the reader's name of it
    QSize size;        // invalid when the header does not tell
};

// Reads the header on `device`: a file no reader knows, or a picture whose Open would need
// more than `availableBytes`, is refused. The file's bytes are held while the picture is
// decoded, then given back before the matrices are sized.
Result<PictureHeader> ReadHeader(const QString& path, QIODevice& device, qint64 availableBytes) {
    QImageReader reader(&device);
    PictureHeader header{reader.format(), QSize()};
    if (header.format.isEmpty() || !reader.canRead())
        return Failure(NotAPicture(path));
    header.size = reader.size();
    if (!header.size.isValid())
        return header; // the decoded picture is checked instead
    const qint64 w = header.size.width();
    const qint64 h = header.size.height();
    const qint64 need =
        std::max(PictureMemoryNeed(w, h), Sum(device.size(), Product(Product(w, h), 4)));
    if (!Fits(need, availableBytes) || w > INT_MAX / 2 || h > INT_MAX / 2)
        return Failure(TooLarge(path, header.size, need, availableBytes));
    return header;
}

qint64 ReadNumberFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    bool ok = false;
    const qint64 value = file.readAll().trimmed().toLongLong(&ok);
    return ok ? value : -1;
}

} // namespace

qint64 PictureMemoryNeed(qint64 width, qint64 height) {
    const qint64 w = std::max<qint64>(width, 0);
    const qint64 h = std::max<qint64>(height, 0);
    const qint64 picture = Product(Product(w, h), 4);
    const qint64 grid = Product(Sum(h, 4), Sum(w, 4));
    const qint64 mask = Product(Sum(h, 5), Sum(w, 5));
    return Sum(Sum(picture, Product(grid, sizeof(qint32) + sizeof(double))),
               Product(mask, sizeof(qint32)));
}

qint64 SystemAvailableMemory() {
    qint64 available = std::numeric_limits<qint64>::max();
#if defined(Q_OS_LINUX)
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (meminfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : meminfo.readAll().split('\n')) {
            if (!line.startsWith("MemAvailable:"))
                continue;
            const QList<QByteArray> parts = line.simplified().split(' ');
            bool ok = false;
            const qint64 kib = parts.value(1).toLongLong(&ok);
            if (ok)
                available = kib * 1024;
        }
    }
    const qint64 limit = ReadNumberFile(QStringLiteral("/sys/fs/cgroup/memory.max"));
    const qint64 used = ReadNumberFile(QStringLiteral("/sys/fs/cgroup/memory.current"));
    if (limit > 0 && used >= 0)
        available = std::min(available, std::max<qint64>(0, limit - used));
#elif defined(Q_OS_WIN)
    MEMORYSTATUSEX status;
    status.dwLength = sizeof(status);
    if (GlobalMemoryStatusEx(&status))
        available = static_cast<qint64>(status.ullAvailPhys);
#endif
    return available;
}

void NormalizePictureFormat(QImage& picture, QImage* invertedOverBlack) {
    if (invertedOverBlack)
        *invertedOverBlack = InvertedOverBlack(picture);
    switch (picture.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_Grayscale8:
    case QImage::Format_Invalid:
        return;
    case QImage::Format_Grayscale16:
        picture.convertTo(QImage::Format_Grayscale8);
        return;
    default:
        break;
    }
    if (!picture.hasAlphaChannel()) {
        picture.convertTo(QImage::Format_RGB32);
        return;
    }
    // Premultiplied colour is the colour over black; then the pixels are made opaque.
    picture.convertTo(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] |= 0xFF000000u;
    }
    picture.reinterpretAsFormat(QImage::Format_RGB32);
}

Result<QImage> ReadPictureBytes(const QString& path, QByteArray bytes, qint64 availableBytes,
                                QImage* invertedOverBlack) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const Result<PictureHeader> read = ReadHeader(path, buffer, availableBytes);
    if (!read)
        return read.AsOutcome();
    const PictureHeader& header = *read;
    switch (CheckPictureStructure(header.format, bytes)) {
    case PictureStructure::Whole:
        break;
    case PictureStructure::Cut:
        return Failure(TextCatalogue::BuiltIn(TextKey::PictureCut).arg(Quoted(path)));
    case PictureStructure::Damaged:
        return Failure(NotAPicture(path));
    case PictureStructure::Gaps:
        return Failure(TextCatalogue::BuiltIn(TextKey::PictureGaps).arg(Quoted(path)));
    }

    buffer.seek(0);
    QImageReader reader(&buffer, header.format);
    reader.setAutoTransform(true);
    if (header.size.isValid()) {
        // Our own check has passed; the reader's default limit would refuse large photos.
        const qint64 decodeMiB =
            Product(Product(header.size.width(), header.size.height()), 8) / MiB + 1;
        reader.setAllocationLimit(static_cast<int>(std::clamp<qint64>(decodeMiB, 256, INT_MAX)));
    }
    QImage picture = reader.read();
    if (picture.isNull())
        return Failure(TextCatalogue::BuiltIn(TextKey::PictureNotDecoded)
                           .arg(Quoted(path), reader.errorString()));
    buffer.close();
    bytes.clear();
    const qint64 need = PictureMemoryNeed(picture.width(), picture.height());
    if (!Fits(need, availableBytes))
        return Failure(TooLarge(path, picture.size(), need, availableBytes));
    NormalizePictureFormat(picture, invertedOverBlack);
    return picture;
}

Result<QImage> LoadPictureFile(const QString& path, qint64 availableBytes,
                               QImage* invertedOverBlack) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure(TextCatalogue::BuiltIn(TextKey::PictureNotOpened)
                           .arg(Quoted(path), file.errorString()));
    // A file that is no picture, or a picture too large, is refused before it is read whole.
    if (const Result<PictureHeader> header = ReadHeader(path, file, availableBytes); !header)
        return header.AsOutcome();
    file.seek(0);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failure(
            TextCatalogue::BuiltIn(TextKey::PictureNotRead).arg(Quoted(path), file.errorString()));
    file.close();
    return ReadPictureBytes(path, std::move(bytes), availableBytes, invertedOverBlack);
}

QString PictureFileFilter() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    return TextCatalogue::BuiltIn(TextKey::PictureFileFilter).arg(patterns.join(' '));
}

Outcome SaveDotPicture(const QImage& picture, const QString& path) {
    // Qt writes 32-bit pictures as 24-bit bitmaps; other forms are brought to that first.
    const QImage image = picture.format() == QImage::Format_RGB32
                             ? picture
                             : picture.convertToFormat(QImage::Format_RGB32);
    QSaveFile file(path);
    const auto failed = [&path](const QString& why) {
        return Failure(TextCatalogue::BuiltIn(TextKey::PictureNotWritten).arg(Quoted(path), why));
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    QImageWriter writer(&file, "bmp");
    if (!writer.write(image)) {
        file.cancelWriting();
        return failed(writer.errorString());
    }
    if (!file.commit())
        return failed(file.errorString());
    return Outcome::Done();
}

} // namespace zeb
