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

struct FieldMouseContext {
    Placement& placement;
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
void ToggleHeadMove(Placement& p);

} // namespace zeb
