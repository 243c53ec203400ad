#pragma once
// The tone controls on zeb-cli's command line: "--levels B,W,G" and "--invert", taken by
// convert, plan, engrave and preview alike. The tool reads no tone file: a command without
// these options converts exactly as without tone controls.

#include "cli/cli_args.h"
#include "picture/tone_levels.h"

#include <QString>

#include <vector>

namespace zeb::cli {

// The two options, to add to a command's own.
std::vector<Option> ToneOptions();

// Whether `arg` is one of them.
bool IsToneOption(const Arg& arg);

// Takes a tone option into `levels`; returns the problem, empty when the values are sound.
QString TakeToneOption(const Arg& arg, ToneLevels& levels);

// The lines the commands' help texts show for the two options, their descriptions starting at
// `column` like the command's other options.
QString ToneOptionsHelp(int column);

} // namespace zeb::cli
