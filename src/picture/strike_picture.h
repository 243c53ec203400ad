#pragma once
// The picture of struck dots, drawn the same way for the virtual controller's workpiece and
// for the preview of a job, so the two can be compared pixel for pixel: one pixel per field
// dot, from field row 0 and column 0 to the farthest strike, black where nothing is struck and
// the strike tone of the digit where it is (64, 128, 192, 255 for digits 1..4; the stronger
// where a dot is struck twice). A strike at a negative row or column lies off the field: it is
// drawn on the edge it lies beyond, so it never goes unseen.

#include "picture/tone_tables.h"

#include <QImage>
#include <QtGlobal>

#include <algorithm>

namespace zeb {

// The strike tone of strike digit (profile) 1..4; 0 for any other.
inline quint8 StrikeToneOfDigit(int digit) {
    constexpr quint8 tones[5] = {ToneNone, ToneWeak, ToneMedium, ToneStrong, ToneFull};
    return digit >= 1 && digit <= 4 ? tones[digit] : ToneNone;
}

// The extent of a strike picture: at least 1 x 1, growing with every strike it includes.
struct StrikeFrame {
    int rows = 1;
    int columns = 1;

    void Include(int row, int column) {
        rows = std::max(rows, std::max(row, 0) + 1);
        columns = std::max(columns, std::max(column, 0) + 1);
    }
};

// A black Format_Grayscale8 picture of the frame's size; null when it is too large to hold.
QImage NewStrikePicture(const StrikeFrame& frame);

// Draws strikes into a picture made by NewStrikePicture for a frame that includes them. The
// picture must outlive the canvas and stay unshared while it draws.
class StrikeCanvas {
public:
    explicit StrikeCanvas(QImage& picture)
        : m_bits(picture.bits()), m_stride(picture.bytesPerLine()), m_rows(picture.height()),
          m_columns(picture.width()) {}

    // One strike of `digit` (1..4; others draw nothing) at field (row, column).
    void Draw(int row, int column, int digit) {
        const int r = std::max(row, 0);
        const int c = std::max(column, 0);
        if (r >= m_rows || c >= m_columns)
            return;
        uchar* dot = m_bits + static_cast<qsizetype>(r) * m_stride + c;
        *dot = std::max(*dot, StrikeToneOfDigit(digit));
    }

private:
    uchar* m_bits;
    qsizetype m_stride;
    int m_rows;
    int m_columns;
};

} // namespace zeb
