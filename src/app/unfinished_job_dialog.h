#pragma once
// TForm1: an earlier job did not finish. It says which job that is (from the job's files,
// read each time it is shown), and the operator chooses to finish it (with a number of
// warm-up rounds) or, once confirmed, to drop it.

#include "link/operator.h"
#include "text/text_catalogue.h"

#include <QDialog>

class QLabel;
class QRadioButton;
class QSpinBox;

namespace zeb::app {

class TForm1 : public QDialog {
    Q_OBJECT
public:
    // The job's files are in `startDirectory`; `op` asks before the job is dropped. Both
    // outlive the dialog.
    TForm1(const TextCatalogue& texts, const QString& startDirectory, Operator& op,
           QWidget* parent = nullptr);

    int WarmUpRounds() const; // SpinEdit4, 0..5

signals:
    // "Ok" with "Завершить незавершенный проект." checked.
    void FinishChosen();
    // "Ok" with the ignore choice checked, and the drop confirmed; on "Нет" the dialog stays.
    void IgnoreChosen();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Button1Click();

    const TextCatalogue& m_texts;
    QString m_startDirectory;
    Operator& m_op;
    QLabel* m_job = nullptr;

    QRadioButton* m_ok = nullptr;
    QRadioButton* m_ignore = nullptr;
    QSpinBox* m_warmUp = nullptr;
};

} // namespace zeb::app
