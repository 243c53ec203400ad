#pragma once
// Raw bytes in and out of the start directory, so the tests see exactly what is on disk.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace zeb::testing {

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QStringList FilesIn(const QString& directory) {
    return QDir(directory).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace zeb::testing
