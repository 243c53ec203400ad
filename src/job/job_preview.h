#pragma once
// The preview of the job "Работа" would start now: planned exactly as the job start plans it
// (the pass mode of the quality choice; both passes with "Двойной проход"), but in memory. No
// plan or dump is written, no dot is marked as struck (a job started after the preview strikes
// all of them), nothing is sent to the machine. The window disables the panel's buttons while
// it is built and shows the picture, the counts and the replay of JobPreview.

#include "job/plan_preview.h"
#include "job/session.h"

namespace zeb {

// The estimate inputs of one pass of the job as the job start leaves the machine: motor scale
// 16 + ResolutionIndex, the strike phase units of the register writes, the column times SetStrike
// computes for `forces`, the link time last measured (400 when none was), the picture's place.
EstimateInputs JobPassInputs(const Session& s, const StrikeLevelSet& forces);

// Refuses, with the message the job start would show, what the job start refuses before it
// plans: no picture, or forces no slider shows or no strike profile holds. The session's
// operator sees the planner's seeds as at a job start.
Result<JobPreview> PreviewJob(Session& s);

} // namespace zeb
