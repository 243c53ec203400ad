#include "setup/settings_text_file.h"

#include "setup/durable_file.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

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
    return WriteFileDurably(path, bytes);
}

} // namespace zeb
