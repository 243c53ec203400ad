#include "app/field_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace zeb::app {

FieldWidget::FieldWidget(QWidget* parent) : QWidget(parent) {
    setObjectName("Image1");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(1, 1);
}

void FieldWidget::Show(const QImage* image) {
    m_image = image;
    ImageChanged();
}

void FieldWidget::ImageChanged() {
    const QSize size = m_image ? m_image->size() : QSize();
    setFixedSize(std::max(size.width(), 1), std::max(size.height(), 1));
    update();
}

void FieldWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (m_image && !m_image->isNull())
        painter.drawImage(event->rect(), *m_image, event->rect());
    else
        painter.fillRect(event->rect(), Qt::black);
}

void FieldWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit Pressed(p.x(), p.y(), event->button());
}

void FieldWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit Moved(p.x(), p.y());
}

void FieldWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit Released(p.x(), p.y(), event->button());
}

void FieldWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit DoubleClicked(p.x(), p.y());
}

} // namespace zeb::app
