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

bool ResizeFieldView(FieldView& view, int width, int height) {
    const QImage shown = view.Image1;
    SetImage1Size(view, width, height);
    if (view.Image1.isNull() && width > 0 && height > 0) {
        view.Image1 = shown;
        return false;
    }
    if (!shown.isNull() && !view.Image1.isNull()) {
        QPainter painter(&view.Image1);
        painter.drawImage(0, 0, shown);
    }
    return true;
}

} // namespace zeb
