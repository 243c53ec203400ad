#pragma once
// EstimateJobDuration: how long the plan will take and when the job will be done, shown under
// the picture in the duration and completion labels. Times are counted in units of 10 us.

#include "job/plan_format.h"
#include "link/clock.h"
#include "link/link_state.h"
#include "link/outcome.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

namespace zeb {

struct EstimateInputs {
    // MotorSpeed and MotorSpeedScale give the step time; ColumnTime[0..4] the time of one
    // column per strike digit.
    MachineState machine;
    // L: LinkTime as MeasureLinkTime left it (ms for 101 greetings), used as the cost of one
    // command in 10 us units.
    int linkTime = 0;
    // Without a device only the column times count.
    bool deviceReady = false;
    // A second pass counts the plan twice.
    bool doublePassPending = false;
    int pictureOffsetX = 0;
    int pictureOffsetY = 0;
};

// T for the plan file at `planPath`, in 10 us; refused, naming the file and the line, when
// the plan cannot be read.
Result<qint64> PlanFileDuration(const QString& planPath, const EstimateInputs& inputs);

// T for a plan held in memory, as PlanFileDuration gives it for the same bytes in a file;
// `name` names the plan in the message of a bad line.
Result<qint64> PlanTextDuration(QByteArrayView plan, const EstimateInputs& inputs,
                                const QString& name);

// The estimate's walk over one pass of a plan, record by record, the head taken to start at
// field row `startRow` and column `startCol` (0, 0 at a pass's start);
// `inputs.doublePassPending` is the caller's to honour. Units() is T so far, so a reader can
// tell how long the job has run at each line.
class DurationCounter {
public:
    explicit DurationCounter(const EstimateInputs& inputs, qint64 startRow = 0,
                             qint64 startCol = 0);
    void Add(const PlanRecord& record);
    qint64 Units() const { return m_units; }

private:
    EstimateInputs m_in;
    double m_stepTime;
    qint64 m_units = 0;
    qint64 m_previousRow;
    qint64 m_previousCol;
};

struct DurationTexts {
    // The completion label: "Время завершения работы: " [+ dd.MM.yyyy " "] + hh:mm:ss.
    QString completion;
    // The duration label: "Длительность работы: " [+ "NСут." + "+ "] + hh:mm:ss.
    QString duration;
};

// A duration of T units as hh:mm:ss; 24 hours or more show their whole days in front ("1Сут.+ ",
// "2Сут.+ ", ...).
QString DurationClockText(qint64 units);

// When a job of T units started at `now` is done: the time of day, with the date in front when
// that is not the day of `now` (a long job would otherwise seem to end today).
QString CompletionText(qint64 units, const QDateTime& now);

// The two texts for a duration of T units starting at `now`.
DurationTexts DurationTextsFor(qint64 units, const QDateTime& now);

struct JobEstimate {
    qint64 units = 0;
    DurationTexts texts;
};

Result<JobEstimate> EstimateJobDuration(const QString& planPath, const EstimateInputs& inputs,
                                        const Clock& clock);

} // namespace zeb
