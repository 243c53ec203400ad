// STOP, "Продолжить работу" and "Завершить работу": the job paused between two plan lines,
// then continued (with the forces the operator may have changed) or ended for a later
// recovery.
#include "job/job_runner.h"
#include "job/progress_record.h"
#include "text/text_catalogue.h"

#include <QDir>

namespace zeb {

bool PauseJob(const JobParts& s) {
    if (!s.Job.Plan || !s.Timers.Running(TimerId::Optimizing))
        return false;
    s.Timers.Stop(TimerId::Optimizing);
    // STOP is shown only while the job timer runs.
    s.Op.LockForJob();
    return true;
}

Outcome ContinueJob(const JobParts& s) {
    if (!s.Job.Plan || s.Timers.Running(TimerId::Optimizing))
        return Outcome::Failed({});
    StrikeLevels& levels = s.Levels;
    const bool secondPass = s.Job.SecondPassRunning;
    const StrikeLevelSet& forces = secondPass ? levels.SecondPassLevels : levels.FirstPassLevels;
    // Forces without a strike profile are named; the operator changes them on the panel,
    // which stays.
    if (Outcome profiles =
            CheckStrikeProfiles(s.Texts, forces, s.Machine.MotorSpeed, s.Machine.MotorSpeedScale);
        !profiles)
        return profiles;
    // The recovery file learns the new forces before the machine does: a resume after a later
    // interruption strikes with what the operator chose last.
    Outcome recorded = WriteRecoveryFile(s.StartDirectory, JobRecoveryRecord(s, secondPass));
    if (recorded)
        recorded = RecordProgress(s.Job, s.StartDirectory, s.Texts);
    if (!recorded)
        return Outcome::Failed(
            s.Texts.Text(TextKey::JobRecoveryNotWritten)
                .arg(QDir::toNativeSeparators(RecoveryFilePath(s.StartDirectory)),
                     recorded.Message()));
    if (Outcome sent = s.Dev.SetStrike(forces); !sent)
        return sent;
    s.Timers.Start(TimerId::Optimizing, 1);
    return Outcome::Done();
}

void EndJobForLater(const JobParts& s) {
    if (!s.Job.Plan)
        return;
    s.Dev.EndPrint();
    s.Dev.SwitchOff();
    s.Timers.Stop(TimerId::Optimizing);
    s.Op.LockForJob();
    s.Job.Plan.reset();
    s.Job.Running = false;
}

} // namespace zeb
