// STOP, "Продолжить работу" and "Завершить работу": the job paused between two plan lines,
// then continued (with the forces the operator may have changed) or ended for a later
// recovery.
#include "job/job_runner.h"
#include "job/progress_record.h"

#include <QDir>

namespace zeb {

bool STOPClick(Session& s) {
    if (!s.Job.Plan || !s.Timers.Running(TimerId::Optimizing))
        return false;
    s.Timers.Stop(TimerId::Optimizing);
    // STOP is shown only while the job timer runs.
    s.Op.LockForJob();
    return true;
}

bool Button27Click(Session& s) {
    if (!s.Job.Plan || s.Timers.Running(TimerId::Optimizing))
        return false;
    StrikeLevels& levels = s.Levels;
    const bool secondPass = s.Job.SecondPassRunning;
    const StrikeLevelSet& forces = secondPass ? levels.SecondPassLevels : levels.FirstPassLevels;
    // Forces without a strike profile are named; the operator changes them on the panel,
    // which stays.
    if (const auto problem =
            ProfileProblem(forces, s.Machine.MotorSpeed, s.Machine.MotorSpeedScale)) {
        s.Op.ShowMessage(*problem);
        return false;
    }
    // The recovery file learns the new forces before the machine does: a resume after a later
    // interruption strikes with what the operator chose last.
    QString error = WriteRecoveryFile(s.StartDirectory, JobRecoveryRecord(s, secondPass));
    if (error.isEmpty())
        error = RecordProgress(s);
    if (!error.isEmpty()) {
        s.Op.ShowMessage(
            QStringLiteral("Не удаётся записать файл восстановления %1: %2")
                .arg(QDir::toNativeSeparators(RecoveryFilePath(s.StartDirectory)), error));
        return false;
    }
    if (!s.Dev.SetStrike(forces))
        return false;
    s.Timers.Start(TimerId::Optimizing, 1);
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
    s.Job.Plan.reset();
    s.Place.JobRunning = false;
}

} // namespace zeb
