#pragma once
// The dump "123Bm.txt" of the grey matrix that the planner reads: a service file nobody
// reads back. It starts with an empty line, then one line per row 0..H+1 of DotMap, each
// cell of columns 0..W+1 as a decimal integer right-aligned in 4 characters, no separators.

#include "picture/matrices.h"

#include <QString>

namespace zeb {

// Writes the dump to `path` in one buffered pass; returns an error text, empty on success.
// `bytes` receives the file's size.
QString WriteDotMapDump(const PictureMatrices& matrices, const QString& path, qint64* bytes);

} // namespace zeb
