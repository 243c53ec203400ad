#pragma once
// What the unfinished-job dialog tells of the job it offers, read from the job's own files
// without a word to the machine: the recovery file (picture, pass, forces), the progress
// record (the plan line sent last, and when) and the plan of the pass that ran (its length).

#include "link/link_state.h"
#include "link/outcome.h"
#include "text/text_catalogue.h"

#include <QDateTime>
#include <QString>

namespace zeb {

struct UnfinishedJobSummary {
    QString picturePath;
    int pass = 1;      // 1 or 2
    int linesDone = 0; // the plan line sent last; 0 without a progress record
    // The pass's plan lines; negative when the plan cannot be read, planProblem says why.
    int linesAll = -1;
    QString planProblem;
    StrikeLevelSet forces; // the pass's
    // The last write of the progress record (before each strike line), else of the recovery
    // file: the latest moment the job is known to have run.
    QDateTime lastRun;
};

// Refused with the recovery file's message when it cannot be read; a progress record that
// cannot be read counts as none (the recovery itself will name it).
Result<UnfinishedJobSummary> DescribeUnfinishedJob(const TextCatalogue& texts,
                                                   const QString& startDirectory);

// The summary as lines for the operator, or the refusal's message.
QString UnfinishedJobText(const TextCatalogue& texts, const Result<UnfinishedJobSummary>& job);

} // namespace zeb
