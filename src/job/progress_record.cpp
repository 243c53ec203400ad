#include "job/progress_record.h"

#include "setup/durable_file.h"
#include "text/text_catalogue.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace zeb {

namespace {

constexpr int DigestHexLength = 40;
constexpr int LineFieldWidth = 10;
constexpr int RecordLines = 5;

bool IsDigest(const QByteArray& text) {
    if (text.size() != DigestHexLength)
        return false;
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
           (record.begun ? "1" : "0") + "\r\n" + record.planDigest + "\r\n" + record.jobDigest +
           "\r\n";
}

QString Native(const QString& startDirectory) {
    return QDir::toNativeSeparators(ProgressFilePath(startDirectory));
}

Outcome CannotWrite(const QString& startDirectory, const QString& why) {
    return Outcome::Failed(
        TextCatalogue::BuiltIn(TextKey::JobFileNotWritten).arg(Native(startDirectory), why));
}

} // namespace

QString ProgressFilePath(const QString& startDirectory) {
    return QDir(startDirectory).filePath(ProgressFileName);
}

QByteArray PlanDigest(const QByteArray& planBytes) {
    return QCryptographicHash::hash(planBytes, QCryptographicHash::Sha1).toHex();
}

Result<QByteArray> FileDigest(const TextCatalogue& texts, const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return Outcome::Failed(
            texts.Text(TextKey::JobFileNotRead)
                .arg(QDir::toNativeSeparators(path), QFileInfo::exists(path)
                                                         ? file.errorString()
                                                         : texts.Text(TextKey::JobFileMissing)));
    return hash.result().toHex();
}

QByteArray JobDigest(const RecoveryRecord& record) {
    const QStringList lines = RecoveryLines(record);
    QStringEncoder encode("Windows-1251");
    QByteArray bound;
    for (int line : {1, 2, 3, 13})
        bound += encode(lines.value(line - 1)) + "\r\n";
    return QCryptographicHash::hash(bound, QCryptographicHash::Sha1).toHex();
}

Outcome WriteProgressRecord(const QString& startDirectory, const ProgressRecord& record) {
    const QString error = WriteFileDurably(ProgressFilePath(startDirectory), RecordBytes(record));
    return error.isEmpty() ? Outcome::Done() : CannotWrite(startDirectory, error);
}

Result<std::optional<ProgressRecord>> ReadProgressRecord(const TextCatalogue& texts,
                                                         const QString& startDirectory) {
    const QString path = ProgressFilePath(startDirectory);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return std::optional<ProgressRecord>();
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return Outcome::Failed(
            texts.Text(TextKey::ProgressFileUnreadable)
                .arg(Native(startDirectory),
                     info.isFile() ? file.errorString() : texts.Text(TextKey::ProgressNotAFile)));
    const QByteArray text = file.read(512);
    const QList<QByteArray> lines = text.split('\n');
    ProgressRecord record;
    bool passOk = false;
    bool lineOk = false;
    // Every line ended: a record cut short is no record.
    const bool whole = lines.size() == RecordLines + 1 && lines.last().isEmpty();
    if (whole) {
        record.pass = lines[0].trimmed().toInt(&passOk);
        record.line = lines[1].trimmed().toInt(&lineOk);
        record.begun = lines[2].trimmed() == "1";
        record.planDigest = lines[3].trimmed();
        record.jobDigest = lines[4].trimmed();
    }
    if (!whole || !passOk || !lineOk || (record.pass != 1 && record.pass != 2) || record.line < 0 ||
        (lines[2].trimmed() != "0" && !record.begun) || !IsDigest(record.planDigest) ||
        !IsDigest(record.jobDigest))
        return Outcome::Failed(
            texts.Text(TextKey::ProgressFileDamaged).arg(Native(startDirectory)));
    return std::optional<ProgressRecord>(record);
}

Outcome ProgressFile::Open(const QString& startDirectory) {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = ::open(QFile::encodeName(ProgressFilePath(startDirectory)).constData(),
                  O_WRONLY | O_CLOEXEC);
    if (m_fd < 0)
        return CannotWrite(startDirectory, QString::fromLocal8Bit(std::strerror(errno)));
    return Outcome::Done();
}

Outcome ProgressFile::Update(const ProgressRecord& record) {
    const QByteArray text = RecordBytes(record);
    if (m_fd < 0)
        return Outcome::Failed(TextCatalogue::BuiltIn(TextKey::ProgressFileNotOpen));
    const ssize_t written = ::pwrite(m_fd, text.constData(), static_cast<size_t>(text.size()), 0);
    if (written != text.size())
        return Outcome::Failed(QString::fromLocal8Bit(std::strerror(written < 0 ? errno : ENOSPC)));
    // On the disk before the line it names is sent: a power cut of the computer must not
    // leave a record older than what the machine did.
    const QString error = SyncToDisk(m_fd);
    return error.isEmpty() ? Outcome::Done() : Outcome::Failed(error);
}

ProgressFile::~ProgressFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RemoveProgressRecord(const QString& startDirectory) {
    const QString path = ProgressFilePath(startDirectory);
    return !QFileInfo::exists(path) || QFile::remove(path);
}

} // namespace zeb
