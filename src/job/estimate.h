#pragma once
// EstimateJobDuration: how long the plan will take and when the job will be done, shown under
// the picture in Label37 and Label35. Times are counted in units of 10 us.

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
// row and column 0; `inputs.doublePassPending` is the caller's to honour. Units() is T so far,
// so a reader can tell how long the job has run at each line.
class DurationCounter {
public:
    explicit DurationCounter(const EstimateInputs& inputs);
    void Add(const PlanRecord& record);
    qint64 Units() const { return m_units; }

private:
    EstimateInputs m_in;
    double m_stepTime;
    qint64 m_units = 0;
    qint64 m_previousRow = 0;
    qint64 m_previousCol = 0;
};

struct DurationTexts {
    QString completion; // Label35: "Время завершения работы: " + time of day
    QString duration; // Label37: "Длительность работы: " [+ "NСут." + "+ "] + hh:mm:ss
};

// The two texts for a duration of T units starting at `now`. A duration of 24 hours or more
// shows its whole days in front ("1Сут.", "2Сут.", ...) and the rest as hh:mm:ss.
DurationTexts DurationTextsFor(qint64 units, const QDateTime& now);

struct JobEstimate {
    qint64 units = 0;
    DurationTexts texts;
};

Result<JobEstimate> EstimateJobDuration(const QString& planPath, const EstimateInputs& inputs,
                                        const Clock& clock);

} // namespace zeb
