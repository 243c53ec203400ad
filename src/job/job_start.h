#pragma once
// The road from the engraving-properties panel to the first plan line: "Гравировка" opens the
// panels, "Работа" saves the settings, plans, greets and sets up the controller, writes the
// recovery file, sends the motor values and the strike profiles, opens the print job and
// starts the job timer; the duration estimate follows.

#include "job/estimate.h"
#include "job/session.h"

#include <QString>

#include <functional>
#include <optional>

namespace zeb {

// "Гравировка" (Print1Click): the menus locked for the job. The window shows its
// engraving-properties panels first.
void Print1Click(Session& s);

// Why the forces of the job cannot become strike profiles at the motor speed the job will
// run with (MotorSpeed x (16 + ResolutionIndex)): the first level, its force and the speed
// named. The second pass's forces count when `doublePass`. Empty when all is well.
std::optional<QString> JobForceProblem(const Session& s, bool doublePass);

struct JobStartOutcome {
    bool started = false;
    // The link failed while the machine was being set up: the job did not begin, it is
    // recorded for a resume, and the window shows the fault dialog.
    bool linkLost = false;
    // The duration estimate for Label35 and Label37 (empty texts when the plan could not be
    // read for it).
    JobEstimate estimate;
};

// "Работа" (Button17Click). Refuses with a message, before anything is sent, when a force
// has no strike profile or there is no picture to plan; a plan or a file that cannot be
// written stops the start with a message and gives the menus back. `choicesTaken` runs once
// the job has taken the operator's choices (the settings saved), before the plan is built:
// the window closes its panels there.
JobStartOutcome Button17Click(Session& s, const std::function<void()>& choicesTaken = {});

// EstimateJobDuration: the link time measured anew, the plan walked (twice with a double
// pass); the head count goes back to 0, 0.
JobEstimate EstimateJob(Session& s, const QString& planPath);

} // namespace zeb
