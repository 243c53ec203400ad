#pragma once
// How far a picture reaches outside the work field, side by side, in dots and in centimetres
// at the chosen resolution: what the resolution dialog shows, what the job start asks about
// and what zeb-cli engrave refuses. A picture is a rectangle of dots (one picture pixel, one
// field dot) at its top-left offset; the field spans dots 0 .. width - 1 and 0 .. height - 1.

#include "picture/placement.h"
#include "text/text_catalogue.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

namespace zeb {

enum class FieldSide { Left, Top, Right, Bottom };

struct FieldOverhang {
    // By FieldSide: dots of the picture beyond that edge, 0 when it stays inside.
    std::array<int, 4> dots{};
    // The same in tenths of a centimetre, rounded up: a single dot over never reads as 0.
    std::array<int, 4> tenthsOfCm{};

    bool Fits() const { return dots == std::array<int, 4>{}; }
    int Dots(FieldSide side) const { return dots[static_cast<int>(side)]; }
    // Beyond the left or the top edge: the head goes to negative positions, which the
    // controller never reports, so the job cannot be resumed.
    bool BelowZero() const { return Dots(FieldSide::Left) > 0 || Dots(FieldSide::Top) > 0; }
};

// The overhang of a `picture` (in dots) whose top-left dot lies at `offset` on a `field` (in
// dots), with centimetres at resolution index `resolutionIndex` (0..8; others count as 0).
FieldOverhang Overhang(QSize picture, QPoint offset, QSize field, int resolutionIndex);

// The overhang where the alignment of `alignment` (or `pinned`, an unfinished job's place)
// puts the picture: what the resolution dialog asks before the picture is placed.
FieldOverhang OverhangAligned(const Placement& alignment, QSize picture, QSize field,
                              int resolutionIndex, std::optional<QPoint> pinned);

// Tenths of a centimetre in `dots` at resolution index i: the pitch is 0.25 mm x (16 + i) / 16,
// the list's 40.0 .. 26.7 dots per cm. Rounded to the nearest tenth, or up.
int TenthsOfCm(qint64 dots, int resolutionIndex, bool roundUp = false);
// "25.8": tenths as the resolution list writes its figures.
QString CmText(int tenths);

// "Изображение: 4000 x 3000 точек = 100.0 x 75.0 см".
QString PictureSizeText(const TextCatalogue& texts, QSize picture, int resolutionIndex);
// Whether the picture fits the field, and by how much it does not, side by side.
QString FieldFitText(const TextCatalogue& texts, const FieldOverhang& overhang, QSize field,
                     int resolutionIndex);
// The sides that overhang: "слева на 25.8 см, справа на 25.8 см".
QString OverhangSidesText(const TextCatalogue& texts, const FieldOverhang& overhang);
// The job start's words about a picture reaching outside: the sides, and when it reaches
// left or above the field that the job cannot be resumed. Empty when it fits.
QString OutsideFieldText(const TextCatalogue& texts, const FieldOverhang& overhang);

} // namespace zeb
