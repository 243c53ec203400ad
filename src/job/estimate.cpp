#include "job/estimate.h"

#include "job/plan_reader.h"
#include "job/plan_text_reader.h"
#include "text/text_catalogue.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zeb {

namespace {

constexpr qint64 UnitsPerHour = 360'000'000;
constexpr qint64 UnitsPerMinute = 6'000'000;
constexpr qint64 UnitsPerSecond = 100'000;
constexpr qint64 UnitsPerMs = 100;
constexpr qint64 HoursPerDay = 24;

// One walk over the plan from its first line. `Reader` is PlanReader or PlanTextReader.
template <class Reader>
Result<qint64> PassDuration(Reader& reader, const EstimateInputs& in) {
    DurationCounter counter(in);
    if (Outcome walked =
            ForEachPlanLine(reader, [&](const PlanLine& line) { counter.Add(line.record); });
        !walked)
        return walked;
    return counter.Units();
}

QString ClockText(qint64 hours, qint64 minutes, qint64 seconds) {
    return QString::asprintf("%02lld:%02lld:%02lld", hours, minutes, seconds);
}

} // namespace

DurationCounter::DurationCounter(const EstimateInputs& inputs, qint64 startRow, qint64 startCol)
    : m_in(inputs),
      m_stepTime(inputs.machine.MotorSpeed * inputs.machine.MotorSpeedScale * 100 * 0.024375),
      m_previousRow(startRow), m_previousCol(startCol) {}

// The column times always count; moves, needle records and the head's column only with a
// device.
void DurationCounter::Add(const PlanRecord& record) {
    const qint64 link = m_in.linkTime;
    switch (record.kind) {
    case PlanRecordKind::Move: {
        if (!m_in.deviceReady)
            break;
        const qint64 row = qint64(record.row) + m_in.pictureOffsetY;
        const qint64 col = qint64(record.column) + m_in.pictureOffsetX;
        const qint64 dy = row - m_previousRow;
        const qint64 dx = col - m_previousCol;
        m_units += link + static_cast<qint64>(std::trunc(m_stepTime * std::llabs(dy) * 2.0));
        m_units += (dx >= 0 ? link : 2 * link) +
                   static_cast<qint64>(std::trunc(m_stepTime * std::llabs(dx)));
        m_previousRow = row;
        m_previousCol = col;
        break;
    }
    case PlanRecordKind::Forward:
    case PlanRecordKind::Backward: {
        const QByteArrayView digits = StruckDigits(record.digits);
        if (m_in.deviceReady)
            m_previousCol +=
                record.kind == PlanRecordKind::Forward ? digits.size() : -digits.size();
        for (char digit : digits)
            m_units += m_in.machine.ColumnTime[static_cast<size_t>(digit - '0')];
        break;
    }
    case PlanRecordKind::NeedleUp:
    case PlanRecordKind::NeedleDown:
        if (m_in.deviceReady)
            m_units += link;
        break;
    case PlanRecordKind::Other:
        break;
    }
}

Result<qint64> PlanTextDuration(QByteArrayView plan, const EstimateInputs& inputs,
                                const QString& name) {
    PlanTextReader reader(plan, name);
    qint64 units = 0;
    for (int pass = 0; pass < (inputs.doublePassPending ? 2 : 1); ++pass) {
        reader.Rewind();
        const Result<qint64> walked = PassDuration(reader, inputs);
        if (!walked)
            return walked;
        units += *walked;
    }
    return units;
}

Result<qint64> PlanFileDuration(const QString& planPath, const EstimateInputs& inputs) {
    PlanReader reader(planPath);
    const int passes = inputs.doublePassPending ? 2 : 1;
    qint64 units = 0;
    for (int pass = 0; pass < passes; ++pass) {
        if (Outcome opened = reader.Open(); !opened)
            return opened;
        const Result<qint64> walked = PassDuration(reader, inputs);
        if (!walked)
            return walked;
        units += *walked;
    }
    return units;
}

QString DurationClockText(qint64 units) {
    qint64 rest = std::max<qint64>(units, 0);
    qint64 hours = rest / UnitsPerHour;
    rest %= UnitsPerHour;
    // Whole days go in front of the time, whatever their number: a duration is never shown
    // as a wrong time of day.
    const qint64 days = hours / HoursPerDay;
    hours %= HoursPerDay;
    const qint64 minutes = rest / UnitsPerMinute;
    rest %= UnitsPerMinute;
    const qint64 seconds = rest / UnitsPerSecond;
    QString text;
    if (days > 0)
        text = TextCatalogue::BuiltIn(TextKey::EstimateDays).arg(days);
    return text + ClockText(hours, minutes, seconds);
}

QString CompletionText(qint64 units, const QDateTime& now) {
    const QDateTime done = now.addMSecs(std::max<qint64>(units, 0) / UnitsPerMs);
    const QString format = done.date() == now.date() ? QStringLiteral("hh:mm:ss")
                                                     : QStringLiteral("dd.MM.yyyy hh:mm:ss");
    return QStringLiteral("Время завершения работы: ") + done.toString(format);
}

DurationTexts DurationTextsFor(qint64 units, const QDateTime& now) {
    return {CompletionText(units, now),
            QStringLiteral("Длительность работы: ") + DurationClockText(units)};
}

Result<JobEstimate> EstimateJobDuration(const QString& planPath, const EstimateInputs& inputs,
                                        const Clock& clock) {
    const Result<qint64> units = PlanFileDuration(planPath, inputs);
    if (!units)
        return units.AsOutcome();
    return JobEstimate{*units, DurationTextsFor(*units, clock.Now())};
}

} // namespace zeb
