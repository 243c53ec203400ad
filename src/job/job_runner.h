#pragma once
// The job loop: one plan line per tick of Optimizing, the second pass, STOP with continue or
// end, and the stop on a lost link. Moves become StepUp/StepDown/Left/Right, needle records
// Up/Put, strike lines PrintLine; the struck dots are painted red on the screen picture.
//
// Before every strike line the progress record names that line, on the disk, so recovery
// knows which line was running when the program or the computer stopped.

#include "job/recovery_file.h"
#include "job/session.h"

#include <QRgb>
#include <QString>

namespace zeb {

enum class TickResult {
    NotRunning,        // no plan was open: the timer is stopped
    LineDone,          // one plan line carried out; the job goes on
    SecondPassStarted, // the first pass ended and the second began on its own plan
    Completed,         // the plan ended: the machine is off, the recovery file is gone
    Stopped,           // a plan line could not be carried out (told); the job can be resumed
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
RecoveryRecord JobRecoveryRecord(const Session& s, bool secondPassStarted);

// Opens the plan of `pass` (1 or 2) at `path` for execution: the plan-line counter at 0 and
// the progress record on the disk, pointing before its first line, bound to the plan's bytes
// and to the job's picture, place and resolution. Empty on success, else why not (the job
// state is then as it was).
QString OpenJobPlan(Session& s, int pass, const QString& path);

// Puts the progress record of the plan line the job is at on the disk. A strike line is sent
// only once its record is there: if the program dies while the line runs, recovery knows
// which one it was. Empty on success, else why not, naming the file.
QString RecordProgress(Session& s);

// Opens the print job on the machine and starts the job timer: from here the job loop carries
// the plan. Whether the link was up is remembered, so that its loss later stops the job, and
// the progress record says the print job was opened. False, told, when that record could not
// be written: the job is then ended for a later resume.
bool BeginJobLoop(Session& s);

// One tick of Optimizing.
TickOutcome OptimizingTimer(Session& s);

// The end of the first pass of a double-pass job: the recovery file with "Sec", the
// second-pass forces sent, the head reset, the second plan started (SecondPassStarted).
// Stopped (told) when its plan cannot be opened or its forces have no profile, LinkLost when
// the link failed while it was set up; the job is then resumable.
TickResult StartSecondPass(Session& s);

// STOP (the Delete key): acts only while the job timer runs. The job pauses after the current
// line; the window then shows the interrupted-job panel with the halves the pass needs. True
// when it acted.
bool STOPClick(Session& s);

// "Продолжить работу": the forces of the pass in progress sent again (the operator may have
// changed them), the job timer started. False (the window keeps its panel) when the new
// forces have no strike profile or no job is paused.
bool Button27Click(Session& s);

// "Завершить работу": print job ended, machine off, job timer stopped. The recovery file and
// the progress record stay, so the job can be resumed.
void Button28Click(Session& s);

// Timer2's only tick: stops Timer2 and Timer3.
void Timer2Timer(WindowTimers& timers);

} // namespace zeb
