#pragma once
// The recovery file "ErorFile.txt": its presence at start means a job is unfinished. Thirteen
// lines from the job start, a fourteenth ("Sec") once the second pass has begun.

#include "link/link_state.h"
#include "link/outcome.h"
#include "text/text_catalogue.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace zeb {

inline const QString RecoveryFileName = QStringLiteral("ErorFile.txt");

struct RecoveryRecord {
    QString picturePath;
    int offsetX = 0; // PictureOffsetX
    int offsetY = 0; // PictureOffsetY
    StrikeLevelSet firstPass;
    bool secondPassFollows = false;
    StrikeLevelSet secondPass;
    int resolutionIndex = 0;
    bool secondPassStarted = false; // line 14 is "Sec"
};

QString RecoveryFilePath(const QString& startDirectory);
bool RecoveryFileExists(const QString& startDirectory);

// The job is over, given up, or never began: the recovery file and the progress record go,
// so no unfinished job is offered.
void RemoveJobRecords(const QString& startDirectory);

// Lines 1..13, and "Sec" as line 14 when the second pass has started.
QStringList RecoveryLines(const RecoveryRecord& record);

// Writes the file whole or not at all; else why not.
Outcome WriteRecoveryFile(const QString& startDirectory, const RecoveryRecord& record);

// Reads all lines. A missing file, a missing line among 1..13 or a value that is not a number
// in its range is refused with the message naming the file and the line. Offsets lie in the
// plan's move field (-99999..999999): a larger one cannot put a dot on the field, and no sum
// with it can overflow.
Result<RecoveryRecord> ReadRecoveryFile(const TextCatalogue& texts, const QString& startDirectory);

// The start-up check reads only the picture position (lines 2 and 3).
struct RecoveryOffsets {
    int x = 0;
    int y = 0;
};
Result<RecoveryOffsets> ReadRecoveryOffsets(const TextCatalogue& texts,
                                            const QString& startDirectory);

} // namespace zeb
