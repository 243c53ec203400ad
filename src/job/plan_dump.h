#pragma once
// The dump "123Bm.txt" of the grey matrix that the planner reads: a service file nobody
// reads back. It starts with an empty line, then one line per row 0..H+1 of DotMap, each
// cell of columns 0..W+1 as a decimal integer right-aligned in 4 characters, no separators.

#include "link/outcome.h"
#include "picture/matrices.h"

#include <QString>

namespace zeb {

// Writes the dump to `path` in one buffered pass: the file's size, or the message naming it.
Result<qint64> WriteDotMapDump(const PictureMatrices& matrices, const QString& path);

} // namespace zeb
