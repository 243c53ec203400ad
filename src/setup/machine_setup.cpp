#include "setup/machine_setup.h"

#include "picture/tool_move.h"

#include <QPainter>

namespace zeb {

void PositionTool(Device& device, const Placement& place, int resolutionIndex, NeedleCarry needle,
                  int point) {
    if (point < 1 || point > PositionPointCount)
        return;
    const bool scaleAfterNeedle = point == 1;
    if (!scaleAfterNeedle)
        device.SetMotorSpeedScale(resolutionIndex);
    if (needle == NeedleCarry::AllDown)
        device.Put(0);
    else
        device.Up();
    if (scaleAfterNeedle)
        device.SetMotorSpeedScale(resolutionIndex);
    const QPoint target = place.HandlePoints[static_cast<size_t>(point - 1)];
    MoveAxes(device, target.x(), target.y());
    if (needle == NeedleCarry::UpMove)
        device.Put(0);
}

int SizePanelWidth(int spinValue) {
    return spinValue < 1 ? 2 : spinValue;
}

void ResizeFieldView(FieldView& view, int width, int height) {
    const QImage shown = view.Image1;
    SetImage1Size(view, width, height);
    if (shown.isNull() || view.Image1.isNull())
        return;
    QPainter painter(&view.Image1);
    painter.drawImage(0, 0, shown);
}

} // namespace zeb
