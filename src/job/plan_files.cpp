// BuildPlan as a job start runs it: the dump, then the plan file, in the start directory.
#include "job/plan_builder.h"
#include "job/plan_dump.h"
#include "job/plan_format.h"
#include "setup/durable_file.h"
#include "text/text_catalogue.h"

#include <QDir>

namespace zeb {

Outcome WritePlanFile(const QByteArray& text, const QString& path) {
    const QString error = WriteFileDurably(path, text);
    if (error.isEmpty())
        return Outcome::Done();
    return Outcome::Failed(TextCatalogue::BuiltIn(TextKey::PlanFileNotWritten)
                               .arg(QDir::toNativeSeparators(path), error));
}

Result<PlanFiles> BuildPlan(PictureMatrices& matrices, const QString& startDirectory, PassMode pass,
                            Operator& op) {
    if (Outcome input = CheckPlanInput(matrices); !input)
        return input;
    const QDir dir(startDirectory);
    const Result<qint64> dump = WriteDotMapDump(matrices, dir.filePath(DotMapDumpFileName));
    if (!dump)
        return dump.AsOutcome();

    const Result<PlanText> plan = BuildPlanText(matrices, pass, &op);
    if (!plan)
        return plan.AsOutcome();
    // Recovery and the second pass rely on this file: it is replaced only when the new plan
    // is completely on disk.
    if (Outcome written = WritePlanFile(plan->text, dir.filePath(PlanFileName)); !written)
        return written;
    MarkStruckDots(matrices, *plan);
    return PlanFiles{plan->text.size(), *dump, plan->areas};
}

} // namespace zeb
