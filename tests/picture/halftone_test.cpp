// The conversion of a picture into dots: the edge cases that catch real faults.
#include "picture/halftone.h"

#include "common/recording_operator.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

QImage Uniform(int w, int h, int grey) {
    QImage image(w, h, QImage::Format_Grayscale8);
    image.fill(qRgb(grey, grey, grey));
    return image;
}

struct Converted {
    PictureMatrices m;
    QImage dots;
    int Dot(int x, int y) const { return static_cast<int>(m.DotLevels.At(y, x + 1)); }
    // Dots of the picture window, excluding dot row 0 and dot column 0 (always empty).
    std::map<int, int> Composition() const {
        std::map<int, int> counts;
        for (int y = 1; y < m.H; ++y)
            for (int x = 1; x < m.W; ++x)
                ++counts[Dot(x, y)];
        return counts;
    }
};

Converted Convert(const QImage& picture, ConversionMode mode, ToneTables& tables,
                  testing::RecordingOperator* op = nullptr) {
    testing::RecordingOperator quiet;
    Operator& o = op ? *op : quiet;
    Converted c;
    c.dots = picture;
    AllocatePictureMatrices(c.m, picture.width(), picture.height(), &o);
    FillPictureMatrices(c.m, picture, tables, mode, &o);
    ConvertPicture(c.m, c.dots, tables, mode, o, PictureStatusTexts{});
    return c;
}

class HalftoneTest : public ::testing::Test {
protected:
    ToneTables tables = StartupToneTables();
};

TEST_F(HalftoneTest, FillPutsGreyAndToneOneAndTwoColumnsIn) {
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 0));
    picture.setPixel(0, 0, qRgb(255, 255, 255));
    picture.setPixel(1, 0, qRgb(255, 0, 0)); // pure red reads as white
    picture.setPixel(2, 0, qRgb(0, 0, 255)); // pure blue reads as black
    picture.setPixel(1, 1, qRgb(128, 7, 9));
    for (ConversionMode mode : {ConversionMode::Diffusion, ConversionMode::Combined}) {
        PictureMatrices m;
        AllocatePictureMatrices(m, 3, 2, nullptr);
        FillPictureMatrices(m, picture, tables, mode, nullptr);
        EXPECT_EQ(m.DotMap.Rows(), 6);
        EXPECT_EQ(m.DotMap.Cols(), 7);
        EXPECT_EQ(m.PlanMask.Rows(), 7);
        EXPECT_EQ(m.PlanMask.Cols(), 8);
        EXPECT_EQ(m.DotMap.At(1, 1), 255);
        EXPECT_EQ(m.DotMap.At(1, 2), 255);
        EXPECT_EQ(m.DotMap.At(1, 3), 0);
        EXPECT_EQ(m.DotMap.At(2, 2), 128);
        EXPECT_EQ(m.DotLevels.At(1, 2), 255.0);
        EXPECT_EQ(m.DotLevels.At(1, 3), 255.0);
        EXPECT_EQ(m.DotLevels.At(1, 4), 0.0);
        EXPECT_EQ(m.DotLevels.At(2, 3), mode == ConversionMode::Combined ? 85.0 : 69.0);
        EXPECT_EQ(m.DotLevels.At(1, 1), 0.0);
        EXPECT_EQ(m.DotMap.At(0, 1), 0);
    }
}

TEST_F(HalftoneTest, WhiteInDiffusionModeStrikesAllButDotRowAndColumnZero) {
    const Converted c = Convert(Uniform(7, 5, 255), ConversionMode::Diffusion, tables);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            const int expected = x == 0 || y == 0 ? 0 : 255;
            EXPECT_EQ(c.Dot(x, y), expected) << x << "," << y;
            EXPECT_EQ(qRed(c.dots.pixel(x, y)), expected) << x << "," << y;
            EXPECT_EQ(qBlue(c.dots.pixel(x, y)), expected) << x << "," << y;
        }
}

TEST_F(HalftoneTest, BlackStrikesNothingInEitherMode) {
    for (ConversionMode mode : {ConversionMode::Diffusion, ConversionMode::Combined}) {
        const Converted c = Convert(Uniform(9, 6, 0), mode, tables);
        for (int r = 0; r < c.m.DotLevels.Rows(); ++r)
            for (int col = 0; col < c.m.DotLevels.Cols(); ++col)
                EXPECT_EQ(c.m.DotLevels.At(r, col), 0.0) << r << "," << col;
    }
}

TEST_F(HalftoneTest, Grey128InDiffusionModeStrikesAboutTwentySevenPercent) {
    const Converted c = Convert(Uniform(200, 150, 128), ConversionMode::Diffusion, tables);
    const auto counts = c.Composition();
    ASSERT_EQ(counts.size(), 2u);
    const double share = counts.at(255) / double(199 * 149);
    EXPECT_NEAR(share, 69.0 / 255.0, 0.01);
}

TEST_F(HalftoneTest, CombinedGreyOneStrikesTheFirstPositionThenAboutOneIn64) {
    const Converted c = Convert(Uniform(128, 128, 1), ConversionMode::Combined, tables);
    // The first tone position (picture pixel 1, dot 1) strikes with row 1's only tone; the
    // error of -63 it leaves holds the next positions off.
    EXPECT_EQ(c.Dot(1, 1), 64);
    EXPECT_EQ(c.Dot(2, 1), 0);
    EXPECT_EQ(c.Dot(3, 1), 0);
    const auto counts = c.Composition();
    ASSERT_EQ(counts.size(), 2u);
    const double share = counts.at(64) / double(127 * 127);
    EXPECT_GT(share, 1.0 / 80);
    EXPECT_LT(share, 1.0 / 50);
}

TEST_F(HalftoneTest, CombinedGrey210StrikesOnlyAtFullStrength) {
    const Converted c = Convert(Uniform(60, 40, 210), ConversionMode::Combined, tables);
    const auto counts = c.Composition();
    ASSERT_EQ(counts.size(), 2u);
    EXPECT_GT(counts.at(255), 59 * 39 / 2);
    EXPECT_GT(counts.at(0), 0);
}

TEST_F(HalftoneTest, OnePixelPictureGivesOneEmptyDot) {
    testing::RecordingOperator op;
    const Converted c = Convert(Uniform(1, 1, 255), ConversionMode::Diffusion, tables, &op);
    EXPECT_EQ(c.m.DotLevels.Rows(), 5);
    EXPECT_EQ(c.m.DotLevels.Cols(), 5);
    EXPECT_EQ(c.Dot(0, 0), 0);
    EXPECT_EQ(qRed(c.dots.pixel(0, 0)), 0);
    // The last picture row's decided tone stays in row H, outside the dot image.
    EXPECT_EQ(c.m.DotLevels.At(1, 2), 255.0);
    EXPECT_EQ(c.m.DotMap.At(1, 1), 255);
}

TEST_F(HalftoneTest, DotsAreShiftedOneRightOneDownAndTheLastRowAndColumnGiveNone) {
    QImage picture = Uniform(6, 4, 0);
    const QRgb white = qRgb(255, 255, 255);
    picture.setPixel(2, 1, white);
    picture.setPixel(5, 0, white); // last column
    picture.setPixel(1, 3, white); // last row
    const Converted c = Convert(picture, ConversionMode::Diffusion, tables);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(c.Dot(x, y), x == 3 && y == 2 ? 255 : 0) << x << "," << y;
    // Margins: columns W + 2 and W + 3 of every row are cleared.
    for (int r = 0; r < 8; ++r) {
        EXPECT_EQ(c.m.DotLevels.At(r, 8), 0.0);
        EXPECT_EQ(c.m.DotLevels.At(r, 9), 0.0);
    }
    // The last picture column's tone was decided at column W + 1 of its row, and the last
    // picture row's in row H: both outside the dot image.
    EXPECT_EQ(c.m.DotLevels.At(1, 7), 255.0);
    EXPECT_EQ(c.m.DotLevels.At(4, 3), 255.0);
}

TEST_F(HalftoneTest, CombinedModeTakesTheGreyOfThePixelToTheRight) {
    // Two white pixels on black: only the left one's tone meets a white grey (its right
    // neighbour's); the right one's tone meets black, gives no strike, and its error spills
    // left into the struck one. Row H is cleared in this mode.
    QImage picture = Uniform(6, 4, 0);
    const QRgb white = qRgb(255, 255, 255);
    picture.setPixel(2, 1, white);
    picture.setPixel(3, 1, white);
    picture.setPixel(1, 3, white);
    const Converted c = Convert(picture, ConversionMode::Combined, tables);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(c.Dot(x, y), x == 3 && y == 2 ? 255 : 0) << x << "," << y;
    for (int col = 0; col <= 6; ++col)
        EXPECT_EQ(c.m.DotLevels.At(4, col), 0.0) << col;

    const Converted d = Convert(picture, ConversionMode::Diffusion, tables);
    EXPECT_EQ(d.Dot(3, 2), 255);
    EXPECT_EQ(d.Dot(4, 2), 255);
}

TEST_F(HalftoneTest, ACursorThatGoesOnMakesTheSecondConversionDiffer) {
    // A grey whose row mixes three tones: the second conversion starts where the first
    // stopped, so the same picture gives other dots.
    QImage picture = Uniform(40, 30, 150);
    const ToneTables start = tables;
    const Converted first = Convert(picture, ConversionMode::Combined, tables);
    const ToneTables afterFirst = tables;
    EXPECT_NE(afterFirst.PatternCursor[150], start.PatternCursor[150]);
    const Converted second = Convert(picture, ConversionMode::Combined, tables);
    EXPECT_NE(first.dots, second.dots);

    ToneTables resumed = StartupToneTables();
    resumed.PatternCursor = afterFirst.PatternCursor;
    const Converted again = Convert(picture, ConversionMode::Combined, resumed);
    EXPECT_EQ(again.dots, second.dots);
    EXPECT_EQ(resumed.PatternCursor, tables.PatternCursor);
}

TEST_F(HalftoneTest, ConversionReportsItsStepsAndEndsWithAnEmptyGauge) {
    testing::RecordingOperator op;
    Convert(Uniform(5, 3, 90), ConversionMode::Diffusion, tables, &op);
    EXPECT_EQ(op.statuses,
              (QStringList{"Преобразование изображения", "Перенос данных", "Изображение готово"}));
    EXPECT_EQ(op.progress, 0);
    EXPECT_EQ(op.progressMax, 3);
    EXPECT_TRUE(op.progressTrail.contains(3));
}

TEST_F(HalftoneTest, EveryDotIsAStrikeToneInBothPictureForms) {
    QImage grey(33, 17, QImage::Format_Grayscale8);
    QImage rgb(33, 17, QImage::Format_RGB32);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 33; ++x) {
            const int g = (x * 8 + y * 5) % 256;
            grey.setPixel(x, y, qRgb(g, g, g));
            rgb.setPixel(x, y, qRgb(g, 255 - g, 3));
        }
    ToneTables other = StartupToneTables();
    const Converted a = Convert(grey, ConversionMode::Combined, tables);
    const Converted b = Convert(rgb, ConversionMode::Combined, other);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 33; ++x) {
            const int v = a.Dot(x, y);
            EXPECT_TRUE(v == 0 || v == 64 || v == 128 || v == 192 || v == 255) << v;
            EXPECT_EQ(b.Dot(x, y), v);
            EXPECT_EQ(b.dots.pixel(x, y), qRgb(v, v, v));
            EXPECT_EQ(qGray(a.dots.pixel(x, y)), v);
        }
}

} // namespace
} // namespace zeb
