#include "fuzz/fuzz_input.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace zeb::fuzz {

QString StartDirectory() {
    static const QTemporaryDir dir;
    if (!dir.isValid()) {
        // Without a directory no input reaches the reader: the run would prove nothing.
        qFatal("fuzz: no temporary directory: %s", qPrintable(dir.errorString()));
    }
    return dir.path();
}

QString WriteInput(const QString& name, const std::uint8_t* data, std::size_t size) {
    const QString path = QDir(StartDirectory()).filePath(name);
    QFile file(path);
    const auto length = static_cast<qint64>(size);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), length) != length)
        qFatal("fuzz: cannot write %s: %s", qPrintable(path), qPrintable(file.errorString()));
    return path;
}

} // namespace zeb::fuzz
