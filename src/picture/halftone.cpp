#include "picture/halftone.h"

#include <algorithm>
#include <array>

namespace zeb {

namespace {

void Progress(Operator* op, int position, int maximum) {
    if (op)
        op->SetProgress(position, maximum);
}

// One error share, e x w / 16, added to a cell: the difference and the share are carried in
// extended precision and only the sum is rounded to the matrix's 64-bit float.
inline void Spill(double& cell, long double e, int weight) {
    cell = static_cast<double>(static_cast<long double>(cell) + e * weight / 16);
}

struct DiffusionDecision {
    quint8 operator()(double d, qint32) const { return d >= 126 ? ToneFull : ToneNone; }
};

// An engraved dot needs trunc(d) > g div 2; for a whole number k >= 0 that is d >= k + 1.
struct CombinedDecision {
    ToneTables& tables;
    quint8 operator()(double d, qint32 g) const {
        if (g < 1 || g > 255 || d < g / 2 + 1)
            return ToneNone;
        return NextStrikeTone(tables, g);
    }
};

template <class Decide>
void Pass(PictureMatrices& m, Decide decide, Operator* op) {
    const int w = m.W;
    const int h = m.H;
    for (int r = 1; r <= h; ++r) {
        double* row = m.DotLevels.Row(r);
        double* below = m.DotLevels.Row(r + 1);
        const qint32* grey = m.DotMap.Row(r);
        if (r % 2 == 1) {
            for (int c = 1; c <= w + 2; ++c) {
                const double d = row[c];
                const quint8 o = decide(d, grey[c]);
                row[c] = o;
                const long double e = static_cast<long double>(d) - o;
                Spill(row[c + 1], e, 7);
                Spill(below[c - 1], e, 3);
                Spill(below[c], e, 5);
                Spill(below[c + 1], e, 1);
            }
        } else {
            for (int c = w + 1; c >= 2; --c) {
                const double d = row[c];
                const quint8 o = decide(d, grey[c]);
                row[c] = o;
                const long double e = static_cast<long double>(d) - o;
                Spill(row[c - 1], e, 7);
                Spill(below[c - 1], e, 1);
                Spill(below[c], e, 5);
                Spill(below[c + 1], e, 3);
            }
        }
        Progress(op, r, h);
    }
}

int Snap(int v, ConversionMode mode) {
    if (v >= 254 && v <= 256)
        return ToneFull;
    if (mode == ConversionMode::Combined) {
        if (v >= 190 && v <= 194)
            return ToneStrong;
        if (v >= 126 && v <= 130)
            return ToneMedium;
        if (v >= 62 && v <= 66)
            return ToneWeak;
        if (v >= 0 && v <= 1)
            return ToneNone;
    }
    return v;
}

} // namespace

void AllocatePictureMatrices(PictureMatrices& m, int width, int height, Operator* op) {
    Progress(op, 0, height);
    m.W = width;
    m.H = height;
    m.DotMap.Resize(height + 4, width + 4);
    m.PlanMask.Resize(height + 5, width + 5);
    m.DotLevels.Resize(height + 4, width + 4);
    Progress(op, height, height);
}

void FillPictureMatrices(PictureMatrices& m, const QImage& picture, const ToneTables& tables,
                         ConversionMode mode, Operator* op, const ToneMap& tone) {
    const bool grey8 = picture.format() == QImage::Format_Grayscale8;
    Q_ASSERT(picture.isNull() || grey8 || picture.format() == QImage::Format_RGB32);
    // Red value -> tone, with the tone controls folded in: one lookup per pixel either way.
    std::array<double, 256> curve;
    for (int v = 0; v < 256; ++v) {
        const int g = tone[static_cast<size_t>(v)];
        curve[v] =
            mode == ConversionMode::Combined ? tables.CombinedCurve[g] : tables.DiffusionCurve[g];
    }
    const int w = std::min(m.W, picture.width());
    const int h = std::min(m.H, picture.height());
    for (int y = 0; y < h; ++y) {
        qint32* greys = m.DotMap.Row(y + 1) + 1;
        double* tones = m.DotLevels.Row(y + 1) + 2;
        const uchar* line = picture.constScanLine(y);
        const auto* pixels = reinterpret_cast<const QRgb*>(line);
        for (int x = 0; x < w; ++x) {
            const int v = grey8 ? line[x] : qRed(pixels[x]);
            greys[x] = tone[static_cast<size_t>(v)];
            tones[x] = curve[v];
        }
        Progress(op, y + 1, m.H);
    }
}

void DiffusionPass(PictureMatrices& m, ToneTables& tables, ConversionMode mode, Operator* op) {
    if (mode == ConversionMode::Combined)
        Pass(m, CombinedDecision{tables}, op);
    else
        Pass(m, DiffusionDecision{}, op);
}

void ClearPassMargins(PictureMatrices& m, ConversionMode mode) {
    const int w = m.W;
    const int h = m.H;
    for (int r = 0; r < h; ++r) {
        m.DotLevels.At(r, 0) = 0;
        m.DotLevels.At(r, 1) = 0;
    }
    if (mode == ConversionMode::Combined)
        std::fill_n(m.DotLevels.Row(h), w + 1, 0.0);
    for (int r = 0; r < h + 4; ++r) {
        m.DotLevels.At(r, w + 2) = 0;
        m.DotLevels.At(r, w + 3) = 0;
    }
}

void ReadBackDots(PictureMatrices& m, QImage& picture, ConversionMode mode, Operator* op) {
    const bool grey8 = picture.format() == QImage::Format_Grayscale8;
    Q_ASSERT(picture.isNull() || grey8 || picture.format() == QImage::Format_RGB32);
    const int w = std::min(m.W, picture.width());
    const int h = std::min(m.H, picture.height());
    for (int y = 0; y < h; ++y) {
        double* dots = m.DotLevels.Row(y) + 1;
        uchar* line = picture.scanLine(y);
        auto* pixels = reinterpret_cast<QRgb*>(line);
        for (int x = 0; x < w; ++x) {
            // The cast truncates toward zero; the clamp only keeps it defined.
            const int v = Snap(static_cast<int>(std::clamp(dots[x], -1e9, 1e9)), mode);
            dots[x] = v;
            const uint grey = static_cast<uint>(std::clamp(v, 0, 255));
            if (grey8)
                line[x] = static_cast<uchar>(grey);
            else
                pixels[x] = 0xFF000000u | grey * 0x010101u;
        }
        Progress(op, y + 1, m.H);
    }
}

void ConvertPicture(PictureMatrices& m, QImage& picture, ToneTables& tables, ConversionMode mode,
                    Operator& op, const PictureStatusTexts& texts) {
    op.SetProgress(0, m.H);
    op.ShowStatus(texts.Converting);
    DiffusionPass(m, tables, mode, &op);
    ClearPassMargins(m, mode);
    op.ShowStatus(texts.Transferring);
    op.SetProgress(0, m.H);
    ReadBackDots(m, picture, mode, &op);
    op.SetProgress(0, m.H);
    op.ShowStatus(texts.Ready);
}

} // namespace zeb
