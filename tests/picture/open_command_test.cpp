// The Open and Save commands with the dialogs answered by the test.
#include "picture/open_command.h"

#include "picture/picture_file.h"

#include "common/recording_operator.h"
#include "link/link_rig.h"

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
        machine.CurrentRow = 4;
    }

    // The dialogs: the conversion choice (Ok with RadioButton3 checked or not; nothing for the
    // close box), the file (nothing for Cancel), TForm5 closed with `resolution`.
    OpenCommandDialogs Dialogs(std::optional<bool> radioButton3, std::optional<QString> file,
                               int resolutionSelected = -1) {
        OpenCommandDialogs d;
        d.showConvertForm = [=, this] {
            calls << "convert-form";
            if (radioButton3)
                ConvertFormButton1Click(picture, *radioButton3);
        };
        d.runOpenDialog = [=, this] {
            calls << "open-dialog";
            return file;
        };
        d.showForm5 = [=, this] {
            calls << "form5";
            Form5Caption(resolutionSelected);
        };
        d.setCaption = [this](const QString& text) { caption = text; };
        d.enableSelfTesting = [this] { calls << "self-testing"; };
        return d;
    }

    void Form5Caption(int selected) {
        if (selected >= 0)
            resolution = selected;
        caption += QStringLiteral("[%1]").arg(resolution);
    }

    QString WritePicture(const QString& name, const QImage& image) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }

    static QImage Uniform(int w, int h, int grey) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(qRgb(grey, grey, grey));
        return image;
    }

    int Dot(int x, int y) const { return static_cast<int>(matrices.DotLevels.At(y, x + 1)); }

    QTemporaryDir dir;
    testing::RecordingOperator op;
    ToneTables tables = StartupToneTables();
    PictureState picture;
    PictureMatrices matrices;
    Placement placement;
    qint32 resolution = 0;
    FieldView view;
    MachineState machine;
    OpenCommandContext ctx{op, tables, picture, matrices, placement, resolution, view, machine};
    QStringList calls;
    QString caption = "ZEB-5.6";
};

TEST_F(OpenCommandTest, ANewPictureGoesAllTheWay) {
    const QString path = WritePicture("white.bmp", Uniform(6, 4, 255));
    EXPECT_EQ(OpenClick(ctx, Dialogs(false, path, 8)), OpenOutcome::Converted);
    EXPECT_EQ(calls, (QStringList{"convert-form", "open-dialog", "form5", "self-testing"}));
    EXPECT_EQ(caption, "ZEB-5.5 [8]");
    EXPECT_EQ(picture.PicturePath, path);
    EXPECT_EQ(op.statuses,
              (QStringList{"Загрузка файла", "Подготовка данных", "Преобразование изображения",
                           "Перенос данных", "Изображение готово"}));
    EXPECT_TRUE(op.messages.isEmpty());
    EXPECT_EQ(machine.CurrentCol, 0);
    EXPECT_EQ(machine.CurrentRow, 0);
    EXPECT_EQ(matrices.DotMap.Rows(), 8);
    EXPECT_EQ(matrices.DotLevels.Cols(), 10);
    EXPECT_EQ(matrices.PlanMask.Rows(), 9);
    // The dot picture: white everywhere but dot row 0 and column 0.
    EXPECT_EQ(picture.WorkPicture.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(picture.WorkPicture.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(Dot(5, 3), 255);
    // Placed at the centre of the field at index 8: 210 x 110 view gives 140 x 73.
    EXPECT_EQ(QPoint(placement.PictureOffsetX, placement.PictureOffsetY), QPoint(67, 34));
    EXPECT_EQ(view.Image1.pixel(67 + 1, 34 + 1), qRgb(255, 255, 255));
}

TEST_F(OpenCommandTest, TheConversionChoiceDecidesTheCurveAndTheCloseBoxKeepsIt) {
    const QString path = WritePicture("grey.bmp", Uniform(30, 20, 150));
    OpenClick(ctx, Dialogs(true, path));
    EXPECT_TRUE(picture.CombinedConversion);
    QSet<int> tones;
    for (int y = 1; y < 20; ++y)
        for (int x = 1; x < 30; ++x)
            tones.insert(Dot(x, y));
    EXPECT_TRUE(tones.contains(128) || tones.contains(192) || tones.contains(64));

    OpenClick(ctx, Dialogs(false, path));
    EXPECT_FALSE(picture.CombinedConversion);
    tones.clear();
    for (int y = 1; y < 20; ++y)
        for (int x = 1; x < 30; ++x)
            tones.insert(Dot(x, y));
    EXPECT_EQ(tones, (QSet<int>{0, 255}));

    OpenClick(ctx, Dialogs(std::nullopt, path)); // closed with the close box
    EXPECT_FALSE(picture.CombinedConversion);
}

TEST_F(OpenCommandTest, CancellingBeforeAnyPictureConvertsTheEmptyPicture) {
    EXPECT_EQ(OpenClick(ctx, Dialogs(false, std::nullopt)), OpenOutcome::Converted);
    EXPECT_EQ(calls, (QStringList{"convert-form", "open-dialog"}));
    EXPECT_EQ(caption, "ZEB-5.6");
    EXPECT_EQ(matrices.DotMap.Rows(), 4);
    EXPECT_EQ(matrices.DotMap.Cols(), 4);
    EXPECT_EQ(matrices.DotLevels.Rows(), 4);
    EXPECT_EQ(matrices.PlanMask.Cols(), 5);
    EXPECT_EQ(op.statuses.first(), "Подготовка данных");
    EXPECT_EQ(op.statuses.last(), "Изображение готово");
    EXPECT_EQ(view.Image1.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(machine.CurrentCol, 0);
}

TEST_F(OpenCommandTest, CancellingLaterConvertsTheHeldDotPictureAgain) {
    const QString path = WritePicture("white.bmp", Uniform(6, 4, 255));
    OpenClick(ctx, Dialogs(false, path));
    ASSERT_EQ(Dot(1, 1), 255);
    calls.clear();
    OpenClick(ctx, Dialogs(std::nullopt, std::nullopt));
    EXPECT_EQ(calls, (QStringList{"convert-form", "open-dialog"}));
    // Shifted once more: dot rows 0..1 and columns 0..1 are empty now.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(Dot(x, y), x >= 2 && y >= 2 ? 255 : 0) << x << "," << y;
    EXPECT_EQ(picture.PicturePath, path);

    // A file name that does not exist is ignored without a message, and converts again.
    OpenClick(ctx, Dialogs(std::nullopt, dir.filePath("gone.bmp")));
    EXPECT_TRUE(op.messages.isEmpty());
    EXPECT_EQ(Dot(2, 2), 0);
    EXPECT_EQ(Dot(3, 3), 255);
}

TEST_F(OpenCommandTest, ABrokenFileChangesNothingHeld) {
    const QString good = WritePicture("white.bmp", Uniform(6, 4, 255));
    OpenClick(ctx, Dialogs(false, good));
    const QImage heldPicture = picture.WorkPicture;
    const PictureMatrices heldMatrices = matrices;
    const Placement heldPlacement = placement;
    const QString broken = dir.filePath("broken.jpg");
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xFF\xD8\xFF\xE0 not really a photo");
    }
    calls.clear();
    op.statuses.clear();
    machine.CurrentCol = 9;
    EXPECT_EQ(OpenClick(ctx, Dialogs(false, broken)), OpenOutcome::LoadFailed);
    ASSERT_EQ(op.messages.size(), 1);
    EXPECT_TRUE(op.messages[0].contains("broken.jpg"));
    EXPECT_EQ(caption, "ZEB-5.5 ");
    EXPECT_EQ(op.statuses, QStringList{"Загрузка файла"});
    EXPECT_EQ(calls, (QStringList{"convert-form", "open-dialog"}));
    EXPECT_EQ(picture.PicturePath, good);
    EXPECT_EQ(picture.WorkPicture, heldPicture);
    EXPECT_EQ(matrices.DotLevels.Rows(), heldMatrices.DotLevels.Rows());
    EXPECT_EQ(Dot(1, 1), 255);
    EXPECT_EQ(placement.PictureOffsetX, heldPlacement.PictureOffsetX);
    EXPECT_EQ(machine.CurrentCol, 9);
}

TEST_F(OpenCommandTest, APictureTooLargeForMemoryIsRefusedAndTheHeldOneStays) {
    const QString small = WritePicture("small.bmp", Uniform(6, 4, 255));
    OpenClick(ctx, Dialogs(false, small));
    const QString large = WritePicture("large.bmp", Uniform(300, 200, 255));
    // Room for what the held matrices give back plus a little: not for 300 x 200.
    ctx.availableMemory = [] { return qint64(100000); };
    EXPECT_EQ(OpenClick(ctx, Dialogs(false, large)), OpenOutcome::LoadFailed);
    ASSERT_EQ(op.messages.size(), 1);
    EXPECT_TRUE(op.messages[0].contains("300 × 200")) << op.messages[0].toStdString();
    EXPECT_EQ(picture.WorkPicture.size(), QSize(6, 4));
    EXPECT_EQ(matrices.W, 6);
    ctx.availableMemory = [] { return PictureMemoryNeed(300, 200); };
    EXPECT_EQ(OpenClick(ctx, Dialogs(false, large)), OpenOutcome::Converted);
    EXPECT_EQ(matrices.W, 300);
}

TEST_F(OpenCommandTest, SaveWritesTheDotPictureOnlyWhenConfirmed) {
    OpenClick(ctx, Dialogs(false, WritePicture("white.bmp", Uniform(6, 4, 255))));
    const QString target = dir.filePath("dots");
    Save1Click(picture, op, [] { return std::optional<QString>(); });
    EXPECT_FALSE(QFile::exists(target));
    Save1Click(picture, op, [&] { return std::optional<QString>(target); });
    ASSERT_TRUE(QFile::exists(target));
    QImage saved(target, "BMP");
    EXPECT_EQ(saved.size(), QSize(6, 4));
    EXPECT_EQ(saved.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(saved.pixel(5, 3), qRgb(255, 255, 255));
    EXPECT_TRUE(op.messages.isEmpty());
}

TEST(OpenMotorSpeedTest, TheStoredSpeedGoesToBothDriversWhenTheLinkIsUp) {
    for (bool ready : {true, false}) {
        testing::LinkRig rig;
        rig.machine.MotorSpeed = 20;
        rig.link.DeviceReady = ready;
        ToneTables tables = StartupToneTables();
        PictureState picture;
        PictureMatrices matrices;
        Placement placement;
        qint32 resolution = 0;
        FieldView view;
        CreateWorkField(view, 50, 40);
        OpenCommandContext ctx{rig.op,     tables, picture,     matrices, placement,
                               resolution, view,   rig.machine, &rig.dev};
        OpenClick(ctx, OpenCommandDialogs{});
        QStringList sent;
        for (const sim::TracedCommand& c : rig.vc.Trace())
            sent << QString::fromLatin1(c.frame.left(4).toHex(' ').toUpper());
        const QStringList expected =
            ready ? QStringList{"1B 40 61 14", "1B 41 61 14"} : QStringList();
        EXPECT_EQ(sent, expected);
        EXPECT_EQ(rig.machine.MotorSpeed, 20);
    }
}

} // namespace
} // namespace zeb
