#pragma once
// What zeb-cli convert and zeb-cli plan share: a picture opened and converted as the
// program's Open does right after its start (the tables fresh, nothing held before), with the
// terminal as the operator.

#include "cli/cli_args.h"
#include "cli/terminal_operator.h"
#include "link/link_state.h"
#include "picture/open_command.h"
#include "picture/tone_levels.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace zeb::cli {

// What both commands are told: PICTURE, --mode combined|diffusion, -o/--output FILE, and the
// tone controls (--levels, --invert).
struct OpenArgs {
    QString picture;
    QString mode;
    QString output;
    ToneLevels tone;
};

// Reads the command line into `args`; options of the command's own (`more`) go to `takeMore`.
// Returns the first problem, empty when all is well; `outputExample` names the output in the
// text for a missing one ("no output file given (-o PLAN.txt)").
QString ReadOpenArgs(const QStringList& list, OpenArgs& args, const QString& outputExample,
                     std::vector<Option> more = {},
                     const std::function<void(const Arg&)>& takeMore = {});

struct FreshOpen {
    TerminalOperator op;
    StandaloneOpen work{op};
};

// Opens the picture (a name in the current directory) and converts it in the mode given.
// Returns the exit code: ExitOk, or ExitUsage (told) for a file that is missing or cannot be
// read as a picture.
int OpenFresh(FreshOpen& open, const OpenArgs& args);

} // namespace zeb::cli
