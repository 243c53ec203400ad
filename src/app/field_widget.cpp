#include "app/field_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace zeb::app {

namespace {

// The needle's mark: a ring with a cross through it, this far from its centre.
constexpr int NeedleReach = 8;
const QColor BorderColour(128, 128, 128);
const QColor NeedleColour(0, 255, 0);

QRect NeedleRect(QPoint needle) {
    return QRect(needle - QPoint(NeedleReach, NeedleReach),
                 QSize(2 * NeedleReach + 1, 2 * NeedleReach + 1));
}

} // namespace

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

void FieldWidget::SetOverlay(std::function<FieldOverlay()> overlay) {
    m_overlay = std::move(overlay);
    update();
}

void FieldWidget::NeedleMayHaveMoved() {
    if (!m_overlay)
        return;
    const QPoint needle = m_overlay().needle;
    if (needle == m_needleShown)
        return;
    update(NeedleRect(m_needleShown));
    update(NeedleRect(needle));
}

void FieldWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (m_image && !m_image->isNull())
        painter.drawImage(event->rect(), *m_image, event->rect());
    else
        painter.fillRect(event->rect(), Qt::black);
    if (m_overlay)
        PaintOverlay(painter, m_overlay());
}

void FieldWidget::PaintOverlay(QPainter& painter, const FieldOverlay& overlay) {
    painter.setPen(BorderColour);
    // On the field's outermost dots: at the smallest resolution the field fills the image.
    painter.drawRect(overlay.field.adjusted(0, 0, -1, -1));
    const QPoint n = overlay.needle;
    painter.setPen(NeedleColour);
    painter.drawLine(n.x() - NeedleReach, n.y(), n.x() + NeedleReach, n.y());
    painter.drawLine(n.x(), n.y() - NeedleReach, n.x(), n.y() + NeedleReach);
    painter.drawEllipse(n, NeedleReach / 2, NeedleReach / 2);
    m_needleShown = n;
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
