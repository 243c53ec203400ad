#include "app/preview_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace zeb::app {

namespace {

// From a whole field on a small screen to single dots the size of a fingertip.
constexpr double MinScale = 1.0 / 64;
constexpr double MaxScale = 32.0;
// One wheel notch zooms by a quarter.
constexpr double NotchZoom = 1.25;
constexpr double NotchDelta = 120.0;
const QColor PathColour(0, 170, 255);
const QColor HeadColour(255, 60, 60);
constexpr double HeadRadius = 5.0;
// A fitted picture keeps its edge dots and the head's mark clear of the window's edge.
constexpr int FitMargin = 8;

} // namespace

QPolygonF PathPolygon(const std::vector<HeadPoint>& path) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(path.size()));
    for (const HeadPoint& point : path)
        polygon << QPointF(point.column + 0.5, point.row + 0.5);
    return polygon;
}

PreviewView::PreviewView(QWidget* parent) : QWidget(parent) {
    setObjectName("PreviewView");
    setMinimumSize(200, 200);
    setCursor(Qt::OpenHandCursor);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::darkGray);
    setPalette(palette);
    setAutoFillBackground(true);
}

void PreviewView::SetPicture(QImage picture, bool fit) {
    m_picture = std::move(picture);
    if (fit)
        FitToWindow();
    update();
}

void PreviewView::SetPath(const QPolygonF& path, qsizetype count) {
    m_path = path;
    m_pathCount = std::clamp<qsizetype>(count, 0, path.size());
    update();
}

void PreviewView::FitToWindow() {
    m_fitted = true;
    if (m_picture.isNull() || width() <= 0 || height() <= 0)
        return;
    const double room =
        std::min(static_cast<double>(width() - 2 * FitMargin) / m_picture.width(),
                 static_cast<double>(height() - 2 * FitMargin) / m_picture.height());
    m_scale = std::clamp(room, MinScale, MaxScale);
    m_origin = QPointF((width() - m_picture.width() * m_scale) / 2,
                       (height() - m_picture.height() * m_scale) / 2);
    update();
}

void PreviewView::ActualSize() {
    ZoomAt(1.0, QPointF(width() / 2.0, height() / 2.0));
}

void PreviewView::ZoomAt(double scale, QPointF anchor) {
    m_fitted = false;
    scale = std::clamp(scale, MinScale, MaxScale);
    const QPointF dot = (anchor - m_origin) / m_scale;
    m_scale = scale;
    m_origin = anchor - dot * m_scale;
    update();
}

void PreviewView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.translate(m_origin);
    painter.scale(m_scale, m_scale);
    // Every dot stays a sharp square, however far it is zoomed.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QPointF(0, 0), m_picture);
    if (m_pathCount > 1) {
        QPen pen(PathColour);
        pen.setCosmetic(true);
        pen.setWidth(1);
        painter.setPen(pen);
        painter.drawPolyline(m_path.constData(), static_cast<int>(m_pathCount));
    }
    if (m_pathCount > 0) {
        // Where the head stands at this point of the replay, the same size at every zoom.
        const QPointF head = painter.transform().map(m_path[m_pathCount - 1]);
        painter.resetTransform();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(HeadColour, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(head, HeadRadius, HeadRadius);
    }
}

void PreviewView::resizeEvent(QResizeEvent*) {
    if (m_fitted)
        FitToWindow();
}

void PreviewView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / NotchDelta;
    if (notches != 0)
        ZoomAt(m_scale * std::pow(NotchZoom, notches), event->position());
    event->accept();
}

void PreviewView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_dragFrom = event->position();
    setCursor(Qt::ClosedHandCursor);
}

void PreviewView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging)
        return;
    m_fitted = false;
    m_origin += event->position() - m_dragFrom;
    m_dragFrom = event->position();
    update();
}

void PreviewView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    setCursor(Qt::OpenHandCursor);
}

} // namespace zeb::app
