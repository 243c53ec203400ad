#pragma once
// The job's choices on zeb-cli's command line, shared by engrave, which strikes them, and
// preview, which shows what they would strike: the picture, the conversion, the quality, the
// picture kind, the forces of both passes, the place on the field, the resolution and the tone
// controls.

#include "cli/cli_args.h"
#include "job/session.h"
#include "link/link_state.h"
#include "picture/placement.h"
#include "picture/tone_levels.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace zeb::cli {

struct JobOptions {
    QString picture;
    std::optional<bool> combined;
    bool oneSided = false;
    bool text = false;
    std::optional<StrikeLevelSet> forces;
    std::optional<StrikeLevelSet> secondPass;
    std::optional<std::pair<HorizontalAlignment, VerticalAlignment>> align;
    std::optional<int> resolution;
    ToneLevels tone;
};

// Reads the job options, and the command's own `more` (handed to `takeMore`, which answers
// with a problem). Returns the first problem on the line, empty when all is well; whether a
// PICTURE was given is the command's to check.
QString ReadJobOptions(const QStringList& list, JobOptions& job, std::vector<Option> more = {},
                       const std::function<QString(const Arg&)>& takeMore = {});

// The choices as the panels would hold them; what is not given stays as Zeb.ini had it.
void ApplyJobOptions(Session& s, const JobOptions& job);

// What the job will be, once the picture is open and placed: its size and place on the work
// field, the tone values when they are not neutral, the forces of each pass.
void PrintJobChoices(const Session& s);

// The help lines of the job options, descriptions from column 21.
QString JobOptionsHelp();

} // namespace zeb::cli
