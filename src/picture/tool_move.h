#pragma once
// Carrying the engraving tool to a point of the work field: the needle raised or lowered as
// the operator chose, the column move, then the row move (two device steps per row), and the
// follow-up timer that waits out the travel.

#include "link/device.h"
#include "link/window_timers.h"
#include "picture/placement.h"

namespace zeb {

inline constexpr int MaxStepCount = 65535; // a move command's count is 16-bit

// The column move, then the row move, without touching the needle; the distance covered in
// dots and the bookkeeping as for MoveTool.
int MoveAxes(Device& device, int x, int y);

// Moves the tool to field point (x, y) and returns the distance covered in dots (columns plus
// rows). CurrentCol and CurrentRow follow the move even while the link is down; an axis whose
// count would not fit a move command is refused by the device, told to the operator at once,
// and keeps its count, so the tracked position stays where the head is.
int MoveTool(Device& device, NeedleCarry carry, int x, int y);

// The tool move of the work field: MoveTool, then Timer2 started with travel x 100 ms, the
// travel taken as a 16-bit count. Timer2's tick (StopFollowUpTimers, with the job runner, whose end
// starts the same timer) stops Timer2 and Timer3.
void ToolMove(Device& device, WindowTimers& timers, NeedleCarry carry, int x, int y);

} // namespace zeb
