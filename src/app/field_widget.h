#pragma once
// Image1: the view of the work field. It shows the image the core draws (the black field, the
// picture at its place, the handle markers) and reports mouse actions in image pixels.

#include <QImage>
#include <QWidget>

namespace zeb::app {

class FieldWidget : public QWidget {
    Q_OBJECT
public:
    explicit FieldWidget(QWidget* parent = nullptr);

    // The image to show; it must outlive the widget. The control takes the image's size.
    void Show(const QImage* image);
    // Call after the core drew into the image or resized it.
    void ImageChanged();

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
    const QImage* m_image = nullptr;
};

} // namespace zeb::app
