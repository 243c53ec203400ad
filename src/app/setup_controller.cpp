#include "app/setup_controller.h"

#include "app/field_widget.h"
#include "app/menu_form.h"
#include "job/session.h"
#include "picture/field_mouse.h"
#include "setup/machine_setup.h"
#include "setup/warm_up.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>

namespace zeb::app {

namespace {
constexpr int PanelInset = 5;
}

SetupController::SetupController(TMenuForm& form) : QObject(&form), m_form(form) {
    QWidget* window = form.centralWidget();
    m_groupBox1 = window->findChild<QWidget*>("GroupBox1");
    m_sizePanel = window->findChild<QWidget*>("SizePanel");
    m_spinEdit2 = window->findChild<QSpinBox*>("SpinEdit2");
    m_spinEdit3 = window->findChild<QSpinBox*>("SpinEdit3");
    m_upMove1 = window->findChild<QRadioButton*>("UpMove1");
    m_allDown1 = window->findChild<QRadioButton*>("AllDown1");

    connect(form.Item("N4"), &QAction::triggered, this, &SetupController::N4Click);
    for (int point = 1; point <= PositionPointCount; ++point) {
        auto* button =
            m_groupBox1->findChild<QPushButton*>(QStringLiteral("Button%1").arg(6 + point));
        connect(button, &QPushButton::clicked, this, [this, point] { PositionButtonClick(point); });
    }
    connect(m_groupBox1->findChild<QPushButton*>("Button16"), &QPushButton::clicked, this,
            &SetupController::Button16Click);
    connect(form.Item("N6"), &QAction::triggered, this, &SetupController::N6Click);
    connect(form.Item("HeadMove"), &QAction::triggered, this, &SetupController::HeadMoveClick);
    connect(form.Item("N7"), &QAction::triggered, this, &SetupController::N7Click);
    connect(m_spinEdit2, &QSpinBox::valueChanged, this, &SetupController::SpinEdit2Change);
    connect(m_spinEdit3, &QSpinBox::valueChanged, this, &SetupController::SpinEdit3Change);
    connect(m_sizePanel->findChild<QPushButton*>("Button18"), &QPushButton::clicked, m_sizePanel,
            &QWidget::hide);
}

void SetupController::N4Click() {
    m_form.LockForJob();
    ShowOverField(m_groupBox1);
}

void SetupController::PositionButtonClick(int point) {
    Session& s = m_form.State();
    PositionTool(s.Dev, s.Place, s.Config.ResolutionIndex, PositionNeedle(), point);
}

void SetupController::Button16Click() {
    m_form.UnlockUI();
    // A link lost while the box was open leaves the menus as a lost link has them: only a
    // greeting brings the device menus back.
    if (!m_form.State().Link.DeviceReady)
        m_form.LockUI();
    m_groupBox1->hide();
}

void SetupController::N6Click() {
    Session& s = m_form.State();
    WarmUp(s.Dev, s.Texts.Status(8));
}

void SetupController::HeadMoveClick() {
    Session& s = m_form.State();
    zeb::ToggleHeadMove(s.MouseModes, s.Job.Running);
    // The item toggles its own mark; the model decides whether the mode is on.
    m_form.Item("HeadMove")->setChecked(s.MouseModes.HeadMove);
}

void SetupController::N7Click() {
    const QImage& image1 = m_form.State().View.Image1;
    {
        // Showing the present size is no change of it.
        const QSignalBlocker blockWidth(m_spinEdit2);
        const QSignalBlocker blockHeight(m_spinEdit3);
        m_spinEdit2->setValue(image1.width());
        m_spinEdit3->setValue(image1.height());
    }
    ShowOverField(m_sizePanel);
}

void SetupController::SpinEdit2Change(int value) {
    Resize(SizePanelWidth(value), m_form.State().View.Image1.height());
}

void SetupController::SpinEdit3Change(int value) {
    Resize(m_form.State().View.Image1.width(), value);
}

void SetupController::Resize(int width, int height) {
    if (ResizeFieldView(m_form.State().View, width, height))
        m_form.Image1()->ImageChanged();
    else
        m_form.ShowMessage(
            m_form.State().Texts.Text(TextKey::FieldViewTooLarge).arg(width).arg(height));
}

NeedleCarry SetupController::PositionNeedle() const {
    if (m_allDown1->isChecked())
        return NeedleCarry::AllDown;
    if (m_upMove1->isChecked())
        return NeedleCarry::UpMove;
    return NeedleCarry::AllUp;
}

void SetupController::ShowOverField(QWidget* panel) {
    QWidget* viewport = m_form.ScrollBox1()->viewport();
    panel->move(viewport->mapTo(panel->parentWidget(), QPoint(PanelInset, PanelInset)));
    panel->show();
    panel->raise();
}

} // namespace zeb::app
