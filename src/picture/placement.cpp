#include "picture/placement.h"

#include <QPainter>

#include <algorithm>

namespace zeb {

namespace {

// Inverting pen in blue: each pixel becomes NOT(blue XOR pixel), i.e. red and green flip.
constexpr QRgb InvertMask = 0x00FFFF00u;

void InvertPixel(QImage& image, int x, int y) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return;
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    line[x] ^= InvertMask;
}

// An axis-parallel line from (x0, y0) towards (x1, y1), the end point itself not drawn, as the
// window's line drawing does.
void InvertLine(QImage& image, int x0, int y0, int x1, int y1) {
    const int dx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0;
    const int dy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
    for (int x = x0, y = y0; x != x1 || y != y1; x += dx, y += dy)
        InvertPixel(image, x, y);
}

void InvertMarker(QImage& image, int px, int py) {
    InvertLine(image, px, py, px, py + 20);
    InvertLine(image, px, py + 20, px + 20, py + 20);
    InvertLine(image, px + 20, py + 20, px + 20, py);
    InvertLine(image, px + 20, py, px, py);
    InvertLine(image, px + 10, py + 2, px + 10, py + 18);
    InvertLine(image, px + 2, py + 10, px + 18, py + 10);
}

} // namespace

void CreateWorkField(FieldView& view, int fieldWidth, int fieldHeight) {
    view.FieldBitmap =
        QImage(std::max(0, fieldWidth), std::max(0, fieldHeight), QImage::Format_RGB32);
    view.FieldBitmap.fill(Qt::black);
    SetImage1Size(view, fieldWidth + 10, fieldHeight + 10);
    QPainter painter(&view.Image1);
    painter.drawImage(0, 0, view.FieldBitmap);
}

void SetImage1Size(FieldView& view, int width, int height) {
    view.Image1 = QImage(std::max(0, width), std::max(0, height), QImage::Format_RGB32);
    view.Image1.fill(Qt::black);
}

QSize FieldSize(QSize image1, int resolutionIndex) {
    const int i = resolutionIndex >= 0 && resolutionIndex < ResolutionCount ? resolutionIndex : 0;
    const auto scaled = [i](int size) {
        return static_cast<int>(static_cast<qint64>(size) * 16 / (16 + i));
    };
    return QSize(scaled(image1.width()), scaled(image1.height()));
}

void PlacePicture(Placement& p, QSize field, QSize picture, std::optional<QPoint> pinned) {
    const int w = picture.width();
    const int h = picture.height();
    int x = 0;
    int y = 0;
    switch (p.Horizontal) {
    case HorizontalAlignment::Left:
        x = 0;
        break;
    case HorizontalAlignment::Center:
        x = field.width() / 2 - w / 2;
        break;
    case HorizontalAlignment::Right:
        x = field.width() - w;
        break;
    }
    switch (p.Vertical) {
    case VerticalAlignment::Top:
        y = 0;
        break;
    case VerticalAlignment::Center:
        y = field.height() / 2 - h / 2;
        break;
    case VerticalAlignment::Bottom:
        y = field.height() - h;
        break;
    }
    if (pinned) {
        x = pinned->x();
        y = pinned->y();
    }
    p.PictureOffsetX = x;
    p.PictureOffsetY = y;
    p.PictureWidth = w;
    p.PictureHeight = h;
}

void RecomputeHandles(Placement& p) {
    RecomputeHandles(p, QPoint(p.PictureOffsetX, p.PictureOffsetY));
}

void RecomputeHandles(Placement& p, QPoint topLeft) {
    const std::array<int, 3> xs = {0, p.PictureWidth / 2, p.PictureWidth};
    const std::array<int, 3> ys = {0, p.PictureHeight / 2, p.PictureHeight};
    for (int k = 0; k < 9; ++k)
        p.HandlePoints[k] = topLeft + QPoint(xs[k % 3], ys[k / 3]);
}

int HitTest(const Placement& p, int x, int y) {
    for (int k = 0; k < 9; ++k) {
        const QPoint& h = p.HandlePoints[k];
        if (h.x() - 10 < x && x < h.x() + 10 && h.y() - 10 < y && y < h.y() + 10)
            return k + 1;
    }
    return 0;
}

void DrawHandleMarkers(QImage& image1, const Placement& p) {
    for (int k = 0; k < 9; ++k) {
        const QPoint& h = p.HandlePoints[k];
        InvertMarker(image1, h.x() - (k == 0 ? 10 : 11), h.y() - 10);
    }
}

void RedrawWorkField(FieldView& view, Placement& p, const QImage& workPicture, int resolutionIndex,
                     std::optional<QPoint> pinned) {
    PlacePicture(p, FieldSize(view.Image1.size(), resolutionIndex), workPicture.size(), pinned);
    DrawWorkField(view, p, workPicture);
}

void DrawWorkField(FieldView& view, Placement& p, const QImage& workPicture) {
    view.Image1.fill(Qt::black);
    RecomputeHandles(p);
    if (!workPicture.isNull() && !view.Image1.isNull()) {
        QPainter painter(&view.Image1);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(p.PictureOffsetX, p.PictureOffsetY, workPicture);
    }
    DrawHandleMarkers(view.Image1, p);
}

} // namespace zeb
