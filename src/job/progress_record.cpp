#include "job/progress_record.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <filesystem>
#include <system_error>

namespace zeb {

namespace {

constexpr int DigestHexLength = 40;
constexpr int LineFieldWidth = 10;

bool IsHex(const QByteArray& text) {
    for (char c : text) {
        const bool digit = c >= '0' && c <= '9';
        const bool letter = c >= 'a' && c <= 'f';
        if (!digit && !letter)
            return false;
    }
    return true;
}

QByteArray RecordBytes(const ProgressRecord& record) {
    return QByteArray::number(record.pass) + "\r\n" +
           QByteArray::number(record.line).leftJustified(LineFieldWidth, ' ') + "\r\n" +
           record.planDigest + "\r\n";
}

} // namespace

QString ProgressFilePath(const QString& startDirectory) {
    return QDir(startDirectory).filePath(ProgressFileName);
}

QByteArray PlanDigest(const QByteArray& planBytes) {
    return QCryptographicHash::hash(planBytes, QCryptographicHash::Sha1).toHex();
}

QByteArray FileDigest(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Не удаётся прочитать файл %1: %2")
                     .arg(QDir::toNativeSeparators(path), file.errorString());
        return {};
    }
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!hash.addData(&file)) {
        *error = QStringLiteral("Не удаётся прочитать файл %1: %2")
                     .arg(QDir::toNativeSeparators(path), file.errorString());
        return {};
    }
    return hash.result().toHex();
}

QString WriteProgressRecord(const QString& startDirectory, const ProgressRecord& record) {
    const QString path = ProgressFilePath(startDirectory);
    const QString temporary = path + QStringLiteral(".new");
    const QByteArray text = RecordBytes(record);
    {
        QFile file(temporary);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            return file.errorString();
        if (file.write(text) != text.size()) {
            const QString error = file.errorString();
            file.close();
            file.remove();
            return error;
        }
    }
    // No flush to the disk: the rename keeps the record whole when the program is killed.
    std::error_code code;
    std::filesystem::rename(QFile::encodeName(temporary).toStdString(),
                            QFile::encodeName(path).toStdString(), code);
    if (code) {
        QFile::remove(temporary);
        return QString::fromStdString(code.message());
    }
    return {};
}

std::optional<ProgressRecord> ReadProgressRecord(const QString& startDirectory) {
    QFile file(ProgressFilePath(startDirectory));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.read(256);
    const QList<QByteArray> lines = text.split('\n');
    // Three lines, each ended: a record cut short is no record.
    if (lines.size() != 4 || !lines[3].isEmpty())
        return std::nullopt;
    ProgressRecord record;
    bool passOk = false;
    bool lineOk = false;
    record.pass = lines[0].trimmed().toInt(&passOk);
    record.line = lines[1].trimmed().toInt(&lineOk);
    record.planDigest = lines[2].trimmed();
    if (!passOk || !lineOk || (record.pass != 1 && record.pass != 2) || record.line < 0 ||
        record.planDigest.size() != DigestHexLength || !IsHex(record.planDigest))
        return std::nullopt;
    return record;
}

QString ProgressFile::Open(const QString& startDirectory) {
    m_file.close();
    m_file.setFileName(ProgressFilePath(startDirectory));
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return m_file.errorString();
    return {};
}

QString ProgressFile::Update(const ProgressRecord& record) {
    const QByteArray text = RecordBytes(record);
    if (!m_file.isOpen() || !m_file.seek(0) || m_file.write(text) != text.size())
        return m_file.isOpen() ? m_file.errorString() : QStringLiteral("not open");
    return {};
}

bool RemoveProgressRecord(const QString& startDirectory) {
    const QString path = ProgressFilePath(startDirectory);
    return !QFile::exists(path) || QFile::remove(path);
}

} // namespace zeb
