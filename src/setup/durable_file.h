#pragma once
// Files that must survive a power cut of the computer whole: the settings, the recovery file,
// the plans and the progress record. A new file is written beside its place, pushed to the
// disk, renamed into place and the directory's entry pushed too, so after a cut the old file
// or the new one is there, never an empty or partial one.

#include <QByteArray>
#include <QString>

namespace zeb {

// Replaces `path` by `bytes` as above. Empty on success, else why not; the old file is then
// untouched and no temporary file is left behind.
QString WriteFileDurably(const QString& path, const QByteArray& bytes);

// Renames `from` over `to` and pushes the directory's entry to the disk. Empty on success,
// else why not.
QString RenameDurably(const QString& from, const QString& to);

// Pushes what was written through `fileDescriptor` to the disk. Empty on success, else why not.
QString SyncToDisk(int fileDescriptor);

} // namespace zeb
