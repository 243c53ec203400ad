#pragma once
// Where the picture goes on the work field: the field size at the chosen resolution, the nine
// alignments, a position that wins over them (an unfinished job's), the handles with their
// inverting markers, and the redraw of the field view that the window shows as Image1. One
// field pixel is one dot.

#include <QImage>
#include <QPoint>
#include <QSize>

#include <array>
#include <optional>

namespace zeb {

enum class HorizontalAlignment { Left, Center, Right };
enum class VerticalAlignment { Top, Center, Bottom };

// How the needle is carried during a tool move (ChangeBox's "Игла" group).
enum class NeedleCarry {
    AllUp,  // "Поднята": raised before the move, stays raised
    UpMove, // "Поднята при перемещении": raised for the move, lowered after it
    AllDown, // "Опущена": lowered onto the surface for the move
};

inline constexpr int ResolutionCount = 9; // indices 0..8

// The picture's place on the field. The resolution index (0..8, dot pitch 0.25 mm x (16 + i)
// / 16) is not held here: it is a setting, and the operations below take the one the settings
// hold. The place of a handle being dragged is the field mouse's (FieldDrag).
struct Placement {
    // The alignment the operator chose (the "Расположение" menu, the portrait properties).
    HorizontalAlignment Horizontal = HorizontalAlignment::Center;
    VerticalAlignment Vertical = VerticalAlignment::Center;

    // Top-left field position of the picture; may be negative.
    int PictureOffsetX = 0;
    int PictureOffsetY = 0;
    // Size of the working picture at the last redraw.
    int PictureWidth = 0;
    int PictureHeight = 0;
    // Handles 1..9 at index 0..8: corners, edge middles and centre of the placed picture (of
    // where a drag has it while a handle is dragged).
    std::array<QPoint, 9> HandlePoints{};
};

// The window's view of the work field.
struct FieldView {
    // The work field, black, field width x height dots as the settings give them.
    QImage FieldBitmap;
    // What the scroll box shows: at start the field plus 10 each way; the hidden work-field
    // panel may resize it. Format_RGB32.
    QImage Image1;
};

// Steps of the window's creation: FieldBitmap filled black at its size, Image1 sized to it
// plus 10 and the field drawn into it.
void CreateWorkField(FieldView& view, int fieldWidth, int fieldHeight);
// A new size for Image1 (the work-field panel); a size below 0 counts as 0.
void SetImage1Size(FieldView& view, int width, int height);

// Field size in dots for an Image1 of the given size: trunc(size x 16 / (16 + i)). An index
// outside 0..8 counts as 0.
QSize FieldSize(QSize image1, int resolutionIndex);

// Step 3 of the redraw: offsets from the alignment, or `pinned` when given (an unfinished
// job's place); picture size noted.
void PlacePicture(Placement& p, QSize field, QSize picture, std::optional<QPoint> pinned);
// The handles of the picture at its place, or with its top-left corner at `topLeft`.
void RecomputeHandles(Placement& p);
void RecomputeHandles(Placement& p, QPoint topLeft);
// The first handle whose point lies less than 10 dots away on both axes; 0 for none.
int HitTest(const Placement& p, int x, int y);
// Draws the nine 20 x 20 markers in blue with an inverting pen: drawing them again restores
// the view exactly, which is how a drag erases them.
void DrawHandleMarkers(QImage& image1, const Placement& p);

// The redraw of the Open command: the picture placed (PlacePicture), then drawn.
void RedrawWorkField(FieldView& view, Placement& p, const QImage& workPicture, int resolutionIndex,
                     std::optional<QPoint> pinned);
// The field drawn with the picture where it is placed: Image1 black, handles, the working
// picture unscaled at its place, the markers.
void DrawWorkField(FieldView& view, Placement& p, const QImage& workPicture);

} // namespace zeb
