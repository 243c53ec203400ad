#include "picture/tone_preview.h"

#include "picture/halftone.h"
#include "picture/picture_file.h"

namespace zeb {

namespace {

QImage Reduced(const QImage& picture, QSize bound) {
    if (picture.isNull() || bound.isEmpty() ||
        (picture.width() <= bound.width() && picture.height() <= bound.height()))
        return picture;
    return picture.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

TonePreview::TonePreview(const PictureState& picture, QSize bound)
    : m_picture(Reduced(picture.WorkPicture, bound)) {
    // Smooth scaling may hand back another format; the conversion reads only these two.
    QImage inverted;
    NormalizePictureFormat(m_picture, m_picture.hasAlphaChannel() ? &inverted : nullptr);
    if (!picture.InvertedOverBlack.isNull())
        inverted = Reduced(picture.InvertedOverBlack, bound);
    if (!inverted.isNull() && inverted.size() == m_picture.size())
        m_inverted = inverted.convertToFormat(QImage::Format_Grayscale8);
    AllocatePictureMatrices(m_matrices, m_picture.width(), m_picture.height(), nullptr);
}

QImage TonePreview::DotPicture(const ToneLevels& levels, ConversionMode mode,
                               const ToneTables& tables) {
    QImage dots(m_picture.size(), QImage::Format_Grayscale8);
    if (m_picture.isNull() || dots.isNull())
        return dots;
    // What the previous change left in the margins must not leak into this one.
    m_matrices.DotLevels.Fill(0.0);
    ToneTables own = tables;
    const ToneSource tone = ToneSourceFor(levels, m_picture, m_inverted);
    FillPictureMatrices(m_matrices, *tone.pixels, own, mode, nullptr, tone.map);
    DiffusionPass(m_matrices, own, mode, nullptr);
    ClearPassMargins(m_matrices, mode);
    ReadBackDots(m_matrices, dots, mode, nullptr);
    return dots;
}

} // namespace zeb
