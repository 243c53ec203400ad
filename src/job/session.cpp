#include "job/session.h"

namespace zeb {

Session::Session(Operator& op, WindowTimers& timers, Clock& clock, std::unique_ptr<SerialLine> line)
    : Op(op), Timers(timers), Time(clock), Line(std::move(line)),
      Dev(*Line, op, clock, Link, Machine, SelfTest, &Texts) {}

OpenCommandContext OpenContext(Session& s, PictureStatusTexts texts) {
    OpenCommandContext ctx{
        s.Op,   s.Tables,  s.Picture, s.Matrices,      s.Place, s.Config.ResolutionIndex,
        s.View, s.Machine, &s.Dev,    std::move(texts)};
    ctx.pinnedPlace = s.Unfinished.PinnedPlace();
    return ctx;
}

} // namespace zeb
