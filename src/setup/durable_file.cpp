#include "setup/durable_file.h"

#include "text/text_catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace zeb {

namespace {

QString SystemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

// Pushes the directory that holds `path` to the disk, so a rename in it is kept.
QString SyncDirectoryOf(const QString& path) {
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return SystemError(errno);
    const QString error = SyncToDisk(fd);
    ::close(fd);
    return error;
}

} // namespace

QString SyncToDisk(int fileDescriptor) {
    if (::fdatasync(fileDescriptor) == 0)
        return {};
    return SystemError(errno);
}

QString WriteFileDurably(const QString& path, const QByteArray& bytes) {
    // The save file writes an unnamed file beside `path`, pushes it to the disk and renames it
    // into place only when all of it was written; a killed writer leaves nothing behind.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    // Unbuffered, so a short write shows here: the save file would otherwise commit whatever
    // part of a buffered write reached the disk.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        const QString error = TextCatalogue::BuiltIn(TextKey::FileWrittenPartly)
                                  .arg(std::max<qint64>(written, 0))
                                  .arg(bytes.size())
                                  .arg(file.errorString());
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return SyncDirectoryOf(path);
}

QString RenameDurably(const QString& from, const QString& to) {
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return SystemError(errno);
    return SyncDirectoryOf(to);
}

} // namespace zeb
