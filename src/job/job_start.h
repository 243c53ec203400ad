#pragma once
// The road from the engraving-properties panel to the first plan line: "Гравировка" opens the
// panels, "Работа" saves the settings, plans, greets and sets up the controller, writes the
// recovery file, sends the motor values and the strike profiles, opens the print job and
// starts the job timer; the duration estimate follows.

#include "job/estimate.h"
#include "job/job_parts.h"
#include "picture/field_overhang.h"

#include <QString>

#include <functional>
#include <optional>

namespace zeb {

// "Гравировка": the menus locked for the job. The window shows its engraving-properties
// panels first.
void OpenEngravingProperties(const JobParts& s);

// Refused when a force of the job is one its slider cannot show, or cannot become a strike
// profile at the motor speed the job will run with (MotorSpeed x (16 + ResolutionIndex)): the
// message names the pass, the level, its force and the speed. The second pass's forces count
// when `doublePass`.
Outcome CheckJobForces(const StrikeLevels& levels, const MachineState& machine,
                       const Settings& config, const TextCatalogue& texts, bool doublePass);

// How far the picture reaches outside the work field where the job would strike it: its
// place and size as last drawn, the field at the resolution held.
FieldOverhang JobOverhang(const Placement& place, const FieldView& view, const Settings& config);

// Whether "Работа" asks before striking a picture that reaches outside the field, or the
// operator has accepted it already (zeb-cli's --allow-outside).
enum class OutsideField { Ask, Accepted };

// A job start that got through its checks and its files.
struct JobStart {
    // False when the link failed while the machine was being set up: the job did not begin,
    // it is recorded for a resume, and the window shows the fault dialog.
    bool begun = false;
    // Begun: the duration estimate for the labels under the picture, or why the plan could
    // not be read for it (the job runs all the same).
    Result<JobEstimate> estimate = Outcome::Failed({});
};

// "Работа". Refused, before anything is sent, when a force has no strike profile or there
// is no picture to plan; without a word, and before anything is sent or written, when the
// operator does not take a picture reaching outside the field (asked unless `outside` says it
// was accepted: the window stays as it was); without a word too when the operator keeps an
// unfinished job; a plan
// or a file that cannot be written stops the start with its message and gives the menus back.
// `choicesTaken` runs once the job has taken the operator's choices (the settings saved),
// before the plan is built: the window closes its panels there.
Result<JobStart> StartJob(const JobParts& s, const std::function<void()>& choicesTaken = {},
                          OutsideField outside = OutsideField::Ask);

// EstimateJobDuration: the link time measured anew, the plan walked (twice with a double
// pass); the head count goes back to 0, 0. Greets the controller: only at a job's start.
Result<JobEstimate> EstimateJob(const JobParts& s, const QString& planPath);

// The estimate's inputs as the session holds them now, with `linkTime` for L: the machine's
// motor values and column times, whether it answers, the second pass still to come, the
// picture's place. Reads only; the job start's estimate and the estimate while a job runs
// both take it.
EstimateInputs JobEstimateInputs(const JobParts& s, int linkTime);

} // namespace zeb
