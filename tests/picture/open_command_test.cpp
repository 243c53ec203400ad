// The Open and Save commands with the dialogs answered by the test.
#include "picture/open_command.h"

#include "picture/picture_file.h"

#include "common/recording_operator.h"
#include "link/link_rig.h"
#include "picture_file_samples.h"
#include "setup/file_helpers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zeb {
namespace {

class OpenCommandTest : public ::testing::Test {
protected:
    OpenCommandTest() {
        CreateWorkField(view, 200, 100);
        machine.CurrentCol = 17;
        machine.MotorSpeed = 20;
    }

    // The conversion choice (Ok with RadioButton3 checked or not; nothing for the close box),
    // the file (nothing for Cancel), TForm5 closed with `resolutionSelected` (-1: none). What
    // it came to is told as the window tells it.
    Outcome Open(std::optional<bool> radioButton3, std::optional<QString> file,
                 int resolutionSelected = -1) {
        OpenCommandDialogs d;
        d.showConvertForm = [=, this] {
            calls << "convert-form";
            if (radioButton3)
                ChooseConversion(picture, *radioButton3);
        };
        d.runOpenDialog = [=, this] {
            calls << "open-dialog";
            return file;
        };
        d.showForm5 = [=, this] {
            calls << "form5";
            if (resolutionSelected >= 0)
                resolution = resolutionSelected;
            caption += QStringLiteral("[%1]").arg(resolution);
        };
        d.setCaption = [this](const QString& text) { caption = text; };
        d.enableSelfTesting = [this] { calls << "self-testing"; };
        Outcome opened = OpenPicture(ctx, d);
        Tell(op, opened);
        return opened;
    }

    QString WritePicture(const QString& name, int w, int h, int grey) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(qRgb(grey, grey, grey));
        EXPECT_TRUE(image.save(dir.filePath(name), "BMP"));
        return dir.filePath(name);
    }

    int Dot(int x, int y) const { return static_cast<int>(matrices.DotLevels.At(y, x + 1)); }
    QSet<int> Tones() const {
        QSet<int> tones;
        for (int y = 1; y < matrices.H; ++y)
            for (int x = 1; x < matrices.W; ++x)
                tones.insert(Dot(x, y));
        return tones;
    }

    QTemporaryDir dir;
    testing::LinkRig rig;
    testing::RecordingOperator& op = rig.op;
    MachineState& machine = rig.machine;
    ToneTables tables = StartupToneTables();
    PictureState picture;
    PictureMatrices matrices;
    Placement placement;
    qint32 resolution = 0;
    FieldView view;
    OpenCommandContext ctx{op,         tables, picture, matrices, placement,
                           resolution, view,   machine, &rig.dev};
    QStringList calls;
    QString caption = "ZEB-5.6";
};

TEST_F(OpenCommandTest, ANewPictureGoesAllTheWayAndSaveWritesItsDots) {
    const QString path = WritePicture("white.bmp", 6, 4, 255);
    EXPECT_TRUE(Open(false, path, 8));
    EXPECT_EQ(calls, (QStringList{"convert-form", "open-dialog", "form5", "self-testing"}));
    EXPECT_EQ(caption, "ZEB-5.5 [8]");
    EXPECT_EQ(picture.PicturePath, path);
    EXPECT_EQ(machine.CurrentCol, 0);
    // The stored motor speed goes to both drivers while the link is up.
    EXPECT_EQ(rig.Frames().join(", "), "1B 40 61 14 2E, 1B 41 61 14 2E");
    EXPECT_EQ(picture.WorkPicture.pixel(1, 1), qRgb(255, 255, 255)); // the dot picture
    // Centred on the field of index 8: a 210 x 110 view gives 140 x 73.
    EXPECT_EQ(QPoint(placement.PictureOffsetX, placement.PictureOffsetY), QPoint(67, 34));
    EXPECT_EQ(view.Image1.pixel(67 + 1, 34 + 1), qRgb(255, 255, 255));

    const QString target = dir.filePath("dots");
    Tell(op, SaveDotPictureAs(picture, [] { return std::optional<QString>(); }));
    EXPECT_FALSE(QFile::exists(target));
    Tell(op, SaveDotPictureAs(picture, [&] { return std::optional<QString>(target); }));
    EXPECT_EQ(QImage(target, "BMP").pixel(5, 3), qRgb(255, 255, 255));
    EXPECT_TRUE(op.messages.isEmpty());
}

TEST_F(OpenCommandTest, TheConversionChoiceDecidesTheCurveAndTheCloseBoxKeepsIt) {
    const QString path = WritePicture("grey.bmp", 30, 20, 150);
    ASSERT_TRUE(Open(true, path));
    EXPECT_TRUE(picture.CombinedConversion);
    EXPECT_TRUE(Tones().contains(128) || Tones().contains(192) || Tones().contains(64));
    ASSERT_TRUE(Open(false, path));
    EXPECT_FALSE(picture.CombinedConversion);
    EXPECT_EQ(Tones(), (QSet<int>{0, 255}));
    ASSERT_TRUE(Open(std::nullopt, path)); // closed with the close box
    EXPECT_FALSE(picture.CombinedConversion);
}

TEST_F(OpenCommandTest, CancellingConvertsThePictureHeldAgainEmptyOrNot) {
    rig.link.DeviceReady = false; // and the motor speed is not sent
    EXPECT_TRUE(Open(false, std::nullopt));
    EXPECT_TRUE(rig.vc.Trace().empty());
    EXPECT_EQ(calls, (QStringList{"convert-form", "open-dialog"}));
    EXPECT_EQ(caption, "ZEB-5.6");
    EXPECT_EQ(QSize(matrices.DotMap.Cols(), matrices.DotMap.Rows()), QSize(4, 4));
    EXPECT_EQ(machine.CurrentCol, 0);

    const QString path = WritePicture("white.bmp", 6, 4, 255);
    ASSERT_TRUE(Open(false, path));
    ASSERT_EQ(Dot(1, 1), 255);
    ASSERT_TRUE(Open(std::nullopt, std::nullopt));
    // The dot picture shifted once more: dot rows 0..1 and columns 0..1 are empty now.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(Dot(x, y), x >= 2 && y >= 2 ? 255 : 0) << x << "," << y;
    EXPECT_EQ(picture.PicturePath, path);
    // A file name that does not exist is ignored without a message, and converts again.
    ASSERT_TRUE(Open(std::nullopt, dir.filePath("gone.bmp")));
    EXPECT_TRUE(op.messages.isEmpty());
    EXPECT_EQ(Dot(2, 2), 0);
    EXPECT_EQ(Dot(3, 3), 255);
}

TEST_F(OpenCommandTest, ABrokenOrTooLargeFileChangesNothingHeld) {
    const QString good = WritePicture("white.bmp", 6, 4, 255);
    ASSERT_TRUE(Open(false, good));
    const QImage heldPicture = picture.WorkPicture;
    const QString broken = dir.filePath("broken.jpg");
    testing::WriteBytes(broken, "\xFF\xD8\xFF\xE0 no photo");
    const QString large = WritePicture("large.bmp", 300, 200, 255);
    // A run-length bitmap cut after half its rows: the decoder would fill in the rest.
    const QByteArray runs = testing::UniformRunLengthBitmap(40, 30);
    const QString cut = dir.filePath("cut-runs.bmp");
    testing::WriteBytes(cut, runs.left(runs.size() * 2 / 3));
    // Room for what the held matrices give back plus a little: not for 300 x 200.
    ctx.availableMemory = [] { return qint64(100000); };
    const int heldX = placement.PictureOffsetX;
    const std::pair<QString, const char*> cases[] = {
        {broken, "broken.jpg"}, {large, "300 × 200"}, {cut, "cut-runs.bmp\" обрезан"}};
    for (const auto& [path, says] : cases) {
        op.messages.clear();
        machine.CurrentCol = 9;
        EXPECT_FALSE(Open(false, path));
        ASSERT_EQ(op.messages.size(), 1);
        EXPECT_TRUE(op.messages[0].contains(QString::fromUtf8(says)))
            << op.messages[0].toStdString();
        EXPECT_EQ(caption, "ZEB-5.5 ");
        EXPECT_EQ(picture.PicturePath, good);
        EXPECT_EQ(picture.WorkPicture, heldPicture);
        EXPECT_EQ(matrices.W, 6);
        EXPECT_EQ(Dot(1, 1), 255);
        EXPECT_EQ(placement.PictureOffsetX, heldX);
        EXPECT_EQ(machine.CurrentCol, 9);
    }
    ctx.availableMemory = [] { return PictureMemoryNeed(300, 200); };
    EXPECT_TRUE(Open(false, large));
    EXPECT_EQ(matrices.W, 300);
}

} // namespace
} // namespace zeb
