#pragma once
// The live preview of the tone controls: the dot picture they give, on a reduced copy of the
// loaded picture, quick enough to follow every move of a control. The copy is reduced once per
// picture; each change converts only the copy, with its own matrices and its own copy of the
// tables, so the held picture, its matrices and the strike-pattern cursors stay untouched.

#include "picture/matrices.h"
#include "picture/picture_state.h"
#include "picture/tone_levels.h"
#include "picture/tone_tables.h"

#include <QImage>
#include <QSize>

namespace zeb {

class TonePreview {
public:
    // Takes the loaded picture as `picture` holds it before its conversion (WorkPicture and
    // InvertedOverBlack), reduced to fit within `bound` with its aspect ratio kept; a picture
    // that fits is taken as it is.
    TonePreview(const PictureState& picture, QSize bound);

    // The size of the reduced copy, which is the size of every dot picture given.
    QSize Size() const { return m_picture.size(); }

    // The dot picture of the reduced copy under `levels` in `mode` (Format_Grayscale8, strike
    // tones 0, 64, 128, 192, 255), converted from tables as `tables` holds them now. Sound
    // `levels` are the caller's to ensure (ToneLevelsProblem).
    QImage DotPicture(const ToneLevels& levels, ConversionMode mode, const ToneTables& tables);

private:
    QImage m_picture;           // the reduced copy, Format_RGB32 or Format_Grayscale8
    QImage m_inverted;          // its inverted colour over black, when the picture had transparency
    PictureMatrices m_matrices; // sized once, cleared for every change
};

} // namespace zeb
