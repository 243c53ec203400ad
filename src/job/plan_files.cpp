// BuildPlan as a job start runs it: the dump, then the plan file, in the start directory.
#include "job/plan_builder.h"
#include "job/plan_dump.h"
#include "job/plan_format.h"
#include "setup/durable_file.h"

#include <QDir>

namespace zeb {

QString WritePlanFile(const QByteArray& text, const QString& path) {
    const QString error = WriteFileDurably(path, text);
    if (error.isEmpty())
        return {};
    return QStringLiteral("Не удаётся записать файл плана %1: %2")
        .arg(QDir::toNativeSeparators(path), error);
}

PlanOutcome BuildPlan(PictureMatrices& matrices, const QString& startDirectory, PassMode pass,
                      Operator& op) {
    PlanOutcome outcome;
    outcome.error = PlanInputProblem(matrices);
    if (!outcome.Ok())
        return outcome;
    const QDir dir(startDirectory);
    outcome.error = WriteDotMapDump(matrices, dir.filePath(DotMapDumpFileName), &outcome.dumpBytes);
    if (!outcome.Ok())
        return outcome;

    PlanText plan = BuildPlanText(matrices, pass, &op);
    outcome.areas = plan.areas;
    if (!plan.error.isEmpty()) {
        outcome.error = plan.error;
        return outcome;
    }
    // Recovery and the second pass rely on this file: it is replaced only when the new plan
    // is completely on disk.
    outcome.error = WritePlanFile(plan.text, dir.filePath(PlanFileName));
    if (!outcome.Ok())
        return outcome;
    MarkStruckDots(matrices, plan);
    outcome.planBytes = plan.text.size();
    return outcome;
}

} // namespace zeb
