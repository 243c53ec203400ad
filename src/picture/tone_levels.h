#pragma once
// The tone controls of the conversion: black point, white point, gamma and invert, applied to
// each pixel's red value before the tone curve, so that a photo suits the material (lifted
// shadows for dark stone, inverted for light materials). Neutral values leave the conversion
// exactly as it is without them.

#include <QImage>
#include <QString>
#include <QtGlobal>

#include <array>

namespace zeb {

struct ToneLevels {
    int black = 0;       // B, 0..254: this red value and darker become 0
    int white = 255;     // W, B + 1..255: this red value and lighter become 255
    double gamma = 1.0;  // G, 0.1..10: above 1 lifts the middle tones, below 1 darkens them
    bool invert = false; // first v := 255 - v, so dark parts of the picture are struck

    // B 0, W 255, G 1.0, no invert: the step is skipped.
    bool Neutral() const;
    bool operator==(const ToneLevels&) const = default;
};

inline constexpr double MinToneGamma = 0.1;
inline constexpr double MaxToneGamma = 10.0;

// Why `levels` cannot be applied (B or W outside 0..255, B >= W, G outside 0.1..10), in the
// operator's words; empty when they can.
QString ToneLevelsProblem(const ToneLevels& levels);

// Red value 0..255 -> the red value the conversion takes instead.
using ToneMap = std::array<quint8, 256>;

const ToneMap& IdentityToneMap();

// One red value under `levels` (which must be sound): v := 255 - v when inverted, then
// round(255 * clamp((v - B) / (W - B), 0, 1) ^ (1 / G)) in double precision, halves rounded
// away from zero.
int ToneStep(const ToneLevels& levels, int v);

// ToneStep for every red value; the identity for neutral values.
ToneMap ToneMapOf(const ToneLevels& levels);

// What the conversion reads for a picture under `levels`: the pixels whose red values it takes,
// and the map they go through. For a picture that had transparent parts and is to be inverted,
// the pixels are its inverted colour laid over black (`invertedOverBlack`), so a transparent
// ground stays black, unstruck, instead of turning white; the map then only does the rest.
struct ToneSource {
    const QImage* pixels = nullptr;
    ToneMap map{};
};
ToneSource ToneSourceFor(const ToneLevels& levels, const QImage& picture,
                         const QImage& invertedOverBlack);

// For a picture with an alpha channel: the red value of its colour inverted and then laid over
// black, as Format_Grayscale8 (a transparent pixel is 0, an opaque one 255 - red). A null
// picture for one without an alpha channel.
QImage InvertedOverBlack(const QImage& picture);

// The status line while the values are not neutral, so they never carry into the next photo
// unseen: "Тон: чёрная точка 20, белая точка 230, гамма 1.4, инверсия". Empty when neutral.
QString ToneLevelsText(const ToneLevels& levels);

// The gamma as the file and the command line write it: the shortest text that reads back as
// the same number ("1.4", "0.1", "2").
QString GammaText(double gamma);

} // namespace zeb
