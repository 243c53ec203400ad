// Small pictures against their expected conversions in tests/data/picture, written by an
// independent reference (make_golden.py there): every value of DotLevels after the
// conversion, and the dot picture; in combined mode also a second conversion in the same run.
// Also zeb-cli convert on the same pictures.
#include "picture/halftone.h"
#include "picture/picture_file.h"

#include "common/recording_operator.h"
#include "e2e/e2e_rig.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cstdio>

namespace zeb {
namespace {

QString Data(const QString& name) {
    return QStringLiteral(ZEB_TEST_DATA "/picture/") + name;
}

// The layout the reference writes: a row per line, "%.17g" values.
std::string Dump(const Matrix<double>& levels) {
    std::string text;
    char buffer[40];
    for (int r = 0; r < levels.Rows(); ++r)
        for (int c = 0; c < levels.Cols(); ++c) {
            std::snprintf(buffer, sizeof buffer, "%.17g", levels.At(r, c));
            text += (c ? " " : "") + std::string(buffer) + (c + 1 == levels.Cols() ? "\n" : "");
        }
    return text;
}

QImage Rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

using GoldenCase = std::tuple<const char*, ConversionMode>;
class GoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenTest, LevelsAndDotsMatchTheReference) {
    const auto [name, mode] = GetParam();
    const bool combined = mode == ConversionMode::Combined;
    const QString stem = QString(name) + (combined ? "-combined" : "-diffusion");
    ToneTables tables = StartupToneTables();
    for (const QString& run : combined ? QStringList{"", "-second"} : QStringList{""}) {
        SCOPED_TRACE((stem + run).toStdString());
        const Result<QImage> loaded = LoadPictureFile(Data(QString(name) + ".bmp"), 1 << 30);
        ASSERT_TRUE(loaded.Ok()) << loaded.Message().toStdString();
        QImage picture = loaded.Value();
        testing::RecordingOperator op;
        PictureMatrices m;
        AllocatePictureMatrices(m, picture.width(), picture.height(), &op);
        FillPictureMatrices(m, picture, tables, mode, &op);
        ConvertPicture(m, picture, tables, mode, op, PictureStatusTexts{});
        QFile expectedLevels(Data(stem + run + ".levels.txt"));
        ASSERT_TRUE(expectedLevels.open(QIODevice::ReadOnly));
        EXPECT_EQ(Dump(m.DotLevels), expectedLevels.readAll().toStdString());
        const QImage expected(Data(stem + run + ".dots.bmp"), "BMP");
        ASSERT_FALSE(expected.isNull());
        EXPECT_TRUE(Rgb(picture) == Rgb(expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, GoldenTest,
    ::testing::Combine(::testing::Values("ramp", "disc", "bars", "single"),
                       ::testing::Values(ConversionMode::Diffusion, ConversionMode::Combined)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param)) +
               (std::get<1>(info.param) == ConversionMode::Combined ? "_combined" : "_diffusion");
    });

TEST(CliConvertTest, WritesTheReferenceDotPicture) {
    testing::E2eDir d;
    for (const char* mode : {"diffusion", "combined"}) {
        const QString out = d.File(QStringLiteral("dots-%1").arg(mode));
        const testing::CliResult run =
            d.Cli({"convert", Data("ramp.bmp"), "--mode", mode, "-o", out});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains("23 x 9 dots")) << run.out.toStdString();
        const QImage expected(Data(QStringLiteral("ramp-%1.dots.bmp").arg(mode)), "BMP");
        EXPECT_TRUE(Rgb(QImage(out, "BMP")) == Rgb(expected)) << mode;
    }
}

TEST(CliConvertTest, BadInputGivesAClearMessageAndExitTwo) {
    testing::E2eDir d;
    d.Write("notes.bmp", "not a picture");
    const std::pair<QStringList, const char*> cases[] = {
        {{"convert", "notes.bmp", "--mode", "combined", "-o", "x.bmp"}, "notes.bmp"},
        {{"convert", Data("ramp.bmp"), "--mode", "bold", "-o", "x.bmp"}, "--mode"},
        {{"convert", Data("ramp.bmp"), "--mode", "combined"}, "-o"},
        {{"convert", "--mode", "combined", "-o", "x.bmp"}, "PICTURE"},
    };
    for (const auto& [args, says] : cases) {
        const testing::CliResult run = d.Cli(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(says)) << run.err.toStdString();
        EXPECT_FALSE(d.Exists("x.bmp"));
    }
}

} // namespace
} // namespace zeb
