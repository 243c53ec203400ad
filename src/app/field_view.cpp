#include "app/field_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace zeb::app {

FieldView::FieldView(QWidget* parent) : QWidget(parent) {
    setObjectName("Image1");
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetControlSize(10, 10);
}

void FieldView::SetControlSize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    m_canvas = canvas;
    setFixedSize(width, height);
    update();
}

void FieldView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), m_canvas, event->rect());
}

void FieldView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit Pressed(p.x(), p.y(), event->button());
}

void FieldView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit Moved(p.x(), p.y());
}

void FieldView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit Released(p.x(), p.y(), event->button());
}

void FieldView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit DoubleClicked(p.x(), p.y());
}

} // namespace zeb::app
