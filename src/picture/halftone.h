#pragma once
// The halftone conversion: the picture's greys go into the two matrices through a tone curve,
// an error diffusion with a serpentine scan turns the tones into dots of the four strike
// strengths, and the dots are read back into DotLevels and the working picture.
//
// Layout, for a W x H picture: DotMap holds the grey of pixel (x, y) at [y + 1][x + 1], and
// DotLevels its tone at [y + 1][x + 2]. After the conversion the dot of position (x, y) is at
// DotLevels[y][x + 1]: one right and one down of the pixel it came from, so dot row 0 and dot
// column 0 are always empty and the last picture row and column give no dots.

#include "link/operator.h"
#include "picture/matrices.h"
#include "picture/picture_state.h"
#include "picture/tone_levels.h"
#include "picture/tone_tables.h"

#include <QImage>

namespace zeb {

// Sizes the three matrices for a W x H picture, keeping what already existed where the sizes
// overlap and zeroing the rest. The gauge runs 0..H.
void AllocatePictureMatrices(PictureMatrices& m, int width, int height, Operator* op);

// DotMap and DotLevels from `picture` (Format_RGB32 or Format_Grayscale8, W x H as the
// matrices): the red component through `tone` is the grey, the curve of `mode` gives the tone.
// One gauge step per row.
void FillPictureMatrices(PictureMatrices& m, const QImage& picture, const ToneTables& tables,
                         ConversionMode mode, Operator* op,
                         const ToneMap& tone = IdentityToneMap());

// The error diffusion over rows 1..H of DotLevels; one gauge step per row. The combined mode
// draws tones from StrikePattern and leaves PatternCursor advanced.
void DiffusionPass(PictureMatrices& m, ToneTables& tables, ConversionMode mode, Operator* op);

// The margins the pass leaves behind: columns 0 and 1 of rows 0..H - 1, row H in combined
// mode, and columns W + 2 and W + 3 of every row.
void ClearPassMargins(PictureMatrices& m, ConversionMode mode);

// Truncates and snaps the dot image into whole tones and writes it into `picture` as greys.
void ReadBackDots(PictureMatrices& m, QImage& picture, ConversionMode mode, Operator* op);

// The whole conversion with its status lines: pass, margins, read-back.
void ConvertPicture(PictureMatrices& m, QImage& picture, ToneTables& tables, ConversionMode mode,
                    Operator& op, const PictureStatusTexts& texts);

} // namespace zeb
