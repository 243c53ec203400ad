#include "setup/settings_text_file.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace zeb {

namespace {

const char* const CodePage = "Windows-1251";

} // namespace

TextFileLines ReadTextLines(const QString& path, int maxLines) {
    TextFileLines result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    QStringDecoder decode(CodePage);
    while ((maxLines < 0 || result.lines.size() < maxLines) && !file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        result.lines << decode(line);
    }
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    result.ok = true;
    return result;
}

QString WriteTextFileAtomically(const QString& path, const QStringList& lines) {
    QStringEncoder encode(CodePage);
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += encode(line);
        bytes += "\r\n";
    }
    QSaveFile file(path);
    // Never fall back to writing the file in place: that is what atomic saving prevents.
    file.setDirectWriteFallback(false);
    // Unbuffered, so a short write shows here: the save file would otherwise commit whatever
    // part of a buffered write reached the disk.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        const QString error = QStringLiteral("записано только %1 из %2 байт (%3)")
                                  .arg(std::max<qint64>(written, 0))
                                  .arg(bytes.size())
                                  .arg(file.errorString());
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace zeb
