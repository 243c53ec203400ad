#include "picture/tool_move.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace zeb {

namespace {

// The count handed to the device: too large a count still reaches it (and is refused there
// with its message) but never wraps.
int StepCount(qint64 steps) {
    return static_cast<int>(std::min<qint64>(steps, INT_MAX));
}

// A move by hand tells a refused axis at once and still moves the other one, so the tool
// gets as near as it can while the operator watches.
void TellRefusal(Device& device, const Outcome& moved) {
    Tell(device.Op(), moved);
}

} // namespace

int MoveAxes(Device& device, int x, int y) {
    MachineState& machine = device.Machine();
    int travel = 0;
    const qint64 columns = std::abs(static_cast<qint64>(x) - machine.CurrentCol);
    if (columns > 0) {
        TellRefusal(device, x > machine.CurrentCol ? device.Left(StepCount(columns))
                                                   : device.Right(StepCount(columns)));
        if (columns <= MaxStepCount) {
            travel += static_cast<int>(columns);
            machine.CurrentCol = x;
        }
    }
    const qint64 rows = std::abs(static_cast<qint64>(y) - machine.CurrentRow);
    if (rows > 0) {
        const int steps = StepCount(2 * rows);
        TellRefusal(device, y > machine.CurrentRow ? device.StepUp(steps) : device.StepDown(steps));
        if (steps <= MaxStepCount) {
            travel += static_cast<int>(rows);
            machine.CurrentRow = y;
        }
    }
    return travel;
}

int MoveTool(Device& device, NeedleCarry carry, int x, int y) {
    if (carry == NeedleCarry::AllDown)
        device.Put(0);
    else
        device.Up();
    const int travel = MoveAxes(device, x, y);
    if (carry == NeedleCarry::UpMove)
        device.Put(0);
    return travel;
}

void ToolMove(Device& device, WindowTimers& timers, NeedleCarry carry, int x, int y) {
    const int travel = MoveTool(device, carry, x, y);
    timers.Start(TimerId::Timer2, static_cast<quint16>(travel) * 100);
}

} // namespace zeb
