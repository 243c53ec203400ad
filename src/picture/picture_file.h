#pragma once
// Picture files: reading any picture format Qt knows into the working picture's form, the
// memory check that refuses a picture the machine cannot hold, and saving the dot picture as a
// 24-bit Windows bitmap.

#include "link/outcome.h"

#include <QImage>
#include <QString>
#include <QtGlobal>

namespace zeb {

// Bytes an Open of a W x H picture holds at its peak: the decoded picture and the three
// matrices. Negative sizes count as 0; a need beyond qint64 gives the largest qint64.
qint64 PictureMemoryNeed(qint64 width, qint64 height);

// Memory this process can still take (the system's available memory, or a tighter control
// group limit); the largest qint64 when it cannot be told.
qint64 SystemAvailableMemory();

// Reads `path` into Format_RGB32 or Format_Grayscale8. A file that is no picture, one cut
// short or damaged (see CheckPictureStructure), or one whose Open would need more than
// `availableBytes` gives the operator's message naming the file; nothing else is touched. Pixels
// with transparency are composited over black (not engraved); photos are turned upright by their
// orientation tag. `invertedOverBlack`, when given, gets what NormalizePictureFormat gives it.
Result<QImage> LoadPictureFile(const QString& path, qint64 availableBytes,
                               QImage* invertedOverBlack = nullptr);

// The same on a file's bytes already in memory; `path` only names the file in the messages.
// Every check of LoadPictureFile runs here and nothing touches the file system, so any bytes
// may come in; a picture whose header asks for more than `availableBytes` is refused before
// the decoder allocates it.
Result<QImage> ReadPictureBytes(const QString& path, QByteArray bytes, qint64 availableBytes,
                                QImage* invertedOverBlack = nullptr);

// Brings any picture into Format_RGB32 or Format_Grayscale8, the two forms the conversion
// reads and writes; transparent parts are composited over black. When `invertedOverBlack` is
// given it gets, before that, the picture's inverted colour laid over black (null for a
// picture without an alpha channel).
void NormalizePictureFormat(QImage& picture, QImage* invertedOverBlack = nullptr);

// The open dialog's filter: every picture format Qt reads here, then all files.
QString PictureFileFilter();

// Writes `picture` as a 24-bit Windows bitmap under `path` exactly as given (no extension is
// added), replacing the file only once it is complete; else the operator's message.
Outcome SaveDotPicture(const QImage& picture, const QString& path);

} // namespace zeb
