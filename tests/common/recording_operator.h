#pragma once
// The operator of the tests: records everything the core shows and answers every modal
// message with OK. A test can act at the moment a message appears through onMessage.

#include "link/operator.h"

#include <QMap>
#include <QStringList>

#include <functional>

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
    void SetProgress(int position, int maximum) override;
    void ShowServiceValue(ServiceField field, const QString& text) override;

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
    int progressMax = 0;
    QList<int> progressTrail; // every position set, in order
    QMap<ServiceField, QString> service;
    std::function<void(const QString&)> onMessage;
    QStringList questions;
    bool confirmAnswer = false;
};

} // namespace zeb::testing
