#include "job/live_estimate.h"

#include "job/job_start.h"
#include "job/plan_format.h"
#include "job/plan_reader.h"

#include <QDir>

#include <cmath>

namespace zeb {

namespace {

// What MeasureLinkTime takes when nothing answers: a session that never measured counts so.
constexpr int UnmeasuredLinkTime = 400;
constexpr qint64 UnitsPerMs = 100;

// The plan at `path` after its line `afterLine`, the head at `row`, `col`.
Result<Remaining> RestOfPlan(const QString& path, int afterLine, const EstimateInputs& in,
                             qint64 row, qint64 col) {
    PlanReader reader(path);
    if (Outcome opened = reader.Open(); !opened)
        return opened;
    DurationCounter counter(in, row, col);
    Remaining rest;
    const Outcome walked = ForEachPlanLine(reader, [&](const PlanLine& line) {
        if (line.number <= afterLine)
            return;
        counter.Add(line.record);
        ++rest.lines;
    });
    if (!walked)
        return walked;
    rest.units = counter.Units();
    return rest;
}

} // namespace

Result<Remaining> EstimateRemaining(const JobParts& s, int linkTime) {
    const EstimateInputs in = JobEstimateInputs(s, linkTime);
    Remaining rest;
    if (s.Job.Plan) {
        const Result<Remaining> open = RestOfPlan(s.Job.Plan->Path(), s.Job.PlanLine, in,
                                                  s.Machine.CurrentRow, s.Machine.CurrentCol);
        if (!open)
            return open;
        rest = *open;
    }
    if (s.Levels.DoublePassPending) {
        // The second pass starts its plan with the head reset to the field's corner.
        const Result<Remaining> second =
            RestOfPlan(QDir(s.StartDirectory).filePath(SecondPassPlanFileName), 0, in, 0, 0);
        if (!second)
            return second;
        rest.units += second->units;
        rest.lines += second->lines;
    }
    return rest;
}

void LiveEstimate::Begin(qint64 nowMs, const Remaining& rest) {
    *this = LiveEstimate{};
    m_linesTotal = rest.lines;
    Rebase(nowMs, rest);
}

void LiveEstimate::Rebase(qint64 nowMs, const Remaining& rest) {
    m_rest = rest;
    m_linesSince = 0;
    m_estimatedMs = nowMs;
    m_last = Checkpoint{nowMs, rest.units};
}

bool LiveEstimate::LineDone(qint64 nowMs) {
    ++m_linesSince;
    return m_linesSince >= LinesBetween || nowMs - m_estimatedMs >= MsBetween;
}

void LiveEstimate::Update(qint64 nowMs, const Remaining& rest) {
    // Only a stretch that ran at the same forces and without a pause tells the pace.
    if (m_last && m_last->units > rest.units && nowMs >= m_last->ms) {
        m_measuredMs += nowMs - m_last->ms;
        m_measuredUnits += m_last->units - rest.units;
    }
    Rebase(nowMs, rest);
}

qint64 LiveEstimate::RemainingUnits() const {
    if (m_measuredUnits < PaceFloorUnits)
        return m_rest.units;
    const double pace = double(m_measuredMs) * UnitsPerMs / double(m_measuredUnits);
    return std::llround(double(m_rest.units) * pace);
}

bool JobProgress::Begin(const JobParts& s) {
    m_began = true;
    m_beganMs = s.Time.MonotonicMs();
    m_linkTime = s.Machine.LinkTime > 0 ? s.Machine.LinkTime : UnmeasuredLinkTime;
    const Result<Remaining> rest = EstimateRemaining(s, m_linkTime);
    m_known = bool(rest);
    if (m_known)
        m_live.Begin(m_beganMs, *rest);
    return m_known;
}

void JobProgress::Rebase(const JobParts& s) {
    if (!m_known)
        return;
    if (const Result<Remaining> rest = EstimateRemaining(s, m_linkTime))
        m_live.Rebase(s.Time.MonotonicMs(), *rest);
}

bool JobProgress::LineDone(const JobParts& s) {
    const qint64 now = s.Time.MonotonicMs();
    if (!m_known || !m_live.LineDone(now))
        return false;
    const Result<Remaining> rest = EstimateRemaining(s, m_linkTime);
    if (!rest)
        return false;
    m_live.Update(now, *rest);
    return true;
}

void JobProgress::Finish(Clock& time) {
    if (m_known)
        m_live.Rebase(time.MonotonicMs(), Remaining{});
}

DurationTexts JobProgress::Texts(Clock& time, const TextCatalogue& texts) const {
    const qint64 units = m_live.RemainingUnits();
    return {zeb::CompletionText(units, time.Now()),
            texts.Text(TextKey::JobRemaining) + DurationClockText(units)};
}

QString JobProgress::PassText(const JobState& job, const StrikeLevels& levels,
                              const TextCatalogue& texts) {
    const bool second = job.SecondPassRunning;
    return texts.Text(TextKey::JobPassInProgress)
        .arg(second ? 2 : 1)
        .arg(second || levels.DoublePassPending ? 2 : 1);
}

QString JobProgress::EndText(Clock& time, const TextCatalogue& texts, TextKey outcome) const {
    const qint64 ms = time.MonotonicMs() - m_beganMs;
    return texts.Text(outcome).arg(DurationClockText(ms * UnitsPerMs));
}

} // namespace zeb
