#include "job/job_parts.h"

#include "job/session.h"

namespace zeb {

JobParts::JobParts(Session& s)
    : Op(s.Op), Timers(s.Timers), Time(s.Time), StartDirectory(s.StartDirectory), Link(s.Link),
      Machine(s.Machine), SelfTest(s.SelfTest), Dev(s.Dev), Config(s.Config), Texts(s.Texts),
      Levels(s.Levels), Picture(s.Picture), Matrices(s.Matrices), Place(s.Place), View(s.View),
      Job(s.Job), Unfinished(s.Unfinished) {}

} // namespace zeb
