// zeb-cli --levels B,W,G [--invert]: neutral values change no byte, other values give the dot
// picture of the picture pre-processed by the formula (computed here on its own), and values
// that cannot be applied are refused before anything is written.
#include "e2e/e2e_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zeb::testing {
namespace {

// Every red value, in bands and a slow ramp, with green and blue that must not matter.
QImage Photo() {
    QImage image(64, 40, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int red = (x * 4 + y * 6 + (x * y) % 7) % 256;
            image.setPixel(x, y, qRgb(red, (x * 37) % 256, 200));
        }
    return image;
}

// The red channel through v := 255 - v when inverted, then
// 255 * clamp((v - B) / (W - B), 0, 1) ^ (1 / G), rounded half away from zero.
QImage PreProcessed(const QImage& image, int black, int white, double gamma, bool invert) {
    QImage out = image.copy();
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb pixel = out.pixel(x, y);
            const int v = invert ? 255 - qRed(pixel) : qRed(pixel);
            const double t = std::clamp(double(v - black) / double(white - black), 0.0, 1.0);
            const int red = static_cast<int>(std::floor(255.0 * std::pow(t, 1.0 / gamma) + 0.5));
            out.setPixel(x, y, qRgb(red, qGreen(pixel), qBlue(pixel)));
        }
    return out;
}

TEST(CliTone, NeutralLevelsChangeNoByte) {
    E2eDir d;
    ASSERT_TRUE(Photo().save(d.File("photo.png")));
    for (const QString& mode : {QStringLiteral("combined"), QStringLiteral("diffusion")}) {
        SCOPED_TRACE(mode.toStdString());
        for (const QString& command : {QStringLiteral("convert"), QStringLiteral("plan")}) {
            const QStringList base{command, "photo.png", "--mode", mode};
            ASSERT_EQ(d.Cli(base + QStringList{"-o", "plain"}).exitCode, 0);
            ASSERT_EQ(d.Cli(base + QStringList{"-o", "neutral", "--levels", "0,255,1"}).exitCode,
                      0);
            ASSERT_EQ(d.Cli(base + QStringList{"-o", "spelt", "--levels=0,255,1.0"}).exitCode, 0);
            EXPECT_FALSE(d.Read("plain").isEmpty());
            EXPECT_EQ(d.Read("neutral"), d.Read("plain")) << command.toStdString();
            EXPECT_EQ(d.Read("spelt"), d.Read("plain")) << command.toStdString();
        }
    }
}

TEST(CliTone, LevelsGiveTheDotsOfThePreProcessedPicture) {
    struct Row {
        int black;
        int white;
        double gamma;
        bool invert;
        QStringList options;
    };
    const Row rows[] = {
        {20, 230, 1.4, false, {"--levels", "20,230,1.4"}},
        {20, 230, 1.4, true, {"--levels", "20,230,1.4", "--invert"}},
        {20, 230, 1.4, true, {"--invert", "--levels", "20,230,1.4"}},
        {0, 255, 1.0, true, {"--invert"}},
        {0, 100, 0.5, false, {"--levels", " 0, 100, 0.5"}},
    };
    E2eDir d;
    const QImage photo = Photo();
    ASSERT_TRUE(photo.save(d.File("photo.png")));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.options.join(' ').toStdString());
        const QImage pre = PreProcessed(photo, row.black, row.white, row.gamma, row.invert);
        ASSERT_FALSE(pre == photo);
        ASSERT_TRUE(pre.save(d.File("pre.png")));
        for (const QString& command : {QStringLiteral("convert"), QStringLiteral("plan")}) {
            const QStringList base{command, "--mode", "combined"};
            const CliResult levelled =
                d.Cli(base + QStringList{"photo.png", "-o", "levelled"} + row.options);
            ASSERT_EQ(levelled.exitCode, 0) << levelled.err.toStdString();
            EXPECT_TRUE(levelled.out.contains("Тон: ")) << levelled.out.toStdString();
            ASSERT_EQ(d.Cli(base + QStringList{"pre.png", "-o", "pre"}).exitCode, 0);
            EXPECT_EQ(d.Read("levelled"), d.Read("pre")) << command.toStdString();
        }
    }
}

TEST(CliTone, ValuesThatCannotBeAppliedAreRefused) {
    E2eDir d;
    ASSERT_TRUE(Photo().save(d.File("photo.png")));
    const QStringList bad{"230,20,1",   "20,20,1",    "-1,255,1",  "0,256,1",
                          "0,255,0.09", "0,255,10.5", "0,255",     "a,b,c",
                          "0,255,nan",  "0,255,inf",  "0.5,255,1", "0,255,1,0"};
    const QList<QStringList> commands{
        {"convert", "photo.png", "--mode", "combined", "-o", "out"},
        {"plan", "photo.png", "--mode", "combined", "-o", "out"},
        {"engrave", "photo.png", "--port", d.File("nothing")},
        {"preview", "photo.png", "-o", "out"},
    };
    std::vector<Refusal> rows;
    for (const QStringList& command : commands)
        for (const QString& levels : bad)
            rows.push_back({command + QStringList{"--levels", levels}, "--levels wants B,W,G"});
    ExpectRefused(d, rows);
    EXPECT_FALSE(d.Exists("out"));
    EXPECT_FALSE(d.Exists("Zeb.ini"));
}

} // namespace
} // namespace zeb::testing
