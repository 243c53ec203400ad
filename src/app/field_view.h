#pragma once
// Image1: the view of the work field. It shows a canvas image that the core draws (the black
// field, the picture at its place, the handle markers) and reports mouse actions in canvas
// pixels.

#include <QImage>
#include <QWidget>

namespace zeb::app {

class FieldView : public QWidget {
    Q_OBJECT
public:
    explicit FieldView(QWidget* parent = nullptr);

    // The canvas is as large as the control; resizing the control resizes the canvas.
    void SetControlSize(int width, int height);
    QImage& Canvas() { return m_canvas; }
    const QImage& Canvas() const { return m_canvas; }
    // Call after drawing into the canvas.
    void CanvasChanged() { update(); }

signals:
    void Pressed(int x, int y, Qt::MouseButton button);
    void Moved(int x, int y);
    void Released(int x, int y, Qt::MouseButton button);
    void DoubleClicked(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_canvas;
};

} // namespace zeb::app
