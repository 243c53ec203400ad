#pragma once
// "Установки" besides the strike forces: "Геометрия" with the position box GroupBox1,
// "Разогрев", "Перемещение иглы" and the hidden "Рабочее поле" with SizePanel.

#include "picture/placement.h"

#include <QObject>

class QRadioButton;
class QSpinBox;
class QWidget;

namespace zeb::app {

class TMenuForm;

class SetupController : public QObject {
    Q_OBJECT
public:
    explicit SetupController(TMenuForm& form);

private:
    void N4Click();
    void PositionButtonClick(int point);
    void Button16Click();
    void N6Click();
    void HeadMoveClick();
    void N7Click();
    void SpinEdit2Change(int value);
    void SpinEdit3Change(int value);
    // The field control at the new size, or a message when it does not fit in memory.
    void Resize(int width, int height);
    // The needle mode the position box's radio buttons choose.
    NeedleCarry PositionNeedle() const;
    // Puts `panel` 5 pixels in from the visible top-left corner of the field and shows it.
    void ShowOverField(QWidget* panel);

    TMenuForm& m_form;
    // Found once, among the window's own widgets: the dialogs have components of the same
    // names.
    QWidget* m_groupBox1 = nullptr;
    QWidget* m_sizePanel = nullptr;
    QSpinBox* m_spinEdit2 = nullptr;
    QSpinBox* m_spinEdit3 = nullptr;
    QRadioButton* m_upMove1 = nullptr;
    QRadioButton* m_allDown1 = nullptr;
};

} // namespace zeb::app
