#include "picture/field_mouse.h"

#include "picture/tool_move.h"

namespace zeb {

namespace {

// Where handle k (1..9) sits within the picture.
QPoint HandleInPicture(const Placement& p, int k) {
    const int i = k - 1;
    const int xs[] = {0, p.PictureWidth / 2, p.PictureWidth};
    const int ys[] = {0, p.PictureHeight / 2, p.PictureHeight};
    return QPoint(xs[i % 3], ys[i / 3]);
}

} // namespace

FieldMouseResult PressOnField(FieldMouseContext& ctx, int x, int y, FieldButton button) {
    Placement& p = ctx.placement;
    FieldDrag& drag = ctx.drag;
    FieldMouseResult result;
    if (ctx.jobRunning)
        return result;
    ctx.device.SetMotorSpeedScale(ctx.resolutionIndex);
    if (button == FieldButton::Left) {
        drag.MouseHeld = true;
        if (ctx.modes.HeadMove)
            ToolMove(ctx.device, ctx.timers, ctx.modes.Needle, x, y);
        drag.GrabbedHandle = HitTest(p, x, y);
        if (drag.GrabbedHandle != 0) {
            const QPoint& h = p.HandlePoints[drag.GrabbedHandle - 1];
            drag.GrabOffsetX = x - h.x();
            drag.GrabOffsetY = y - h.y();
        }
    } else if (button == FieldButton::Right && HitTest(p, x, y) != 0) {
        result.showChangeBoxAt = QPoint(x + 20, y);
    }
    return result;
}

FieldMouseResult DragOnField(FieldMouseContext& ctx, int x, int y) {
    Placement& p = ctx.placement;
    FieldDrag& drag = ctx.drag;
    FieldMouseResult result;
    if (ctx.jobRunning || !drag.MouseHeld || !ctx.modes.DragMovesPicture || drag.GrabbedHandle == 0)
        return result;
    DrawHandleMarkers(ctx.view.Image1, p); // erases them: the pen inverts
    const QPoint inPicture = HandleInPicture(p, drag.GrabbedHandle);
    drag.OffsetX = x - drag.GrabOffsetX - inPicture.x();
    drag.OffsetY = y - drag.GrabOffsetY - inPicture.y();
    drag.Dragged = true;
    RecomputeHandles(p, QPoint(drag.OffsetX, drag.OffsetY));
    DrawHandleMarkers(ctx.view.Image1, p);
    result.repaint = true;
    return result;
}

FieldMouseResult ReleaseOnField(FieldMouseContext& ctx) {
    Placement& p = ctx.placement;
    FieldDrag& drag = ctx.drag;
    FieldMouseResult result;
    if (ctx.jobRunning)
        return result;
    drag.MouseHeld = false;
    if (drag.Dragged) {
        p.PictureOffsetX = drag.OffsetX;
        p.PictureOffsetY = drag.OffsetY;
        p.PictureWidth = ctx.workPicture.width();
        p.PictureHeight = ctx.workPicture.height();
        DrawWorkField(ctx.view, p, ctx.workPicture);
        drag.Dragged = false;
        result.repaint = true;
    }
    return result;
}

FieldMouseResult DoubleClickOnField(FieldMouseContext& ctx) {
    const Placement& p = ctx.placement;
    const FieldDrag& drag = ctx.drag;
    if (ctx.jobRunning)
        return {};
    ctx.device.SetMotorSpeedScale(ctx.resolutionIndex);
    if (!ctx.modes.HeadMove && !ctx.modes.DragMovesPicture && drag.GrabbedHandle != 0) {
        const QPoint& h = p.HandlePoints[drag.GrabbedHandle - 1];
        ToolMove(ctx.device, ctx.timers, ctx.modes.Needle, h.x(), h.y());
    }
    return {};
}

void ToggleHeadMove(FieldMouseModes& modes, bool jobRunning) {
    if (modes.HeadMove)
        modes.HeadMove = false;
    else if (!jobRunning)
        modes.HeadMove = true;
}

} // namespace zeb
