#pragma once
// Image1: the view of the work field. It shows the image the core draws (the black field, the
// picture at its place, the handle markers) and reports mouse actions in image pixels.

#include <QImage>
#include <QWidget>

#include <functional>

namespace zeb::app {

// What the view draws over the image at paint time, in image pixels: the work field's border
// and the needle's last known position. Never drawn into the image, which is what the job
// plans and "Сохранить" saves.
struct FieldOverlay {
    QRect field;
    QPoint needle;
};

class FieldWidget : public QWidget {
    Q_OBJECT
public:
    explicit FieldWidget(QWidget* parent = nullptr);

    // The image to show; it must outlive the widget. The control takes the image's size.
    void Show(const QImage* image);
    // Call after the core drew into the image or resized it.
    void ImageChanged();
    // Where the overlay comes from; asked at every paint.
    void SetOverlay(std::function<FieldOverlay()> overlay);
    // Call when the needle may have moved: repaints where its mark was and where it is.
    void NeedleMayHaveMoved();

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
    void PaintOverlay(QPainter& painter, const FieldOverlay& overlay);

    const QImage* m_image = nullptr;
    std::function<FieldOverlay()> m_overlay;
    QPoint m_needleShown; // where the needle's mark was painted last
};

} // namespace zeb::app
