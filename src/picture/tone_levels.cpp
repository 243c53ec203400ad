#include "picture/tone_levels.h"
#include "text/text_catalogue.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace zeb {

bool ToneLevels::Neutral() const {
    return *this == ToneLevels{};
}

QString ToneLevelsProblem(const ToneLevels& levels) {
    if (levels.black < 0 || levels.black > 255 || levels.white < 0 || levels.white > 255)
        return TextCatalogue::BuiltIn(TextKey::ToneOutsideRange)
            .arg(levels.black)
            .arg(levels.white);
    if (levels.black >= levels.white)
        return TextCatalogue::BuiltIn(TextKey::ToneBlackNotBelowWhite)
            .arg(levels.black)
            .arg(levels.white);
    // Written so that a gamma that is no number fails too.
    if (!(levels.gamma >= MinToneGamma && levels.gamma <= MaxToneGamma))
        return TextCatalogue::BuiltIn(TextKey::ToneGammaOutside).arg(GammaText(levels.gamma));
    return {};
}

const ToneMap& IdentityToneMap() {
    static const ToneMap identity = [] {
        ToneMap map{};
        for (int v = 0; v < 256; ++v)
            map[static_cast<size_t>(v)] = static_cast<quint8>(v);
        return map;
    }();
    return identity;
}

int ToneStep(const ToneLevels& levels, int v) {
    if (levels.invert)
        v = 255 - v;
    const double span = levels.white - levels.black;
    const double x = std::clamp((v - levels.black) / span, 0.0, 1.0);
    // std::round takes halves away from zero. For sound values x ^ (1 / G) stays within 0..1;
    // the bounds only keep values nobody checked from giving an undefined conversion.
    const double y = 255.0 * std::pow(x, 1.0 / levels.gamma);
    return y >= 0.0 ? static_cast<int>(std::round(std::min(y, 255.0))) : 0;
}

ToneMap ToneMapOf(const ToneLevels& levels) {
    if (levels.Neutral())
        return IdentityToneMap();
    ToneMap map{};
    for (int v = 0; v < 256; ++v)
        map[static_cast<size_t>(v)] = static_cast<quint8>(ToneStep(levels, v));
    return map;
}

ToneSource ToneSourceFor(const ToneLevels& levels, const QImage& picture,
                         const QImage& invertedOverBlack) {
    if (!levels.invert || invertedOverBlack.isNull() || invertedOverBlack.size() != picture.size())
        return {&picture, ToneMapOf(levels)};
    ToneLevels rest = levels;
    rest.invert = false;
    return {&invertedOverBlack, ToneMapOf(rest)};
}

QImage InvertedOverBlack(const QImage& picture) {
    if (!picture.hasAlphaChannel())
        return QImage();
    const QImage straight = picture.convertToFormat(QImage::Format_ARGB32);
    QImage inverted(picture.size(), QImage::Format_Grayscale8);
    if (straight.isNull() || inverted.isNull())
        return QImage();
    for (int y = 0; y < straight.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        uchar* out = inverted.scanLine(y);
        for (int x = 0; x < straight.width(); ++x) {
            // Laid over black the way the picture itself is: Qt's premultiplication.
            const QRgb colour = qRgba(255 - qRed(in[x]), 0, 0, qAlpha(in[x]));
            out[x] = static_cast<uchar>(qRed(qPremultiply(colour)));
        }
    }
    return inverted;
}

QString ToneLevelsText(const ToneLevels& levels) {
    if (levels.Neutral())
        return {};
    QString text = TextCatalogue::BuiltIn(TextKey::ToneNote)
                       .arg(levels.black)
                       .arg(levels.white)
                       .arg(GammaText(levels.gamma));
    if (levels.invert)
        text += TextCatalogue::BuiltIn(TextKey::ToneNoteInverted);
    return text;
}

QString GammaText(double gamma) {
    return QString::number(gamma, 'g', QLocale::FloatingPointShortest);
}

} // namespace zeb
