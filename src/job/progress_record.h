#pragma once
// The progress record "ErorProgress.txt" beside the recovery file: which line of which pass's
// plan was sent to the controller last. The controller's saved position alone can be
// ambiguous (a strike line planned earlier may pass over the same dot as the line that was
// running); the record tells recovery where in the plan to look.
//
// Three lines, Windows-1251 with CR LF: the pass ("1" or "2"), the plan line number (0: no
// line of that plan sent yet; padded with blanks to ten characters, so every record has the
// same size) and the SHA-1 of the plan's bytes in hex, so a record is never applied to
// another plan. It is rewritten before every plan line that sends commands, so a killed
// program leaves either the old record or the new one.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

namespace zeb {

inline const QString ProgressFileName = QStringLiteral("ErorProgress.txt");

struct ProgressRecord {
    int pass = 1;
    int line = 0;
    QByteArray planDigest; // hex SHA-1 of the plan file's bytes

    bool operator==(const ProgressRecord&) const = default;
};

QString ProgressFilePath(const QString& startDirectory);

// Hex SHA-1 of a plan's bytes.
QByteArray PlanDigest(const QByteArray& planBytes);
// The same of a file; empty, with `error` set, when the file cannot be read.
QByteArray FileDigest(const QString& path, QString* error);

// Replaces the record (temporary file, then a rename over the old one). Empty on success,
// else why not; the old record is then still in place.
QString WriteProgressRecord(const QString& startDirectory, const ProgressRecord& record);

// The record file held open for the updates of a running job, one before every plan line.
// Every record has the same size, and an update rewrites it in place with a single write, so
// the file always holds one whole record, the old or the new, at the cost of one write.
class ProgressFile {
public:
    // Opens the record WriteProgressRecord put in place; empty on success, else why not.
    QString Open(const QString& startDirectory);
    QString Update(const ProgressRecord& record);

private:
    QFile m_file;
};

// The record, or nothing when there is none or it cannot be read whole.
std::optional<ProgressRecord> ReadProgressRecord(const QString& startDirectory);

// Removes the record; true when none is left.
bool RemoveProgressRecord(const QString& startDirectory);

} // namespace zeb
