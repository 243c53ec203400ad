#pragma once
// The engraving job as the runner holds it between ticks: which pass runs, the plan being
// executed, how far it got. One instance per session; idle until a job starts.

#include "job/plan_reader.h"
#include "job/progress_record.h"

#include <QByteArray>
#include <QPoint>
#include <QtGlobal>

#include <memory>
#include <optional>

namespace zeb {

struct JobState {
    // The plan being executed: the PlanFile in the first pass, the SecondPassPlanFile in the
    // second. Null while no plan is open.
    std::unique_ptr<PlanReader> Plan;
    // 1 or 2: the pass whose plan is open (a second-pass recovery runs an empty first pass).
    int Pass = 1;
    bool SecondPassRunning = false;
    // SHA-1 of the open plan's bytes: the progress record names the plan it counts lines of.
    QByteArray PlanDigest;
    // JobDigest of the job's recovery file: the progress record names the job it belongs to.
    QByteArray JobDigest;
    // The open plan's print job was opened on the machine (BeginPrint answered).
    bool Begun = false;
    // The progress record, held open while the plan runs.
    std::unique_ptr<ProgressFile> Progress;
    // The print job was begun with the link up: from then on a link that goes down (a failed
    // greeting, a data frame without answer) stops the job, whatever LinkError says. A job
    // begun without the machine only paints the picture.
    bool LinkExpected = false;
    // The plan-line counter: file line number of the last line read, 0 before the first.
    int PlanLine = 0;
    // Warm-up rounds of the next recovery start (SpinEdit4 of the unfinished-job dialog).
    int WarmUpRounds = 3;
    // The job timer carries a plan (from BeginJobLoop until the plan is closed, a pause
    // included): the field takes no orders from the mouse meanwhile.
    bool Running = false;

    // What the job has done so far, for progress displays: plan bytes read (both passes),
    // strike lines sent and dots struck.
    qint64 PlanBytesRead = 0;
    qint64 PlanBytesTotal = 0;
    qint64 StrikeLinesSent = 0;
    qint64 DotsStruck = 0;
};

// An unfinished job found at start-up by its recovery file. The window offers to finish it
// while the machine answers, and its picture position wins over the alignment until the
// operator gives it up or starts another job.
struct UnfinishedJob {
    bool Pending = false;
    QPoint Place; // the recovery file's PictureOffsetX, PictureOffsetY

    std::optional<QPoint> PinnedPlace() const {
        return Pending ? std::optional<QPoint>(Place) : std::nullopt;
    }
};

} // namespace zeb
