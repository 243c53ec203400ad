#pragma once
// Machine set-up besides the strike forces: carrying the needle to the nine reference points
// of the placed picture ("Геометрия") and resizing the field control ("Рабочее поле").

#include "link/device.h"
#include "picture/placement.h"

namespace zeb {

inline constexpr int PositionPointCount = 9; // reference points 1..9, Button7..Button15

// PositionTool: the needle to reference point `point` (1..9, HandlePoints of the placed
// picture): the motor scale for `resolutionIndex`, the needle as `needle` says before the
// move, the column move, the row move (two steps per row), and for UpMove the needle lowered
// again. For point 1 the motor scale follows the needle instead of preceding it. A point
// already reached sends no move. An axis whose count would not fit a move command is refused
// with a message and keeps its count. A point outside 1..9 does nothing.
void PositionTool(Device& device, const Placement& place, int resolutionIndex, NeedleCarry needle,
                  int point);

// The width SpinEdit2 gives the field control: a value below 1 becomes 2.
int SizePanelWidth(int spinValue);

// The field control takes a new size on the screen; what it showed stays in place, cut off or
// extended with black. The work field itself is not touched. False, with the view as it was,
// when memory cannot hold a view of that size.
bool ResizeFieldView(FieldView& view, int width, int height);

} // namespace zeb
