#include "job/unfinished_job_summary.h"

#include "job/plan_format.h"
#include "job/plan_reader.h"
#include "job/progress_record.h"
#include "job/recovery_file.h"

#include <QDir>
#include <QFileInfo>

namespace zeb {

Result<UnfinishedJobSummary> DescribeUnfinishedJob(const TextCatalogue& texts,
                                                   const QString& startDirectory) {
    const Result<RecoveryRecord> record = ReadRecoveryFile(texts, startDirectory);
    if (!record)
        return record.AsOutcome();
    UnfinishedJobSummary job;
    job.picturePath = record->picturePath;
    job.pass = record->secondPassStarted ? 2 : 1;
    job.forces = job.pass == 2 ? record->secondPass : record->firstPass;
    QString lastWritten = RecoveryFilePath(startDirectory);
    const Result<std::optional<ProgressRecord>> progress =
        ReadProgressRecord(texts, startDirectory);
    if (progress && progress->has_value() && (*progress)->pass == job.pass) {
        job.linesDone = (*progress)->line;
        lastWritten = ProgressFilePath(startDirectory);
    }
    job.lastRun = QFileInfo(lastWritten).lastModified();
    const QString plan =
        QDir(startDirectory).filePath(job.pass == 2 ? SecondPassPlanFileName : PlanFileName);
    const Result<std::vector<PlanLine>> lines = ReadPlan(plan, texts);
    if (lines)
        job.linesAll = static_cast<int>(lines->size());
    else
        job.planProblem = lines.Message();
    return job;
}

QString UnfinishedJobText(const TextCatalogue& texts, const Result<UnfinishedJobSummary>& job) {
    if (!job)
        return job.Message();
    const StrikeLevelSet& f = job->forces;
    const QString lines = job->linesAll < 0 ? texts.Text(TextKey::UnfinishedJobLinesUnknown)
                                                  .arg(job->pass)
                                                  .arg(job->linesDone)
                                                  .arg(job->planProblem)
                                            : texts.Text(TextKey::UnfinishedJobLines)
                                                  .arg(job->pass)
                                                  .arg(job->linesDone)
                                                  .arg(job->linesAll);
    return QStringList{
        texts.Text(TextKey::UnfinishedJobPicture).arg(QDir::toNativeSeparators(job->picturePath)),
        lines,
        texts.Text(TextKey::UnfinishedJobForces).arg(f[4]).arg(f[3]).arg(f[2]).arg(f[1]),
        texts.Text(TextKey::UnfinishedJobLastRun)
            .arg(job->lastRun.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"))),
    }
        .join(QLatin1Char('\n'));
}

} // namespace zeb
