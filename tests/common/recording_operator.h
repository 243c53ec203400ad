#pragma once
// The operator of the tests: records everything the core shows and answers every modal
// message with OK.

#include "link/operator.h"

#include <QMap>
#include <QStringList>

namespace zeb::testing {

class RecordingOperator : public Operator {
public:
    void ShowMessage(const QString& text) override;
    // Recorded as "confirm: ..." and answered by `confirmAnswer`.
    bool Confirm(const QString& text) override;
    void Beep() override { ++beeps; }
    void SetCursor(CursorShape shape) override { cursor = shape; }
    void LockUI() override;
    void UnlockUI() override;
    void LockForJob() override;
    void ShowStatus(const QString& text) override { statuses << text; }
    void ShowWaiting(const QString& text) override { waits << text; }
    void SetProgress(int position, int /*maximum*/) override {
        progress = position;
        progressTrail << position;
    }
    void ShowServiceValue(ServiceField field, const QString& text) override {
        service[field] = text;
    }

    // Everything, in the order it happened: "message: ...", "lock", "unlock", "lock-job".
    QStringList events;
    QStringList messages;
    QStringList statuses;
    QStringList waits;
    int beeps = 0;
    CursorShape cursor = CursorShape::Normal;
    bool locked = false;    // LockUI was the last menu action
    bool jobLocked = false; // LockForJob was the last menu action
    int progress = 0;
    QList<int> progressTrail; // every position set, in order
    QMap<ServiceField, QString> service;
    QStringList questions;
    bool confirmAnswer = false;
};

} // namespace zeb::testing
