// Small pictures against their expected conversions in tests/data/picture, written by an
// independent reference (make_golden.py there): every value of DotLevels after the
// conversion, and the dot picture. Also zeb-cli convert on the same pictures.
#include "picture/halftone.h"
#include "picture/picture_file.h"

#include "common/recording_operator.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace zeb {
namespace {

QString Data(const QString& name) {
    return QStringLiteral(ZEB_TEST_DATA "/picture/") + name;
}

QString ReadText(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromLatin1(file.readAll());
}

// The same layout the reference writes: a row per line, "%.17g" values.
QString Dump(const Matrix<double>& levels) {
    QString text;
    char buffer[40];
    for (int r = 0; r < levels.Rows(); ++r) {
        for (int c = 0; c < levels.Cols(); ++c) {
            std::snprintf(buffer, sizeof buffer, "%.17g", levels.At(r, c));
            text += (c ? " " : "") + QString::fromLatin1(buffer);
        }
        text += '\n';
    }
    return text;
}

// Differences as "x,y: got vs expected", at most a few.
QString PixelDifferences(const QImage& got, const QImage& expected) {
    if (got.size() != expected.size())
        return QStringLiteral("size differs");
    QStringList diffs;
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x)
            if (qRed(got.pixel(x, y)) != qRed(expected.pixel(x, y)) ||
                got.pixel(x, y) != expected.pixel(x, y))
                diffs << QStringLiteral("%1,%2: %3 vs %4")
                             .arg(x)
                             .arg(y)
                             .arg(qRed(got.pixel(x, y)))
                             .arg(qRed(expected.pixel(x, y)));
    return diffs.mid(0, 5).join("; ");
}

struct GoldenCase {
    const char* picture;
    ConversionMode mode;
    const char* stem;
};

class GoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenTest, LevelsAndDotsMatchTheReference) {
    const GoldenCase& c = GetParam();
    ToneTables tables = StartupToneTables();
    const QStringList runs = c.mode == ConversionMode::Combined
                                 ? QStringList{QString(), QStringLiteral("-second")}
                                 : QStringList{QString()};
    for (const QString& run : runs) {
        const LoadedPicture loaded = LoadPictureFile(Data(QString(c.picture) + ".bmp"), 1 << 30);
        ASSERT_TRUE(loaded.Ok()) << loaded.error.toStdString();
        QImage picture = loaded.picture;
        testing::RecordingOperator op;
        PictureMatrices m;
        AllocatePictureMatrices(m, picture.width(), picture.height(), &op);
        FillPictureMatrices(m, picture, tables, c.mode, &op);
        ConvertPicture(m, picture, tables, c.mode, op, PictureStatusTexts{});
        const QString stem = QString(c.stem) + run;
        EXPECT_EQ(Dump(m.DotLevels).toStdString(),
                  ReadText(Data(stem + ".levels.txt")).toStdString())
            << stem.toStdString();
        const QImage expected(Data(stem + ".dots.bmp"), "BMP");
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(PixelDifferences(picture, expected), QString()) << stem.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, GoldenTest,
    ::testing::Values(GoldenCase{"ramp", ConversionMode::Diffusion, "ramp-diffusion"},
                      GoldenCase{"ramp", ConversionMode::Combined, "ramp-combined"},
                      GoldenCase{"disc", ConversionMode::Diffusion, "disc-diffusion"},
                      GoldenCase{"disc", ConversionMode::Combined, "disc-combined"},
                      GoldenCase{"bars", ConversionMode::Diffusion, "bars-diffusion"},
                      GoldenCase{"bars", ConversionMode::Combined, "bars-combined"},
                      GoldenCase{"single", ConversionMode::Diffusion, "single-diffusion"},
                      GoldenCase{"single", ConversionMode::Combined, "single-combined"}),
    [](const auto& info) {
        std::string name = info.param.stem;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun RunCli(const QStringList& args, const QString& workDir) {
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.start(QStringLiteral(ZEB_CLI_EXE), args);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(CliConvertTest, WritesTheReferenceDotPictureAsA24BitBitmap) {
    QTemporaryDir dir;
    for (const char* mode : {"diffusion", "combined"}) {
        const QString out = dir.filePath(QStringLiteral("dots-%1").arg(mode));
        const CliRun run =
            RunCli({"convert", Data("ramp.bmp"), "--mode", mode, "-o", out}, dir.path());
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains("23 x 9 dots")) << run.out.toStdString();
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GT(bytes.size(), 54);
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(static_cast<quint8>(bytes[28]), 24);
        const QImage got = QImage::fromData(bytes, "BMP");
        const QImage expected(Data(QStringLiteral("ramp-%1.dots.bmp").arg(mode)), "BMP");
        EXPECT_EQ(PixelDifferences(got, expected), QString()) << mode;
    }
}

TEST(CliConvertTest, BadInputGivesAClearMessageAndExitTwo) {
    QTemporaryDir dir;
    QFile text(dir.filePath("notes.bmp"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    struct Case {
        QStringList args;
        const char* says;
    };
    const std::vector<Case> cases = {
        {{"convert", "notes.bmp", "--mode", "combined", "-o", "x.bmp"}, "notes.bmp"},
        {{"convert", "missing.png", "--mode", "combined", "-o", "x.bmp"}, "missing.png"},
        {{"convert", Data("ramp.bmp"), "--mode", "bold", "-o", "x.bmp"}, "--mode"},
        {{"convert", Data("ramp.bmp"), "--mode", "combined"}, "-o"},
        {{"convert", "--mode", "combined", "-o", "x.bmp"}, "PICTURE"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.args, dir.path());
        EXPECT_EQ(run.exitCode, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("x.bmp")));
    }
}

} // namespace
} // namespace zeb
