#pragma once
// Everything one run of the program holds, owned in one place: the main window owns one
// session, zeb-cli one per command, a test one per case. Operations take the parts they need.

#include "job/job_state.h"
#include "link/clock.h"
#include "link/device.h"
#include "link/link_state.h"
#include "link/operator.h"
#include "link/serial_line.h"
#include "link/window_timers.h"
#include "picture/field_mouse.h"
#include "picture/matrices.h"
#include "picture/open_command.h"
#include "picture/picture_state.h"
#include "picture/placement.h"
#include "picture/tone_tables.h"
#include "setup/settings.h"
#include "setup/strike_levels.h"
#include "text/text_catalogue.h"

#include <QString>

#include <memory>

namespace zeb {

struct Session {
    // `line` is the serial line to the controller: a real port, a pseudo-terminal, or the
    // in-process virtual controller. The operator, timers and clock outlive the session.
    Session(Operator& op, WindowTimers& timers, Clock& clock, std::unique_ptr<SerialLine> line);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Operator& Op;
    WindowTimers& Timers;
    Clock& Time;

    // The current directory at start; every file of the program lives there.
    QString StartDirectory;

    // Device link.
    LinkState Link;
    MachineState Machine;
    SelfTestState SelfTest;
    std::unique_ptr<SerialLine> Line;
    Device Dev;

    // Settings, the operator's texts (with the language file's), strike levels.
    Settings Config;
    TextCatalogue Texts;
    StrikeLevels Levels;

    // Picture preparation.
    ToneTables Tables;
    PictureState Picture;
    PictureMatrices Matrices;
    Placement Place;
    FieldView View;
    FieldDrag Drag;
    FieldMouseModes MouseModes;

    // The engraving job, and the one found unfinished at start-up.
    JobState Job;
    UnfinishedJob Unfinished;
};

// The Open command's context over the session's parts, the same for the window, zeb-cli and
// the tests: the motor speed goes out through the session's device, and an unfinished job's
// place wins over the alignment. `texts` are the status lines of the Open road (the window
// hands in those of its status table).
OpenCommandContext OpenContext(Session& s, PictureStatusTexts texts = {});

} // namespace zeb
