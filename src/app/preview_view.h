#pragma once
// The picture of a job's preview on screen: the struck dots, one pixel per field dot, with the
// head's path drawn over them as thin lines. The operator zooms it to fit the window, to one
// screen pixel per dot, or with the wheel around the pointer, and pans it by dragging.

#include "job/plan_preview.h"

#include <QImage>
#include <QPointF>
#include <QWidget>

#include <utility>

#include <QPolygonF>

namespace zeb::app {

// The head's positions as the centres of their dots, for SetPath.
QPolygonF PathPolygon(const std::vector<HeadPoint>& path);

class PreviewView : public QWidget {
    Q_OBJECT
public:
    explicit PreviewView(QWidget* parent = nullptr);

    // The picture to show, Format_Grayscale8 as PreviewPicture makes it; the view keeps its
    // zoom and place unless `fit` asks for the whole picture in the window.
    void SetPicture(QImage picture, bool fit);
    // Hands the picture back, so that it can be drawn on without a copy; SetPicture it again.
    QImage TakePicture() { return std::move(m_picture); }
    // The head's path as dot centres in field coordinates (PathPolygon); the view draws
    // straight thin lines through its first `count` points.
    void SetPath(const QPolygonF& path, qsizetype count);

    const QImage& Picture() const { return m_picture; }
    // Screen pixels per dot.
    double Scale() const { return m_scale; }
    // Where the picture's top-left dot lies in the view.
    QPointF Origin() const { return m_origin; }

    void FitToWindow();
    void ActualSize();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Zooms to `scale` (kept within the view's limits) so that the dot under `anchor` stays.
    void ZoomAt(double scale, QPointF anchor);

    QImage m_picture;
    QPolygonF m_path;
    qsizetype m_pathCount = 0;
    double m_scale = 1.0;
    QPointF m_origin;
    QPointF m_dragFrom;
    bool m_dragging = false;
    bool m_fitted = true; // follows the window's size until the operator zooms or pans
};

} // namespace zeb::app
