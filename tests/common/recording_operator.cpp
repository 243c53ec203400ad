#include "common/recording_operator.h"

namespace zeb::testing {

void RecordingOperator::ShowMessage(const QString& text) {
    messages << text;
    events << QStringLiteral("message: ") + text;
    if (onMessage)
        onMessage(text);
}

bool RecordingOperator::Confirm(const QString& text) {
    questions << text;
    events << QStringLiteral("confirm: ") + text;
    return confirmAnswer;
}

void RecordingOperator::LockUI() {
    locked = true;
    jobLocked = false;
    events << QStringLiteral("lock");
}

void RecordingOperator::UnlockUI() {
    locked = false;
    jobLocked = false;
    events << QStringLiteral("unlock");
}

void RecordingOperator::LockForJob() {
    jobLocked = true;
    events << QStringLiteral("lock-job");
}

void RecordingOperator::SetProgress(int position, int maximum) {
    progress = position;
    progressMax = maximum;
    progressTrail << position;
}

void RecordingOperator::ShowServiceValue(ServiceField field, const QString& text) {
    service[field] = text;
}

} // namespace zeb::testing
