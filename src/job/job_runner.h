#pragma once
// The job loop: one plan line per tick of Optimizing, the second pass, STOP with continue or
// end, and the stop on a lost link. Moves become StepUp/StepDown/Left/Right, needle records
// Up/Put, strike lines PrintLine; the struck dots are painted red on the screen picture.
//
// Before every strike line the progress record names that line, on the disk, so recovery
// knows which line was running when the program or the computer stopped.

#include "job/job_parts.h"
#include "job/recovery_file.h"

#include <QRgb>
#include <QString>

namespace zeb {

enum class TickResult {
    NotRunning,        // no plan was open: the timer is stopped
    LineDone,          // one plan line carried out; the job goes on
    SecondPassStarted, // the first pass ended and the second began on its own plan
    Completed,         // the plan ended: the machine is off, the recovery file is gone
    Stopped,           // a plan line could not be carried out; the job can be resumed
    LinkLost,          // the link failed: the caller shows the fault dialog; resumable
};

struct TickOutcome {
    TickResult result = TickResult::LineDone;
    // Red marks were painted into View.Image1: the window refreshes it.
    bool pictureChanged = false;
};

// Red of the progress marks on the screen picture.
inline constexpr QRgb ProgressMarkColour = 0xFFFF0000;

// The recovery file's record of the job the session holds: picture, place, forces of both
// passes, resolution; line 14 when `secondPassStarted`.
RecoveryRecord JobRecoveryRecord(const JobParts& s, bool secondPassStarted);

// Opens the plan of `pass` (1 or 2) at `path` for execution: the plan-line counter at 0 and
// the progress record on the disk, pointing before its first line, bound to the plan's bytes
// and to the job's picture, place and resolution. Refused, saying why, when the plan or the
// record cannot be opened (the job state is then as it was).
Outcome OpenJobPlan(const JobParts& s, int pass, const QString& path);

// Puts the progress record of the plan line the job is at on the disk. A strike line is sent
// only once its record is there: if the program dies while the line runs, recovery knows
// which one it was. Refused, naming the file, when it could not be written.
Outcome RecordProgress(JobState& job, const QString& startDirectory, const TextCatalogue& texts);

// Back to where the job was started from: the menus as the link allows.
void GiveMenusBack(Operator& op, const LinkState& link);

// Opens the print job on the machine and starts the job timer: from here the job loop carries
// the plan. Whether the link was up is remembered, so that its loss later stops the job, and
// the progress record says the print job was opened. Refused when that record could not be
// written: the job is then ended for a later resume.
Outcome BeginJobLoop(const JobParts& s);

// One tick of Optimizing. A plan line that cannot be carried out stops the job (Stopped): the
// operator is told why through Operator at that moment, from inside the running job, and the
// job is ended as "Завершить работу" ends it.
TickOutcome RunNextPlanLine(const JobParts& s);

// The end of the first pass of a double-pass job: the recovery file with "Sec", the
// second-pass forces sent, the head reset, the second plan started (SecondPassStarted).
// Stopped (told, as a tick tells) when its plan cannot be opened or its forces have no
// profile, LinkLost when the link failed while it was set up; the job is then resumable.
TickResult StartSecondPass(const JobParts& s);

// STOP (the Delete key): acts only while the job timer runs. The job pauses after the current
// line; the window then shows the interrupted-job panel with the halves the pass needs. True
// when it acted.
bool PauseJob(const JobParts& s);

// "Продолжить работу": the forces of the pass in progress sent again (the operator may have
// changed them), the job timer started. Refused (the window keeps its panel) when the new
// forces have no strike profile or the records cannot be written; without a word when no job
// is paused.
Outcome ContinueJob(const JobParts& s);

// "Завершить работу": print job ended, machine off, job timer stopped. The recovery file and
// the progress record stay, so the job can be resumed.
void EndJobForLater(const JobParts& s);

// Timer2's only tick: stops Timer2 and Timer3.
void StopFollowUpTimers(WindowTimers& timers);

} // namespace zeb
