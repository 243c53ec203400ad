#pragma once
// TForm1: an earlier job did not finish. The operator chooses to finish it (with a number of
// warm-up rounds) or to drop it.

#include "text/text_catalogue.h"

#include <QDialog>

class QRadioButton;
class QSpinBox;

namespace zeb::app {

class TForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TForm1(const TextCatalogue& texts, QWidget* parent = nullptr);

    int WarmUpRounds() const; // SpinEdit4, 0..5

signals:
    // "Ok" with "Завершить незавершенный проект." checked.
    void FinishChosen();
    // "Ok" with the ignore choice checked.
    void IgnoreChosen();

private:
    void Button1Click();

    QRadioButton* m_ok = nullptr;
    QRadioButton* m_ignore = nullptr;
    QSpinBox* m_warmUp = nullptr;
};

} // namespace zeb::app
