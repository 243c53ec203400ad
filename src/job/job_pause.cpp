// STOP, "Продолжить работу" and "Завершить работу": the job paused between two plan lines,
// then continued (with the forces the operator may have changed) or ended for a later
// recovery.
#include "job/job_runner.h"

namespace zeb {

bool STOPClick(Session& s) {
    if (!s.Job.Plan || !s.Timers.Running(TimerId::Optimizing))
        return false;
    StrikeLevels& levels = s.Levels;
    const bool secondPass = s.Job.SecondPassRunning;
    const bool secondHalf = secondPass || levels.DoublePassPending;
    levels.SetUpAbortPanel(secondHalf);
    s.Timers.Stop(TimerId::Optimizing);
    levels.AbortWork1Panel.SetEnabled(!secondPass);
    levels.AbortWork1Panel.SetVisible(true);
    levels.AbortWork2Panel.SetVisible(secondHalf);
    levels.AbortPanel.SetVisible(true);
    // STOP is shown only while the job timer runs.
    s.Op.LockForJob();
    return true;
}

bool Button27Click(Session& s) {
    if (!s.Job.Plan || s.Timers.Running(TimerId::Optimizing))
        return false;
    StrikeLevels& levels = s.Levels;
    bool sent = false;
    if (s.Job.SecondPassRunning) {
        const StrikeLevelSet firstPass = levels.FirstPassLevels;
        levels.FirstPassLevels = levels.SecondPassLevels;
        sent = s.Dev.SetStrike(levels.FirstPassLevels);
        levels.FirstPassLevels = firstPass;
    } else {
        sent = s.Dev.SetStrike(levels.FirstPassLevels);
    }
    // Forces without a strike profile were named by SetStrike; the operator changes them on
    // the panel, which stays.
    if (!sent)
        return false;
    s.Timers.Start(TimerId::Optimizing, 1);
    levels.AbortPanel.SetVisible(false);
    return true;
}

void Button28Click(Session& s) {
    if (!s.Job.Plan)
        return;
    s.Dev.EndPrint();
    s.Dev.Off();
    s.Timers.Stop(TimerId::Optimizing);
    s.Op.LockForJob();
    s.Link.DeviceReady = false;
    s.Levels.AbortPanel.SetVisible(false);
    s.Job.Plan.reset();
    s.Place.JobRunning = false;
}

} // namespace zeb
