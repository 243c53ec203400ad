#pragma once
// The engraving job in the window: "Гравировка" with its panels, "Работа", the job timer's
// ticks with the red progress marks, STOP with the interrupted-job panel, continue and end,
// the fault dialog on a lost link, and the unfinished-job dialog with its warm-up and its
// "ignore".

#include "job/live_estimate.h"

#include <QObject>

class QWidget;

namespace zeb::app {

class TMenuForm;

class JobController : public QObject {
    Q_OBJECT
public:
    explicit JobController(TMenuForm& form);

private:
    void Print1Click();
    void Button17Click();
    void STOPClick();
    void Button27Click();
    void Button28Click();
    void OptimizingTick();
    void DialogsCreated();
    void ShowEstimate(const JobEstimate& estimate);
    // The job began (started or resumed): its pass in the status line, its progress counted.
    void BeginProgress();
    // The gauge after each line; the rest and the completion time when estimated anew.
    void ShowProgress(bool texts);
    // How the job ended, and after how long, in the status line.
    void ShowEnd(TextKey outcome);
    // Places a floating panel of the picture area at (x, y) of the visible part of the field.
    void PlaceOverField(QWidget* panel, int x, int y);

    TMenuForm& m_form;
    // STOP came while a line was being struck.
    bool m_pauseAfterLine = false;
    JobProgress m_progress;
};

} // namespace zeb::app
