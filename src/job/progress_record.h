#pragma once
// The progress record "ErorProgress.txt" beside the recovery file: which line of which pass's
// plan was sent to the controller last, and which job and plan it belongs to. The controller's
// saved position is where the head stopped; the record only narrows down which part of the
// plan can have put it there (a strike line planned earlier may pass over the same dot as the
// line that was running), and it binds the plan and the recovery file to each other, so a
// replaced plan or a moved picture is never resumed.
//
// Five lines, Windows-1251 with CR LF:
//   1  the pass, "1" or "2"
//   2  the strike line sent last (0: none yet), padded with blanks to ten characters, so
//      every record has the same size
//   3  "1" once the pass's print job was opened on the machine (BeginPrint answered), else "0":
//      before that the machine's saved position belongs to an earlier job
//   4  the SHA-1 of the plan's bytes, in hex
//   5  the SHA-1 of the recovery file's lines that fix where dots land (JobDigest), in hex
// It is pushed to the disk before the line it names is sent.

#include "job/recovery_file.h"
#include "text/text_catalogue.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace zeb {

inline const QString ProgressFileName = QStringLiteral("ErorProgress.txt");

struct ProgressRecord {
    int pass = 1;
    int line = 0;
    bool begun = false;
    QByteArray planDigest; // hex SHA-1 of the plan file's bytes
    QByteArray jobDigest;  // hex JobDigest of the recovery file

    bool operator==(const ProgressRecord&) const = default;
};

QString ProgressFilePath(const QString& startDirectory);

// Hex SHA-1 of a plan's bytes.
QByteArray PlanDigest(const QByteArray& planBytes);
// The same of a file, or why it cannot be read.
Result<QByteArray> FileDigest(const TextCatalogue& texts, const QString& path);
// Hex SHA-1 of what fixes where the job's dots land: the picture path, the offsets and the
// resolution (lines 1, 2, 3 and 13 of the recovery file). Forces and the pass marker may
// change while a job runs and are not part of it.
QByteArray JobDigest(const RecoveryRecord& record);

// Replaces the record whole (WriteFileDurably); else why not, naming the file, and the old
// record is still in place.
Outcome WriteProgressRecord(const QString& startDirectory, const ProgressRecord& record);

// The record file held open for the updates of a running job, one before every strike line.
// Every record has the same size, and an update rewrites it in place with a single write and
// pushes it to the disk, so the file always holds one whole record, the old or the new.
class ProgressFile {
public:
    // Opens the record WriteProgressRecord put in place.
    Outcome Open(const QString& startDirectory);
    // Replaces the record; on failure why, without the file's name.
    Outcome Update(const ProgressRecord& record);
    ~ProgressFile();

private:
    int m_fd = -1;
};

// The record; nothing when there is none. Refused, naming the file, when it cannot be read or
// is not a whole record.
Result<std::optional<ProgressRecord>> ReadProgressRecord(const TextCatalogue& texts,
                                                         const QString& startDirectory);

// Removes the record; true when none is left.
bool RemoveProgressRecord(const QString& startDirectory);

} // namespace zeb
