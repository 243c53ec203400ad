#pragma once
// The mouse on the work field (Image1): a press grabs a handle or moves the needle, a drag
// moves the picture's handles, the release commits the new place, a right press on a handle
// opens the tool panel, a double click carries the needle to the grabbed handle. The window
// forwards its events here with field coordinates and does what the result says.

#include "link/device.h"
#include "link/window_timers.h"
#include "picture/placement.h"

#include <QImage>
#include <QPoint>

#include <optional>

namespace zeb {

enum class FieldButton { Left, Right, Middle };

// A handle held and dragged over the field: the field's mouse handling owns it.
struct FieldDrag {
    int OffsetX = 0; // where the picture's top-left corner goes while the handle is dragged
    int OffsetY = 0;
    int GrabbedHandle = 0; // 1..9 under the last left press, or 0
    int GrabOffsetX = 0;   // press position minus the grabbed handle's point
    int GrabOffsetY = 0;
    bool MouseHeld = false;
    bool Dragged = false;
};

// What the operator chose the mouse to do on the field.
struct FieldMouseModes {
    // "Перемещение иглы" is checked: a left press also moves the needle there.
    bool HeadMove = false;
    // The tool panel's choice: a drag moves the picture's handles ("маркера"), or a double
    // click on a handle carries the needle there ("иглы", the default).
    bool DragMovesPicture = false;
    // How the needle is carried on those moves.
    NeedleCarry Needle = NeedleCarry::UpMove;
};

struct FieldMouseContext {
    Placement& placement;
    FieldDrag& drag;
    const FieldMouseModes& modes;
    const bool& jobRunning;        // a job carries a plan: the field takes no orders
    const qint32& resolutionIndex; // the setting
    FieldView& view;
    const QImage& workPicture;
    Device& device;
    WindowTimers& timers;
};

// What the window does after an event.
struct FieldMouseResult {
    bool repaint = false; // Image1 changed
    // Show ChangeBox with its top-left corner here, in Image1 coordinates; the window adds
    // Image1's position within the scroll box.
    std::optional<QPoint> showChangeBoxAt;
};

FieldMouseResult PressOnField(FieldMouseContext& ctx, int x, int y, FieldButton button);
FieldMouseResult DragOnField(FieldMouseContext& ctx, int x, int y);
FieldMouseResult ReleaseOnField(FieldMouseContext& ctx);
FieldMouseResult DoubleClickOnField(FieldMouseContext& ctx);

// "Перемещение иглы": unchecking is always possible, checking not while a job runs.
void ToggleHeadMove(FieldMouseModes& modes, bool jobRunning);

} // namespace zeb
