#include "picture/picture_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include <algorithm>
#include <climits>
#include <limits>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace zeb {

namespace {

constexpr qint64 MiB = 1024 * 1024;

quint8 Byte(const QByteArray& b, qint64 i) {
    return static_cast<quint8>(b[i]);
}
qint64 Le16(const QByteArray& b, qint64 i) {
    return Byte(b, i) | Byte(b, i + 1) << 8;
}
qint64 Le32(const QByteArray& b, qint64 i) {
    return static_cast<qint64>(Le16(b, i) | Le16(b, i + 2) << 16);
}

// Walks the marker segments and the entropy-coded scans up to the end-of-image marker. A file
// that stops before it is cut short: the decoder would fill the rest with grey and say nothing.
bool JpegComplete(const QByteArray& b) {
    const qint64 n = b.size();
    qint64 i = 2;
    while (i + 1 < n) {
        if (Byte(b, i) != 0xFF) {
            ++i; // stray bytes between segments, tolerated as the decoder does
            continue;
        }
        const quint8 marker = Byte(b, i + 1);
        if (marker == 0xD9)
            return true;
        if (marker == 0xFF || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (i + 3 >= n)
            return false;
        const qint64 length = Byte(b, i + 2) << 8 | Byte(b, i + 3);
        i += 2 + length;
        if (length < 2 || i > n)
            return false;
        if (marker != 0xDA)
            continue;
        // Entropy-coded data: 0xFF is followed by 0x00 (a stuffed byte), a restart marker or
        // another 0xFF (fill); anything else is the next marker.
        while (i + 1 < n) {
            if (Byte(b, i) != 0xFF) {
                ++i;
                continue;
            }
            const quint8 next = Byte(b, i + 1);
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7))
                i += 2;
            else if (next == 0xFF)
                ++i;
            else
                break;
        }
    }
    return false;
}

// Uncompressed and bit-field bitmaps say how long their pixel rows are; the decoder fills a
// missing tail with black and says nothing.
bool BmpComplete(const QByteArray& b) {
    const qint64 n = b.size();
    if (n < 26)
        return false;
    const qint64 pixelOffset = Le32(b, 10);
    const qint64 headerSize = Le32(b, 14);
    qint64 width = 0;
    qint64 height = 0;
    qint64 bits = 0;
    qint64 compression = 0;
    if (headerSize == 12) {
        width = Le16(b, 18);
        height = Le16(b, 20);
        bits = Le16(b, 24);
    } else if (headerSize >= 40 && n >= 34) {
        width = static_cast<qint32>(Le32(b, 18));
        height = static_cast<qint32>(Le32(b, 22));
        bits = Le16(b, 28);
        compression = Le32(b, 30);
    } else {
        return true; // a header the checks do not know: the decoder decides
    }
    if (compression != 0 && compression != 3 && compression != 6)
        return true; // run-length data has no fixed length
    const qint64 stride = (std::abs(width) * bits + 31) / 32 * 4;
    return n >= pixelOffset + stride * std::abs(height);
}

bool FileComplete(const QByteArray& format, const QByteArray& bytes) {
    if (format == "jpeg" || format == "jpg")
        return JpegComplete(bytes);
    if (format == "bmp")
        return BmpComplete(bytes);
    if (format == "gif")
        return !bytes.isEmpty() && bytes.back() == 0x3B; // the trailer byte
    return true; // the other decoders report a cut file themselves
}

QString Quoted(const QString& path) {
    return QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(path));
}

QString TooLarge(const QString& path, QSize size, qint64 need, qint64 available) {
    return QStringLiteral("Изображение %1 слишком велико: %2 × %3 точек. Для него нужно %4 МБ "
                          "памяти, доступно %5 МБ.")
        .arg(Quoted(path))
        .arg(size.width())
        .arg(size.height())
        .arg((need + MiB - 1) / MiB)
        .arg(available / MiB);
}

LoadedPicture Failure(QString message) {
    return LoadedPicture{QImage(), std::move(message)};
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
    const qint64 picture = width * height * 4;
    const qint64 grid = (height + 4) * (width + 4);
    const qint64 mask = (height + 5) * (width + 5);
    return picture + grid * static_cast<qint64>(sizeof(qint32) + sizeof(double)) +
           mask * static_cast<qint64>(sizeof(qint32));
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

void NormalizePictureFormat(QImage& picture) {
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

LoadedPicture LoadPictureFile(const QString& path, qint64 availableBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure(QStringLiteral("Не удалось открыть файл %1: %2.")
                           .arg(Quoted(path), file.errorString()));
    const QString notAPicture =
        QStringLiteral("Файл %1 не является изображением или повреждён.").arg(Quoted(path));

    // The header alone tells the format and the size: a picture too large is refused before
    // anything of it is held.
    QSize size;
    QByteArray format;
    {
        QImageReader header(&file);
        format = header.format();
        if (format.isEmpty() || !header.canRead())
            return Failure(notAPicture);
        size = header.size();
    }
    if (size.isValid()) {
        // The file's bytes are given back before the matrices are sized; the matrices weigh
        // more than any file of the picture, so they set the peak.
        const qint64 need = std::max(PictureMemoryNeed(size.width(), size.height()),
                                     file.size() + qint64(size.width()) * size.height() * 4);
        if (need > availableBytes || size.width() > INT_MAX / 2 || size.height() > INT_MAX / 2)
            return Failure(TooLarge(path, size, need, availableBytes));
    }
    file.seek(0);
    QByteArray bytes = file.readAll();
    file.close();
    if (!FileComplete(format, bytes))
        return Failure(
            QStringLiteral("Файл %1 обрезан: изображение в нём неполное.").arg(Quoted(path)));

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(true);
    if (size.isValid()) {
        // Our own check has passed; the reader's default limit would refuse large photos.
        const qint64 decodeMiB = qint64(size.width()) * size.height() * 8 / MiB + 1;
        reader.setAllocationLimit(static_cast<int>(std::clamp<qint64>(decodeMiB, 256, INT_MAX)));
    }
    QImage picture = reader.read();
    if (picture.isNull())
        return Failure(QStringLiteral("Не удалось прочитать изображение из файла %1 (%2).")
                           .arg(Quoted(path), reader.errorString()));
    buffer.close();
    bytes.clear();
    const qint64 need = PictureMemoryNeed(picture.width(), picture.height());
    if (need > availableBytes)
        return Failure(TooLarge(path, picture.size(), need, availableBytes));
    NormalizePictureFormat(picture);
    return LoadedPicture{std::move(picture), QString()};
}

QString PictureFileFilter() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    return QStringLiteral("Изображения (%1);;Все файлы (*)").arg(patterns.join(' '));
}

QString SaveDotPicture(const QImage& picture, const QString& path) {
    // Qt writes 32-bit pictures as 24-bit bitmaps; other forms are brought to that first.
    const QImage image = picture.format() == QImage::Format_RGB32
                             ? picture
                             : picture.convertToFormat(QImage::Format_RGB32);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Не удалось записать файл %1: %2.")
            .arg(Quoted(path), file.errorString());
    QImageWriter writer(&file, "bmp");
    if (!writer.write(image)) {
        file.cancelWriting();
        return QStringLiteral("Не удалось записать файл %1: %2.")
            .arg(Quoted(path), writer.errorString());
    }
    if (!file.commit())
        return QStringLiteral("Не удалось записать файл %1: %2.")
            .arg(Quoted(path), file.errorString());
    return QString();
}

} // namespace zeb
