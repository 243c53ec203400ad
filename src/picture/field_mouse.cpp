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
    FieldMouseResult result;
    if (p.JobRunning)
        return result;
    ctx.device.SetMotorSpeedScale(ctx.resolutionIndex);
    if (button == FieldButton::Left) {
        p.MouseHeld = true;
        if (p.HeadMove)
            ToolMove(ctx.device, ctx.timers, p.Needle, x, y);
        p.GrabbedHandle = HitTest(p, x, y);
        if (p.GrabbedHandle != 0) {
            const QPoint& h = p.HandlePoints[p.GrabbedHandle - 1];
            p.GrabOffsetX = x - h.x();
            p.GrabOffsetY = y - h.y();
        }
    } else if (button == FieldButton::Right && HitTest(p, x, y) != 0) {
        result.showChangeBoxAt = QPoint(x + 20, y);
    }
    return result;
}

FieldMouseResult DragOnField(FieldMouseContext& ctx, int x, int y) {
    Placement& p = ctx.placement;
    FieldMouseResult result;
    if (p.JobRunning || !p.MouseHeld || !p.MarkerChecked || p.GrabbedHandle == 0)
        return result;
    DrawHandleMarkers(ctx.view.Image1, p); // erases them: the pen inverts
    const QPoint inPicture = HandleInPicture(p, p.GrabbedHandle);
    p.DragOffsetX = x - p.GrabOffsetX - inPicture.x();
    p.DragOffsetY = y - p.GrabOffsetY - inPicture.y();
    p.Dragged = true;
    RecomputeHandles(p);
    DrawHandleMarkers(ctx.view.Image1, p);
    result.repaint = true;
    return result;
}

FieldMouseResult ReleaseOnField(FieldMouseContext& ctx) {
    Placement& p = ctx.placement;
    FieldMouseResult result;
    if (p.JobRunning)
        return result;
    p.MouseHeld = false;
    if (p.Dragged) {
        p.PictureOffsetX = p.DragOffsetX;
        p.PictureOffsetY = p.DragOffsetY;
        p.PictureWidth = ctx.workPicture.width();
        p.PictureHeight = ctx.workPicture.height();
        RedrawWorkField(ctx.view, p, ctx.workPicture, ctx.resolutionIndex);
        p.Dragged = false;
        result.repaint = true;
    }
    return result;
}

FieldMouseResult DoubleClickOnField(FieldMouseContext& ctx) {
    Placement& p = ctx.placement;
    if (p.JobRunning)
        return {};
    ctx.device.SetMotorSpeedScale(ctx.resolutionIndex);
    if (!p.HeadMove && !p.MarkerChecked && p.GrabbedHandle != 0) {
        const QPoint& h = p.HandlePoints[p.GrabbedHandle - 1];
        ToolMove(ctx.device, ctx.timers, p.Needle, h.x(), h.y());
    }
    return {};
}

void ToggleHeadMove(Placement& p) {
    if (p.HeadMove)
        p.HeadMove = false;
    else if (!p.JobRunning)
        p.HeadMove = true;
}

} // namespace zeb
