#include "common/recording_operator.h"

namespace zeb::testing {

void RecordingOperator::ShowMessage(const QString& text) {
    messages << text;
    events << QStringLiteral("message: ") + text;
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

} // namespace zeb::testing
