#pragma once
// Whether a picture file's bytes hold all of the picture its header promises. The decoders of
// these formats fill what a file cut short lacks and say nothing, so their block structure is
// walked here, on bytes in memory, before anything is decoded.

#include <QByteArray>

namespace zeb {

enum class PictureStructure {
    Whole,   // every block the picture needs is in the bytes
    Cut,     // the bytes end before the picture does
    Damaged, // a header or a block that no picture of the format has
    Gaps,    // run-length data that skips pixels: the decoder leaves them unset
};

// Walks `bytes` as a file of `format`, the name Qt's reader gives it:
// - "bmp": the header, then for uncompressed and bit-field pictures every row its size asks
//   for, for run-length pictures a stream that gives every pixel within the bytes;
// - "png": the chunks up to a whole IEND;
// - "jpeg": the segments and the scans up to the end-of-image marker;
// - "gif": the blocks, every image with its data sub-blocks, up to the trailer;
// - "xbm": the closing brace of the data.
// Any other format is Whole: its decoder refuses a cut file itself. Sizes taken from a header
// are bounded or multiplied with overflow checks, so any bytes at all are safe to pass.
PictureStructure CheckPictureStructure(const QByteArray& format, const QByteArray& bytes);

} // namespace zeb
