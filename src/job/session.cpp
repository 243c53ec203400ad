#include "job/session.h"

namespace zeb {

Session::Session(Operator& op, WindowTimers& timers, Clock& clock, std::unique_ptr<SerialLine> line)
    : Op(op), Timers(timers), Time(clock), Line(std::move(line)),
      Dev(*Line, op, clock, Link, Machine, SelfTest) {}

} // namespace zeb
