#pragma once
// The operator of zeb-cli's job commands: messages go to standard error at once (nobody
// waits for a modal answer), and on a terminal one line shows the job's progress.

#include "link/operator.h"

#include <QString>
#include <QtGlobal>

namespace zeb::cli {

struct JobProgress {
    qint64 bytesRead = 0;  // plan bytes read, both passes
    qint64 bytesTotal = 0; // plan bytes of the whole job
    qint64 strikeLines = 0;
    qint64 dots = 0;
    qint64 elapsedMs = 0;
    int pass = 1;
};

// "[#####.....]  47%  pass 1  lines 120  dots 3456  left 00:01:23": the time left is the
// time so far stretched over the share of the plan still to go.
QString ProgressLine(const JobProgress& progress, int barWidth);

class TerminalOperator final : public Operator {
public:
    // The progress line is drawn only when standard error is a terminal.
    TerminalOperator();

    void ShowMessage(const QString& text) override;
    // Nobody answers at a terminal: the question is shown and taken as "Нет".
    bool Confirm(const QString& text) override;
    void Beep() override {}
    void SetCursor(CursorShape) override {}
    void LockUI() override {}
    void UnlockUI() override {}
    void LockForJob() override {}
    void ShowStatus(const QString& text) override;
    // Printed like a message, on a terminal or not: a script's log shows why it paused.
    void ShowWaiting(const QString& text) override { ShowMessage(text); }
    void SetProgress(int, int) override {}
    void ShowServiceValue(ServiceField, const QString&) override {}

    // Redraws the progress line (at most every 100 ms unless `force`).
    void ShowProgress(const JobProgress& progress, bool force);
    // Ends the progress (or status) line, so what follows starts on a line of its own.
    void FinishProgress();

private:
    void ClearLine();

    bool m_tty = false;
    bool m_lineShown = false;
    qint64 m_lastDrawMs = -1;
    QString m_lastStatus;
};

} // namespace zeb::cli
