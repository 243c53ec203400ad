#pragma once
// Finishing an interrupted job: the controller's saved head position, the warm-up, the plan
// cut where the job stopped and the job timer started on the rest; dropping it instead; and
// the two hidden service starts.
//
// Nothing here strikes a dot twice: when the saved position cannot be placed in the plan, the
// operator is told, every file stays as it is and nothing is started.

#include "job/job_parts.h"

#include <optional>

namespace zeb {

// ReadSavedPosition (the controller's How): row and column shown in Edit3 and Edit4. Asked
// again until two answers agree (at most four times); nothing when the link fails or the
// answers keep differing.
std::optional<HeadPosition> ReadSavedPosition(Device& device);

// RecoverInterruptedJob: the recovery file read into the job settings, the plan of the pass
// that was running cut at the saved position (CutPlan: the position decides, the progress
// record narrows), the cut plan in place of the old one (for a second pass the first-pass
// plan emptied too), the PlanFile opened, the motor scale and the first-pass forces sent.
// Refused, saying why, with nothing sent that strikes and every file as it was, when the
// recovery file, the progress record or the plan cannot be read; when the record belongs to
// another plan or the recovery file's picture, place or resolution changed since (the file
// that changed is named); when the position is unknown, lies nowhere in the plan from the
// recorded line on, or the plan reaches where the controller cannot report a position; or
// when a force has no strike profile.
Outcome RecoverInterruptedJob(const JobParts& s, std::optional<HeadPosition> saved);

// CrushTimer's one tick: keep-alive stopped, menus locked, saved position read, warm-up
// (Job.WarmUpRounds rounds), recovery, controller set up, print job begun, job timer started.
// Done when the job runs again; otherwise the menus come back as the link allows, and the
// message says why (none when the link was lost: the link told that itself).
Outcome ResumeInterruptedJob(const JobParts& s);

// Timer3 (the unfinished job was ignored): the recovery file and the progress record go.
void DropUnfinishedJob(const QString& startDirectory, WindowTimers& timers);

// The hidden item "1": the existing plan file executed from its start with a four-line
// recovery file (picture, place, single strike force). Refused, saying why, when the plan
// cannot be opened.
Outcome ServiceStartOne(const JobParts& s);

// The hidden item "2": the saved position read and the plan cut; nothing is started.
Outcome ServiceStartTwo(const JobParts& s);

} // namespace zeb
