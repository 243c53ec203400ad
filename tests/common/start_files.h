#pragma once
// Files of a start directory as the tests lay them out and read them back: raw bytes, and a
// settings file ("Zeb.ini") with the forces and modes a test chooses.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <utility>

namespace zeb::testing {

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// A settings file with the first pass in group mode and the second individual, forces 14, 10,
// 5, 2; `resolution` and `portrait` on their lines.
inline QByteArray Settings(int resolution = 0, bool portrait = true,
                           const char* firstMode = "Group", const char* firstForces = "14,10,5,2",
                           const char* secondMode = "Ind  ",
                           const char* secondForces = "14,10,5,2") {
    QByteArray text;
    for (auto [mode, forces] : {std::pair{firstMode, firstForces}, {secondMode, secondForces}}) {
        text += QByteArray(mode) + "\r\n";
        const QList<QByteArray> levels = QByteArray(forces).split(',');
        for (int i = 0; i < 4; ++i)
            text += "KnKHel" + QByteArray::number(4 - i) + "-" + levels.value(i) + "\r\n";
    }
    return text + "com1\r\n1930\r\n2330\r\n" + QByteArray::number(resolution) + "\r\n12\r\n8\r\n" +
           (portrait ? "1\r\n" : "0\r\n");
}

} // namespace zeb::testing
