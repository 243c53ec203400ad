// The conversion of a picture into dots: the edge cases that catch real faults. The 1-pixel
// picture, two conversions in one run and the combined mode's use of the grey to the right
// are pinned value for value by the golden files.
#include "picture/halftone.h"

#include "common/recording_operator.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

constexpr QRgb White = 0xFFFFFFFF;

QImage Uniform(int w, int h, int grey) {
    QImage image(w, h, QImage::Format_Grayscale8);
    image.fill(qRgb(grey, grey, grey));
    return image;
}

struct Converted {
    PictureMatrices m;
    QImage dots;
    int Dot(int x, int y) const { return static_cast<int>(m.DotLevels.At(y, x + 1)); }
    // Dots of the picture window without dot row 0 and dot column 0 (always empty).
    std::map<int, int> Composition() const {
        std::map<int, int> counts;
        for (int y = 1; y < m.H; ++y)
            for (int x = 1; x < m.W; ++x)
                ++counts[Dot(x, y)];
        return counts;
    }
};

class HalftoneTest : public ::testing::Test {
protected:
    Converted Convert(const QImage& picture, ConversionMode mode) {
        Converted c;
        c.dots = picture;
        AllocatePictureMatrices(c.m, picture.width(), picture.height(), &op);
        FillPictureMatrices(c.m, picture, tables, mode, &op);
        ConvertPicture(c.m, c.dots, tables, mode, op, PictureStatusTexts{});
        return c;
    }
    ToneTables tables = StartupToneTables();
    testing::RecordingOperator op;
};

TEST_F(HalftoneTest, FillTakesTheRedChannelThroughTheCurve) {
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 255));           // pure blue reads as black
    picture.setPixel(1, 0, qRgb(255, 0, 0)); // pure red as white
    picture.setPixel(1, 1, qRgb(128, 7, 9));
    for (ConversionMode mode : {ConversionMode::Diffusion, ConversionMode::Combined}) {
        PictureMatrices m;
        AllocatePictureMatrices(m, 3, 2, nullptr);
        FillPictureMatrices(m, picture, tables, mode, nullptr);
        // Grey at [y + 1][x + 1], tone at [y + 1][x + 2].
        EXPECT_EQ(m.DotMap.At(1, 1), 0);
        EXPECT_EQ(m.DotMap.At(1, 2), 255);
        EXPECT_EQ(m.DotMap.At(2, 2), 128);
        EXPECT_EQ(m.DotLevels.At(1, 2), 0.0);
        EXPECT_EQ(m.DotLevels.At(1, 3), 255.0);
        EXPECT_EQ(m.DotLevels.At(2, 3), mode == ConversionMode::Combined ? 85.0 : 69.0);
    }
}

TEST_F(HalftoneTest, WhiteStrikesAllButDotRowAndColumnZeroAndBlackNothing) {
    const std::tuple<ConversionMode, int> cases[] = {{ConversionMode::Diffusion, 255},
                                                     {ConversionMode::Diffusion, 0},
                                                     {ConversionMode::Combined, 0}};
    for (auto [mode, grey] : cases) {
        const Converted c = Convert(Uniform(7, 5, grey), mode);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) {
                const int expected = x == 0 || y == 0 ? 0 : grey;
                EXPECT_EQ(c.Dot(x, y), expected) << grey << " at " << x << "," << y;
                EXPECT_EQ(c.dots.pixel(x, y), qRgb(expected, expected, expected));
            }
    }
}

// Uniform greys: 128 in diffusion mode strikes about 27 %; in combined mode grey 1 strikes the
// first position, then about one in 64, and grey 210 strikes only at full strength.
TEST_F(HalftoneTest, UniformGreysStrikeTheirShareAtTheirStrengths) {
    const auto half = Convert(Uniform(200, 150, 128), ConversionMode::Diffusion).Composition();
    ASSERT_EQ(half.size(), 2u);
    EXPECT_NEAR(half.at(255) / double(199 * 149), 69.0 / 255.0, 0.01);
    EXPECT_EQ(op.statuses,
              (QStringList{"Преобразование изображения", "Перенос данных", "Изображение готово"}));
    EXPECT_EQ(op.progress, 0); // the gauge ends empty

    const Converted c = Convert(Uniform(128, 128, 1), ConversionMode::Combined);
    // The first tone position strikes with row 1's only tone; the error of -63 it leaves
    // holds the next positions off.
    EXPECT_EQ(c.Dot(1, 1), 64);
    EXPECT_EQ(c.Dot(2, 1), 0);
    EXPECT_EQ(c.Dot(3, 1), 0);
    const auto faint = c.Composition();
    ASSERT_EQ(faint.size(), 2u);
    const double share = faint.at(64) / double(127 * 127);
    EXPECT_GT(share, 1.0 / 80);
    EXPECT_LT(share, 1.0 / 50);

    const auto light = Convert(Uniform(60, 40, 210), ConversionMode::Combined).Composition();
    ASSERT_EQ(light.size(), 2u);
    EXPECT_GT(light.at(255), 59 * 39 / 2);
    EXPECT_GT(light.at(0), 0);
}

TEST_F(HalftoneTest, DotsShiftOneRightOneDownAndTheMarginsAreCleared) {
    QImage picture = Uniform(6, 4, 0);
    picture.setPixel(2, 1, White);
    picture.setPixel(5, 0, White); // last column
    picture.setPixel(1, 3, White); // last row
    const Converted c = Convert(picture, ConversionMode::Diffusion);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(c.Dot(x, y), x == 3 && y == 2 ? 255 : 0) << x << "," << y;
    for (int r = 0; r < 8; ++r) { // columns W + 2 and W + 3
        EXPECT_EQ(c.m.DotLevels.At(r, 8), 0.0);
        EXPECT_EQ(c.m.DotLevels.At(r, 9), 0.0);
    }
    // The last column's tone stays at column W + 1, the last row's in row H: outside the image.
    EXPECT_EQ(c.m.DotLevels.At(1, 7), 255.0);
    EXPECT_EQ(c.m.DotLevels.At(4, 3), 255.0);
}

} // namespace
} // namespace zeb
