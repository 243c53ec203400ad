// The tone controls: the formula at its edges, the values refused, invert with transparency on
// the Open road, and the reduced live preview against the real conversion.
#include "picture/open_command.h"
#include "picture/tone_levels.h"
#include "picture/tone_preview.h"

#include "common/recording_operator.h"
#include "common/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zeb {
namespace {

TEST(ToneLevels, TheStepAtItsEdges) {
    struct Row {
        ToneLevels levels;
        int v;
        int expected; // worked out by hand from 255 * clamp((v - B) / (W - B)) ^ (1 / G)
    };
    const Row rows[] = {
        {{20, 230, 1.0, false}, 0, 0},     // below the black point
        {{20, 230, 1.0, false}, 20, 0},    // at it
        {{20, 230, 1.0, false}, 21, 1},    // 1.214
        {{20, 230, 1.0, false}, 125, 128}, // 127.5 exactly: a half goes up, not down
        {{20, 230, 1.0, false}, 229, 254}, // 253.79
        {{20, 230, 1.0, false}, 230, 255}, // at the white point
        {{20, 230, 1.0, false}, 255, 255}, // above it
        {{0, 255, 2.0, false}, 64, 128},   // sqrt: 127.75
        {{0, 255, 0.5, false}, 128, 64},   // square: 64.25
        {{0, 255, 10.0, false}, 1, 147},   // the largest gamma lifts a near black: 146.52
        {{0, 255, 0.1, false}, 254, 245},  // the smallest darkens a near white: 245.17
        {{20, 230, 1.4, false}, 100, 128}, // 127.986
        {{0, 255, 1.0, true}, 0, 255},     // invert alone
        {{0, 255, 1.0, true}, 100, 155},
        {{20, 230, 1.0, true}, 130, 128}, // invert first: 125, then 127.5
        {{20, 230, 1.4, true}, 100, 186}, // 155 -> 185.986
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "B " << row.levels.black << " W " << row.levels.white << " G "
                     << row.levels.gamma << " invert " << row.levels.invert << " v " << row.v);
        EXPECT_EQ(ToneStep(row.levels, row.v), row.expected);
        EXPECT_EQ(ToneMapOf(row.levels)[static_cast<size_t>(row.v)], row.expected);
    }
    EXPECT_TRUE(ToneLevels{}.Neutral());
    EXPECT_FALSE((ToneLevels{0, 255, 1.0, true}).Neutral());
    EXPECT_EQ(ToneMapOf(ToneLevels{}), IdentityToneMap());
}

TEST(ToneLevels, ValuesThatCannotBeAppliedAreRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // The refusal as the operator reads it; empty for levels that apply.
    struct Row {
        ToneLevels levels;
        const char* problem;
    };
    const Row rows[] = {
        {{0, 1, 1.0, false}, ""},
        {{254, 255, 1.0, false}, ""},
        {{0, 255, 0.1, false}, ""},
        {{0, 255, 10.0, false}, ""},
        {{-1, 255, 1.0, false},
         "Чёрная и белая точки должны лежать в пределах 0..255 (чёрная -1, белая 255)."},
        {{0, 256, 1.0, false},
         "Чёрная и белая точки должны лежать в пределах 0..255 (чёрная 0, белая 256)."},
        {{100, 100, 1.0, false}, "Чёрная точка (100) должна быть меньше белой (100)."},
        {{200, 100, 1.0, false}, "Чёрная точка (200) должна быть меньше белой (100)."},
        {{0, 255, 0.09, false}, "Гамма 0.09 вне пределов 0.1..10."},
        {{0, 255, 10.01, false}, "Гамма 10.01 вне пределов 0.1..10."},
        {{0, 255, nan, false}, "Гамма nan вне пределов 0.1..10."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << row.levels.black << "," << row.levels.white << "," << row.levels.gamma);
        EXPECT_EQ(ToneLevelsProblem(row.levels), QString::fromUtf8(row.problem));
    }
    EXPECT_EQ(ToneLevelsText(ToneLevels{20, 230, 1.4, true}),
              QStringLiteral("Тон: чёрная точка 20, белая точка 230, гамма 1.4, инверсия"));
    EXPECT_TRUE(ToneLevelsText(ToneLevels{}).isEmpty());
}

// Four pixels over a row: transparent white, transparent black, half-transparent black,
// opaque black; and an opaque grey 100.
QImage TransparentRow() {
    QImage image(5, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 255, 255, 0));
    image.setPixel(1, 0, qRgba(0, 0, 0, 0));
    image.setPixel(2, 0, qRgba(0, 0, 0, 128));
    image.setPixel(3, 0, qRgba(0, 0, 0, 255));
    image.setPixel(4, 0, qRgba(100, 100, 100, 255));
    return image;
}

TEST(ToneLevels, InvertActsBeforeTransparentPartsAreLaidOverBlack) {
    testing::ScopedStartDirectory dir;
    ASSERT_TRUE(TransparentRow().save(dir.File("row.png"), "PNG"));
    struct Row {
        const char* name;
        ToneLevels levels;
        std::array<int, 5> greys; // DotMap of the five pixels
    };
    const Row rows[] = {
        {"neutral: over black", {}, {0, 0, 0, 0, 100}},
        // An inverted transparent ground stays unstruck; the half-transparent black counts
        // half of its inverted white.
        {"inverted", {0, 255, 1.0, true}, {0, 0, 128, 255, 155}},
        {"inverted with levels", {20, 230, 1.0, true}, {0, 0, 131, 255, 164}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        testing::RecordingOperator op;
        StandaloneOpen open(op);
        ASSERT_TRUE(AdoptPictureFile(open.ctx, dir.File("row.png")));
        open.picture.Tone = row.levels;
        PreparePicture(open.ctx);
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(open.matrices.DotMap.At(1, x + 1), row.greys[static_cast<size_t>(x)])
                << "pixel " << x;
        EXPECT_TRUE(open.picture.InvertedOverBlack.isNull()); // the dot picture has none
    }
}

// A gradient with a dark hole: every grey, several areas.
QImage Gradient(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int dx = x - w / 3;
            const int dy = y - h / 2;
            const int red = dx * dx + dy * dy < h * h / 16 ? 10 : (x * 255 / w + y) % 256;
            image.setPixel(x, y, qRgb(red, 255 - red, 40));
        }
    return image;
}

TEST(TonePreview, UnreducedItIsTheConversionAndChangesDoNotLeakIntoEachOther) {
    testing::RecordingOperator op;
    StandaloneOpen open(op);
    open.picture.WorkPicture = Gradient(60, 40);
    open.picture.CombinedConversion = true;
    const ToneLevels levels{20, 230, 1.4, true};
    TonePreview preview(open.picture, QSize(100, 100));
    const ToneTables before = open.tables;
    const QImage first = preview.DotPicture(levels, ConversionMode::Combined, open.tables);
    // Another change in between, then the same values again.
    preview.DotPicture(ToneLevels{}, ConversionMode::Diffusion, open.tables);
    const QImage again = preview.DotPicture(levels, ConversionMode::Combined, open.tables);
    EXPECT_EQ(open.tables.PatternCursor, before.PatternCursor);

    open.picture.Tone = levels;
    PreparePicture(open.ctx);
    const QImage converted = open.picture.WorkPicture.convertToFormat(QImage::Format_Grayscale8);
    EXPECT_TRUE(first == converted);
    EXPECT_TRUE(again == converted);
}

TEST(TonePreview, ALargePictureIsReducedWithinTheBound) {
    PictureState picture;
    picture.WorkPicture = Gradient(400, 100);
    TonePreview preview(picture, QSize(200, 200));
    EXPECT_EQ(preview.Size(), QSize(200, 50));
    const QImage dots =
        preview.DotPicture(ToneLevels{}, ConversionMode::Diffusion, StartupToneTables());
    EXPECT_EQ(dots.size(), QSize(200, 50));
    // Diffusion strikes at full strength or not at all; a gradient gives both.
    int struck = 0;
    for (int y = 0; y < dots.height(); ++y)
        for (int x = 0; x < dots.width(); ++x) {
            const int tone = dots.constScanLine(y)[x];
            ASSERT_TRUE(tone == 0 || tone == 255);
            struck += tone == 255;
        }
    EXPECT_GT(struck, 0);
    EXPECT_LT(struck, 200 * 50);
}

} // namespace
} // namespace zeb
