#pragma once
// Raw bytes in and out of the start directory, so the tests see exactly what is on disk.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringDecoder>

#include <gtest/gtest.h>

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

// The lines of a Windows-1251 text file whose every line ends in CR LF.
inline QStringList TextLines(const QString& path) {
    QString text = QStringDecoder("Windows-1251")(ReadBytes(path));
    EXPECT_TRUE(text.isEmpty() || text.endsWith("\r\n")) << path.toStdString();
    text.chop(2);
    return text.split("\r\n");
}

inline QStringList FilesIn(const QString& directory) {
    return QDir(directory).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace zeb::testing
