#pragma once
// The parts of a session that the job operations work on: the job start, the job loop with
// pause and end, recovery and the service starts. Each is one of the session's own parts,
// under the session's name for it. The link state, the self-test switches and the texts
// come read-only: the link alone writes its state (ask the Device), and the window its
// switches. The serial line, the language, the tone tables and the field's mouse are no
// business of a job and are not here.

#include "job/job_state.h"
#include "link/clock.h"
#include "link/device.h"
#include "link/link_state.h"
#include "link/operator.h"
#include "link/window_timers.h"
#include "picture/matrices.h"
#include "picture/picture_state.h"
#include "picture/placement.h"
#include "setup/settings.h"
#include "setup/strike_levels.h"
#include "text/text_catalogue.h"

#include <QString>

namespace zeb {

struct Session;

struct JobParts {
    // From the session that owns them; implicit, so a caller holding the session hands it on
    // as it is.
    JobParts(Session& s);

    Operator& Op;
    WindowTimers& Timers;
    Clock& Time;
    const QString& StartDirectory;

    const LinkState& Link;
    MachineState& Machine;
    const SelfTestState& SelfTest;
    Device& Dev;

    Settings& Config;
    const TextCatalogue& Texts;
    StrikeLevels& Levels;

    PictureState& Picture;
    PictureMatrices& Matrices;
    Placement& Place;
    FieldView& View;

    JobState& Job;
    UnfinishedJob& Unfinished;
};

} // namespace zeb
