#pragma once
// Where the picture goes on the work field: the field size at the chosen resolution, the nine
// alignments, the position of an unfinished job, the handles with their inverting markers, and
// the redraw of the field view that the window shows as Image1. One field pixel is one dot.

#include <QImage>
#include <QPoint>
#include <QSize>

#include <array>

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

// The resolution index (0..8, dot pitch 0.25 mm x (16 + i) / 16) is not held here: it is a
// setting, and the operations below take the one the settings hold.
struct Placement {
    // The checks of the hidden "Расположение" menu.
    HorizontalAlignment Horizontal = HorizontalAlignment::Center;
    VerticalAlignment Vertical = VerticalAlignment::Center;

    // Committed top-left field position of the picture; may be negative.
    int PictureOffsetX = 0;
    int PictureOffsetY = 0;
    // The position while a handle is dragged; equal to the committed one otherwise.
    int DragOffsetX = 0;
    int DragOffsetY = 0;
    // Size of the working picture at the last redraw.
    int PictureWidth = 0;
    int PictureHeight = 0;
    // Handles 1..9 at index 0..8: corners, edge middles and centre of the placed picture.
    std::array<QPoint, 9> HandlePoints{};
    int GrabbedHandle = 0; // 1..9 under the last left press, or 0
    int GrabOffsetX = 0;   // press position minus the grabbed handle's point
    int GrabOffsetY = 0;
    bool MouseHeld = false;
    bool Dragged = false;

    // An unfinished job was found at start-up: its picture position wins over the alignment.
    bool RecoveryPending = false;
    int RecoveryOffsetX = 0;
    int RecoveryOffsetY = 0;

    // A job is running: the field ignores the mouse.
    bool JobRunning = false;
    // "Перемещение иглы" is checked: a left press also moves the needle there.
    bool HeadMove = false;
    // ChangeBox: `Marker` checked (drag moves the picture's handles) or `Igla` (the default).
    bool MarkerChecked = false;
    NeedleCarry Needle = NeedleCarry::UpMove;
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

// Step 3 of the redraw: offsets from the alignment (or the unfinished job), drag position
// reset, picture size noted.
void PlacePicture(Placement& p, QSize field, QSize picture);
void RecomputeHandles(Placement& p);
// The first handle whose point lies less than 10 dots away on both axes; 0 for none.
int HitTest(const Placement& p, int x, int y);
// Draws the nine 20 x 20 markers in blue with an inverting pen: drawing them again restores
// the view exactly, which is how a drag erases them.
void DrawHandleMarkers(QImage& image1, const Placement& p);

// The redraw: Image1 black, the picture placed (unless a drag is being committed), handles,
// the working picture unscaled at its place, the markers.
void RedrawWorkField(FieldView& view, Placement& p, const QImage& workPicture, int resolutionIndex);

} // namespace zeb
