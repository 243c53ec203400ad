#include "picture/field_overhang.h"

#include <QStringList>

#include <algorithm>
#include <limits>

namespace zeb {

namespace {

int ClampedIndex(int resolutionIndex) {
    return resolutionIndex >= 0 && resolutionIndex < ResolutionCount ? resolutionIndex : 0;
}

int ClampedDots(qint64 dots) {
    return static_cast<int>(std::clamp<qint64>(dots, 0, std::numeric_limits<int>::max()));
}

} // namespace

int TenthsOfCm(qint64 dots, int resolutionIndex, bool roundUp) {
    // dots x 0.025 cm x (16 + i) / 16 = dots x (16 + i) / 64 tenths, in whole numbers.
    const qint64 scaled = dots * (16 + ClampedIndex(resolutionIndex));
    const qint64 tenths = roundUp ? (scaled + 63) / 64 : (scaled + 32) / 64;
    return ClampedDots(tenths);
}

QString CmText(int tenths) {
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

FieldOverhang Overhang(QSize picture, QPoint offset, QSize field, int resolutionIndex) {
    // 64-bit sums: an offset near the int limits must not wrap into "fits".
    const qint64 left = -qint64(offset.x());
    const qint64 top = -qint64(offset.y());
    const qint64 right = qint64(offset.x()) + picture.width() - field.width();
    const qint64 bottom = qint64(offset.y()) + picture.height() - field.height();
    FieldOverhang o;
    o.dots = {ClampedDots(left), ClampedDots(top), ClampedDots(right), ClampedDots(bottom)};
    if (picture.isEmpty())
        o.dots = {};
    for (size_t side = 0; side < o.dots.size(); ++side)
        o.tenthsOfCm[side] = TenthsOfCm(o.dots[side], resolutionIndex, true);
    return o;
}

FieldOverhang OverhangAligned(const Placement& alignment, QSize picture, QSize field,
                              int resolutionIndex, std::optional<QPoint> pinned) {
    Placement placed = alignment;
    PlacePicture(placed, field, picture, pinned);
    return Overhang(picture, QPoint(placed.PictureOffsetX, placed.PictureOffsetY), field,
                    resolutionIndex);
}

QString PictureSizeText(const TextCatalogue& texts, QSize picture, int resolutionIndex) {
    return texts.Text(TextKey::FieldPictureSize)
        .arg(picture.width())
        .arg(picture.height())
        .arg(CmText(TenthsOfCm(picture.width(), resolutionIndex)),
             CmText(TenthsOfCm(picture.height(), resolutionIndex)));
}

QString OverhangSidesText(const TextCatalogue& texts, const FieldOverhang& overhang) {
    static constexpr TextKey sides[] = {TextKey::FieldSideLeft, TextKey::FieldSideTop,
                                        TextKey::FieldSideRight, TextKey::FieldSideBottom};
    QStringList parts;
    for (size_t side = 0; side < overhang.dots.size(); ++side) {
        if (overhang.dots[side] > 0)
            parts << texts.Text(sides[side]).arg(CmText(overhang.tenthsOfCm[side]));
    }
    return parts.join(QStringLiteral(", "));
}

QString FieldFitText(const TextCatalogue& texts, const FieldOverhang& overhang, QSize field,
                     int resolutionIndex) {
    const QString width = CmText(TenthsOfCm(field.width(), resolutionIndex));
    const QString height = CmText(TenthsOfCm(field.height(), resolutionIndex));
    if (overhang.Fits())
        return texts.Text(TextKey::FieldFits).arg(width, height);
    return texts.Text(TextKey::FieldOutside).arg(width, height, OverhangSidesText(texts, overhang));
}

QString OutsideFieldText(const TextCatalogue& texts, const FieldOverhang& overhang) {
    if (overhang.Fits())
        return {};
    QString text = texts.Text(TextKey::FieldJobOutside).arg(OverhangSidesText(texts, overhang));
    if (overhang.BelowZero())
        text += QLatin1Char(' ') + texts.Text(TextKey::FieldJobNoResume);
    return text;
}

} // namespace zeb
