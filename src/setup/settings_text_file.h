#pragma once
// Line-by-line text files in the program's own format: Windows-1251, CR LF. Shared by the
// settings and the language file.

#include <QString>
#include <QStringList>

namespace zeb {

struct TextFileLines {
    bool ok = false;
    QString error; // why the file could not be read, when !ok
    QStringList lines;
};

// Reads at most maxLines lines (all when negative). A line is taken whole: only its end, LF
// or CR LF, is removed. A last line without an end counts as a line.
TextFileLines ReadTextLines(const QString& path, int maxLines = -1);

// Writes the lines, each ending in CR LF, whole or not at all (WriteFileDurably): a crash, a
// power cut or a full disk leaves either the old file or the new one, never a part. Returns an
// empty text on success, else why not.
QString WriteTextFileAtomically(const QString& path, const QStringList& lines);

} // namespace zeb
