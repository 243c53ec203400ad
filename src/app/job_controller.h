#pragma once
// The engraving job in the window: "Гравировка" with its panels, "Работа", the job timer's
// ticks with the red progress marks, STOP with the interrupted-job panel, continue and end,
// the fault dialog on a lost link, and the unfinished-job dialog with its warm-up and its
// "ignore".

#include <QObject>

class QWidget;

namespace zeb {
struct JobEstimate;
}

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
    // Places a floating panel of the picture area at (x, y) of the visible part of the field.
    void PlaceOverField(QWidget* panel, int x, int y);

    TMenuForm& m_form;
    // STOP came while a line was being struck.
    bool m_pauseAfterLine = false;
};

} // namespace zeb::app
