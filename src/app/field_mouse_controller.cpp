#include "app/field_mouse_controller.h"

#include "app/field_widget.h"
#include "app/menu_form.h"
#include "job/job_runner.h"
#include "job/session.h"

#include <QRadioButton>
#include <QScrollArea>

#include <algorithm>
#include <utility>

namespace zeb::app {

namespace {

FieldButton ToFieldButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return FieldButton::Left;
    case Qt::RightButton:
        return FieldButton::Right;
    default:
        return FieldButton::Middle;
    }
}

} // namespace

FieldMouseController::FieldMouseController(TMenuForm& form) : QObject(&form), m_form(form) {
    m_changeBox = form.centralWidget()->findChild<QWidget*>("ChangeBox");
    FieldWidget* image1 = form.Image1();
    connect(image1, &FieldWidget::Pressed, this, &FieldMouseController::Image1MouseDown);
    connect(image1, &FieldWidget::Moved, this, &FieldMouseController::Image1MouseMove);
    connect(image1, &FieldWidget::Released, this, [this] { Image1MouseUp(); });
    connect(image1, &FieldWidget::DoubleClicked, this, [this] { Image1DblClick(); });
    ConnectChangeBox();
    form.Timers().OnTick(TimerId::Timer2, [this] { StopFollowUpTimers(m_form.State().Timers); });
}

void FieldMouseController::ConnectChangeBox() {
    const FieldMouseModes& modes = m_form.State().MouseModes;
    auto* marker = m_changeBox->findChild<QRadioButton*>("Marker");
    marker->setChecked(modes.DragMovesPicture);
    m_changeBox->findChild<QRadioButton*>("Igla")->setChecked(!modes.DragMovesPicture);
    connect(marker, &QRadioButton::toggled, this,
            [this](bool checked) { m_form.State().MouseModes.DragMovesPicture = checked; });
    const std::pair<const char*, NeedleCarry> needles[] = {
        {"AllUp", NeedleCarry::AllUp},
        {"UpMove", NeedleCarry::UpMove},
        {"AllDown", NeedleCarry::AllDown},
    };
    for (const auto& [name, carry] : needles) {
        auto* radio = m_changeBox->findChild<QRadioButton*>(name);
        radio->setChecked(modes.Needle == carry);
        connect(radio, &QRadioButton::toggled, this, [this, carry](bool checked) {
            if (checked)
                m_form.State().MouseModes.Needle = carry;
        });
    }
}

FieldMouseContext FieldMouseController::Context() {
    Session& s = m_form.State();
    return {s.Place,
            s.Drag,
            s.MouseModes,
            s.Job.Running,
            s.Config.ResolutionIndex,
            s.View,
            s.Picture.WorkPicture,
            s.Dev,
            s.Timers};
}

void FieldMouseController::Image1MouseDown(int x, int y, Qt::MouseButton button) {
    FieldMouseContext ctx = Context();
    Apply(zeb::PressOnField(ctx, x, y, ToFieldButton(button)));
}

void FieldMouseController::Image1MouseMove(int x, int y) {
    FieldMouseContext ctx = Context();
    Apply(zeb::DragOnField(ctx, x, y));
}

void FieldMouseController::Image1MouseUp() {
    FieldMouseContext ctx = Context();
    const FieldMouseResult result = zeb::ReleaseOnField(ctx);
    Apply(result);
    // The release places the picture: keep all of it in view.
    if (result.repaint)
        m_form.ScrollToPicture();
}

void FieldMouseController::Image1DblClick() {
    FieldMouseContext ctx = Context();
    Apply(zeb::DoubleClickOnField(ctx));
}

void FieldMouseController::Apply(const FieldMouseResult& result) {
    if (result.repaint)
        m_form.Image1()->ImageChanged();
    if (result.showChangeBoxAt) {
        // The core's point is in Image1's pixels; the panel lives beside the scroll box and
        // stays inside the part of the field in view, however far the handle is scrolled.
        QWidget* parent = m_changeBox->parentWidget();
        QWidget* viewport = m_form.ScrollBox1()->viewport();
        const QRect visible(viewport->mapTo(parent, QPoint(0, 0)), viewport->size());
        QPoint at = m_form.Image1()->mapTo(parent, *result.showChangeBoxAt);
        at.setX(std::clamp(at.x(), visible.left(),
                           std::max(visible.left(), visible.right() + 1 - m_changeBox->width())));
        at.setY(std::clamp(at.y(), visible.top(),
                           std::max(visible.top(), visible.bottom() + 1 - m_changeBox->height())));
        m_changeBox->move(at);
        m_changeBox->show();
        m_changeBox->raise();
    }
}

} // namespace zeb::app
