#pragma once
// The job's progress while it runs: how many plan lines are done of those it had ahead when it
// began, how long the rest takes and when the job will be done. The rest is estimated anew from
// the estimate's terms over the plan lines not yet read and the head where it stands, with the
// link time measured when the job began, and corrected by the pace the job has kept so far.
// Nothing here greets the machine or changes the job: it reads the plan files and the session.

#include "job/estimate.h"
#include "job/job_parts.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace zeb {

// What remains of a job: T in 10 us and the plan lines still to run.
struct Remaining {
    qint64 units = 0;
    qint64 lines = 0;
};

// The rest of the job the session runs, as the job start would estimate it with `linkTime`:
// the open plan's lines after the one read last, walked from the head's position, then the
// second pass's plan from the field's corner when a second pass is still to come. Refused,
// naming the plan, when a plan cannot be read.
Result<Remaining> EstimateRemaining(const JobParts& s, int linkTime);

// The counting behind the display, without the session: lines done, the rest as estimated
// last, and the pace (time taken over time estimated) of the stretches the job ran between two
// estimates without a pause or a change of forces. Times are monotonic milliseconds.
class LiveEstimate {
public:
    // The rest is estimated anew after this many plan lines or this much time, whichever comes
    // first: a walk over the rest of a plan then costs little against the lines' own time.
    static constexpr qint64 LinesBetween = 500;
    static constexpr qint64 MsBetween = 3000;
    // A pace counts once this much estimated time has been measured (5 s): the first few lines
    // say little about the rest.
    static constexpr qint64 PaceFloorUnits = 500'000;

    // The job began (started or resumed) at `nowMs` with `rest` ahead of it.
    void Begin(qint64 nowMs, const Remaining& rest);
    // A new estimate with nothing measured across the gap: after a pause, at the second pass.
    void Rebase(qint64 nowMs, const Remaining& rest);
    // No stretch is measured across a pause.
    void Pause() { m_last.reset(); }
    // One plan line done; true when the rest is due to be estimated anew.
    bool LineDone(qint64 nowMs);
    // The rest estimated anew: the pace learns from the stretch since the last estimate.
    void Update(qint64 nowMs, const Remaining& rest);

    qint64 LinesDone() const { return m_linesTotal - m_rest.lines + m_linesSince; }
    qint64 LinesTotal() const { return m_linesTotal; }
    // The rest as last estimated, corrected by the pace.
    qint64 RemainingUnits() const;

private:
    struct Checkpoint {
        qint64 ms;
        qint64 units;
    };
    qint64 m_linesTotal = 0;
    Remaining m_rest;
    qint64 m_linesSince = 0; // lines done since the last estimate
    qint64 m_estimatedMs = 0;
    std::optional<Checkpoint> m_last;
    qint64 m_measuredMs = 0;
    qint64 m_measuredUnits = 0;
};

// The job's progress for the window: LiveEstimate over the session, the link time taken when
// the job began.
class JobProgress {
public:
    // A job started (after its estimate) or resumed. False when its plan cannot be read: the
    // window then shows no progress for it.
    bool Begin(const JobParts& s);
    // Continued after a pause, or the second pass begun: the forces may be others.
    void Rebase(const JobParts& s);
    void Pause() { m_live.Pause(); }
    // After each plan line done; true when the texts were made anew.
    bool LineDone(const JobParts& s);
    // The plan ended: nothing remains.
    void Finish(Clock& time);

    // Begin was called: the job's time is counted.
    bool Began() const { return m_began; }
    bool Known() const { return m_known; }
    const LiveEstimate& Live() const { return m_live; }
    // "Осталось: " + the rest corrected by the pace (in `duration`), and the completion time
    // from now.
    DurationTexts Texts(Clock& time, const TextCatalogue& texts) const;
    // The pass in progress, "Гравировка: проход 1 из 2".
    static QString PassText(const JobState& job, const StrikeLevels& levels,
                            const TextCatalogue& texts);
    // "Работа завершена за ..." and the like: how the job ended and how long it ran.
    QString EndText(Clock& time, const TextCatalogue& texts, TextKey outcome) const;

private:
    LiveEstimate m_live;
    qint64 m_beganMs = 0;
    int m_linkTime = 0;
    bool m_began = false;
    bool m_known = false;
};

} // namespace zeb
