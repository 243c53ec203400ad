// The picture road in the offscreen window: "Открыть" through its three dialogs, the caption,
// the re-conversion after a cancelled file dialog, a broken file, "Сохранить", and the mouse
// on the field (ChangeBox, dragging the picture, the tool move of "Перемещение иглы").
#include "app/field_widget.h"
#include "common/window_fixture.h"
#include "job/session.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace zeb::app {
namespace {

using testing::WindowFixture;

constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb MarkerOnBlack = 0xFFFFFF00; // the inverting blue pen over the black field
constexpr QRgb MarkerOnWhite = 0xFF0000FF;

// A white 100 x 60 picture in the start directory.
QString WhitePicture(const WindowFixture& window) {
    const QString path = window.dir.File("white.bmp");
    QImage picture(100, 60, QImage::Format_RGB32);
    picture.fill(Qt::white);
    EXPECT_TRUE(picture.save(path, "BMP"));
    return path;
}

// Answers the Open road's dialogs: the diffusion conversion, `path` (or Cancel when empty),
// then TForm5 with resolution 0 and centre/centre.
void AnswerOpen(WindowFixture& window, const QString& path) {
    window.answerer.On("ConvertForm", [](QDialog* d) {
        QTest::mouseClick(d->findChild<QRadioButton*>("RadioButton4"), Qt::LeftButton);
        QTest::mouseClick(d->findChild<QPushButton*>("Button1"), Qt::LeftButton);
    });
    window.answerer.On("OpenDialog1", [path](QDialog* d) {
        auto* dialog = qobject_cast<QFileDialog*>(d);
        ASSERT_NE(dialog, nullptr);
        if (path.isEmpty())
            return dialog->reject();
        dialog->selectFile(path);
        d->accept(); // through QDialog: the file dialog's own accept is not public
    });
    window.answerer.On("Form5", [](QDialog* d) {
        d->findChild<QListWidget*>("ResolutionBox")->setCurrentRow(0);
        QTest::mouseClick(d->findChild<QPushButton*>("Button5"), Qt::LeftButton);
    });
}

// Opens the white picture at resolution 0, centred: its top-left dot lands on (920, 1140).
QString OpenWhitePicture(WindowFixture& window) {
    const QString path = WhitePicture(window);
    AnswerOpen(window, path);
    window.form->Item("Open")->trigger();
    return path;
}

QString StatusLine(TMenuForm& form) {
    return form.findChild<QPlainTextEdit*>("Memo1")->toPlainText().section('\n', 1, 1);
}

// Command names and code bytes the controller saw from `from` on.
QStringList SentSince(const WindowFixture& window, size_t from) {
    QStringList sent;
    const auto& trace = window.controller.Trace();
    for (size_t i = from; i < trace.size(); ++i)
        sent << trace[i].name + " " +
                    QString::fromLatin1(trace[i].frame.left(4).toHex(' ').toUpper());
    return sent;
}

TEST(PictureRoad, OpenShowsTheDotPictureAtItsPlaceWithTheNineMarkers) {
    // Settings hold resolution 4, which TForm5 shows selected.
    WindowFixture::Setup setup;
    setup.files = [](const QString& dir) {
        QFile ini(dir + "/Zeb.ini");
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("Group\r\nKnKHel4-14\r\nKnKHel3-10\r\nKnKHel2-5\r\nKnKHel1-2\r\nInd  \r\n"
                  "KnKHel4-14\r\nKnKHel3-10\r\nKnKHel2-5\r\nKnKHel1-2\r\ncom1\r\n1930\r\n2330\r\n"
                  "4\r\n12\r\n8\r\n1\r\n");
    };
    WindowFixture window(std::move(setup));
    TMenuForm& form = *window.form;
    Session& s = form.State();
    const QString path = WhitePicture(window);
    AnswerOpen(window, path);
    int heldRow = -1;
    window.answerer.On("Form5", [&heldRow](QDialog* d) {
        auto* box = d->findChild<QListWidget*>("ResolutionBox");
        heldRow = box->currentRow();
        box->setCurrentRow(2); // 35.6 dots per cm, right bottom
        QTest::mouseClick(d->findChild<QPushButton*>("Button9"), Qt::LeftButton);
    });
    EXPECT_FALSE(form.Item("SelfTesting1")->isEnabled());

    form.Item("Open")->trigger();

    EXPECT_EQ(heldRow, 4);
    EXPECT_TRUE(window.answerer.messages.isEmpty())
        << window.answerer.messages.join('|').toStdString();
    EXPECT_TRUE(window.answerer.unexpected.isEmpty());
    EXPECT_EQ(form.windowTitle(), "ZEB-5.5   90.3  dpi  =  35.6 т/см    (" + path + ")");
    EXPECT_EQ(s.Config.ResolutionIndex, 2);
    EXPECT_TRUE(form.Item("SelfTesting1")->isEnabled());
    EXPECT_EQ(StatusLine(form), "Изображение готово");
    for (const char* name : {"Left", "HorCenrt", "Up", "VertCentr"})
        EXPECT_FALSE(form.Item(name)->isChecked()) << name;
    EXPECT_TRUE(form.Item("Right")->isChecked());
    EXPECT_TRUE(form.Item("Down")->isChecked());
    form.Item("Left")->trigger();
    form.Item("Left")->trigger(); // a checked item stays checked
    EXPECT_TRUE(form.Item("Left")->isChecked());
    EXPECT_FALSE(form.Item("Right")->isChecked());
    EXPECT_EQ(s.Place.Horizontal, HorizontalAlignment::Left);

    // The field at index 2 is 1724 x 2080 dots; the picture sits in its bottom right corner.
    const QImage& field = s.View.Image1;
    const int x0 = 1624;
    const int y0 = 2020;
    EXPECT_EQ(QPoint(s.Place.PictureOffsetX, s.Place.PictureOffsetY), QPoint(x0, y0));
    // Diffusion of white: every dot struck, but for the first row and column.
    EXPECT_EQ(field.pixel(x0 + 25, y0 + 20), White);
    EXPECT_EQ(field.pixel(x0 + 25, y0), Black);
    EXPECT_EQ(field.pixel(x0, y0 + 15), Black);
    EXPECT_EQ(field.pixel(x0 + 25, y0 - 1), Black); // the field around it
    // The markers: crosses through the nine handles, outlines 20 dots wide.
    const QPoint handles[] = {{x0, y0},      {x0 + 50, y0},      {x0 + 100, y0},
                              {x0, y0 + 30}, {x0 + 50, y0 + 30}, {x0 + 100, y0 + 30},
                              {x0, y0 + 60}, {x0 + 50, y0 + 60}, {x0 + 100, y0 + 60}};
    for (int k = 0; k < 9; ++k) {
        const int crossX = handles[k].x() - (k == 0 ? 0 : 1);
        const QPoint above(crossX, handles[k].y() - 5); // the cross's upper arm
        const bool onPicture = handles[k].y() - 5 > y0 && crossX > x0 && crossX < x0 + 100;
        EXPECT_EQ(field.pixel(above), onPicture ? MarkerOnWhite : MarkerOnBlack) << k + 1;
    }
    EXPECT_EQ(form.Image1()->size(), field.size());
}

TEST(PictureRoad, CancelledFileDialogConvertsTheHeldPictureAgain) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    Session& s = form.State();
    const QString path = OpenWhitePicture(window);
    const QString caption = form.windowTitle();
    EXPECT_EQ(s.View.Image1.pixel(920 + 1, 1140 + 15), White);
    s.Machine.CurrentCol = 7;

    AnswerOpen(window, QString());
    window.answerer.On("ConvertForm", [](QDialog* d) { d->close(); }); // the close box
    form.Item("Open")->trigger();

    EXPECT_EQ(form.windowTitle(), caption); // neither "ZEB-5.5 " nor TForm5 again
    EXPECT_EQ(s.Picture.PicturePath, path);
    EXPECT_FALSE(s.Picture.CombinedConversion);
    EXPECT_EQ(s.Machine.CurrentCol, 0);
    // The dot picture went through the conversion once more: it moved one more dot down and
    // right, so its second row and column are now empty too.
    EXPECT_EQ(s.View.Image1.pixel(920 + 1, 1140 + 15), Black);
    EXPECT_EQ(s.View.Image1.pixel(920 + 25, 1140 + 1), Black);
    EXPECT_EQ(s.View.Image1.pixel(920 + 25, 1140 + 20), White);
    EXPECT_EQ(StatusLine(form), "Изображение готово");
}

TEST(PictureRoad, ABrokenFileIsNamedAndChangesNothingHeld) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    Session& s = form.State();
    const QString path = OpenWhitePicture(window);
    const QImage fieldBefore = s.View.Image1;
    const QImage pictureBefore = s.Picture.WorkPicture;
    const QString broken = window.dir.File("broken.bmp");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BM this is no bitmap");
    file.close();

    AnswerOpen(window, broken);
    form.Item("Open")->trigger();

    ASSERT_EQ(window.answerer.messages.size(), 1);
    EXPECT_TRUE(window.answerer.messages[0].contains("broken.bmp"))
        << window.answerer.messages[0].toStdString();
    EXPECT_EQ(s.Picture.PicturePath, path);
    EXPECT_EQ(s.Picture.WorkPicture, pictureBefore);
    EXPECT_EQ(s.View.Image1, fieldBefore);
    EXPECT_EQ(form.windowTitle(), "ZEB-5.5 "); // set before the file is read; TForm5 not shown
}

TEST(PictureRoad, SaveWritesTheDotPictureUnderTheNameAsGiven) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    OpenWhitePicture(window);
    const QString target = window.dir.File("dots");
    window.answerer.On("SaveDialog1", [target](QDialog* d) {
        auto* dialog = qobject_cast<QFileDialog*>(d);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(target);
        d->accept(); // through QDialog: the file dialog's own accept is not public
    });
    form.Item("Save1")->trigger();

    EXPECT_TRUE(window.answerer.messages.isEmpty())
        << window.answerer.messages.join('|').toStdString();
    EXPECT_FALSE(QFile::exists(target + ".bmp"));
    const QImage saved(target, "BMP"); // read as a bitmap only
    ASSERT_EQ(saved.size(), QSize(100, 60));
    EXPECT_EQ(saved.pixel(0, 30), Black);
    EXPECT_EQ(saved.pixel(1, 1), White);
}

TEST(PictureRoad, RightPressOnAHandleShowsChangeBoxBesideIt) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    OpenWhitePicture(window);
    form.show();
    auto* changeBox = form.centralWidget()->findChild<QWidget*>("ChangeBox");
    FieldWidget* image1 = form.Image1();

    // Handles 4, 5, 6 at (920, 1170), (970, 1170), (1020, 1170).
    QTest::mouseClick(image1, Qt::RightButton, {}, QPoint(900, 1100));
    EXPECT_FALSE(changeBox->isVisible());
    QTest::mouseClick(image1, Qt::RightButton, {}, QPoint(985, 1170));
    EXPECT_FALSE(changeBox->isVisible());
    QTest::mouseClick(image1, Qt::RightButton, {}, QPoint(972, 1165));
    ASSERT_TRUE(changeBox->isVisible());
    EXPECT_EQ(changeBox->mapToGlobal(QPoint(0, 0)), image1->mapToGlobal(QPoint(992, 1165)));

    QTest::mouseClick(changeBox->findChild<QPushButton*>("Ok"), Qt::LeftButton);
    EXPECT_FALSE(changeBox->isVisible());
}

TEST(PictureRoad, DraggingAHandleWithMarkerMovesThePicture) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    Session& s = form.State();
    OpenWhitePicture(window);
    form.show();
    QTest::mouseClick(form.centralWidget()->findChild<QRadioButton*>("Marker"), Qt::LeftButton);
    EXPECT_TRUE(s.Place.MarkerChecked);
    FieldWidget* image1 = form.Image1();

    // Grab the bottom right handle (1020, 1200) two dots off, and pull it 30 right, 40 down.
    QTest::mousePress(image1, Qt::LeftButton, {}, QPoint(1022, 1201));
    QTest::mouseMove(image1, QPoint(1052, 1241));
    // While dragging only the markers follow: handle 1 is now at (950, 1180).
    EXPECT_EQ(s.View.Image1.pixel(950, 1175), MarkerOnWhite);
    EXPECT_EQ(s.View.Image1.pixel(945, 1160), White);
    QTest::mouseRelease(image1, Qt::LeftButton, {}, QPoint(1052, 1241));

    EXPECT_EQ(QPoint(s.Place.PictureOffsetX, s.Place.PictureOffsetY), QPoint(950, 1180));
    EXPECT_EQ(s.View.Image1.pixel(945, 1160), Black); // where it was
    EXPECT_EQ(s.View.Image1.pixel(975, 1200), White); // where it is now
    EXPECT_FALSE(s.Place.Dragged);
}

TEST(PictureRoad, PressWithHeadMoveCarriesTheNeedleThere) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    Session& s = form.State();
    form.show();
    form.Item("HeadMove")->trigger();
    ASSERT_TRUE(form.Item("HeadMove")->isChecked());

    size_t from = window.controller.Trace().size();
    QTest::mouseClick(form.Image1(), Qt::LeftButton, {}, QPoint(30, 10));
    EXPECT_EQ(SentSince(window, from),
              (QStringList{"ProgX_Motor 1B 40 60 10", "ProgY_Motor 1B 41 60 10", "Up 1B FF 01 01",
                           "Left 1B 12 00 1D", "StepUp 1B 10 00 13", "Put 1B FE 00 00"}));
    EXPECT_EQ(QPoint(window.controller.HeadColumn(), window.controller.HeadRow()), QPoint(30, 10));
    QTimer* timer2 = form.Timers().Timer(TimerId::Timer2);
    EXPECT_TRUE(timer2->isActive());
    EXPECT_EQ(timer2->interval(), 4000);
    QMetaObject::invokeMethod(timer2, "timeout");
    EXPECT_FALSE(timer2->isActive());

    // "Опущена": the needle slides, lowered before the move and left so.
    QTest::mouseClick(form.centralWidget()->findChild<QRadioButton*>("AllDown"), Qt::LeftButton);
    from = window.controller.Trace().size();
    QTest::mouseClick(form.Image1(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(SentSince(window, from),
              (QStringList{"ProgX_Motor 1B 40 60 10", "ProgY_Motor 1B 41 60 10", "Put 1B FE 00 00",
                           "Right 1B 13 00 13"}));
    EXPECT_EQ(QPoint(s.Machine.CurrentCol, s.Machine.CurrentRow), QPoint(10, 10));

    // While a job runs the field takes no orders.
    s.Place.JobRunning = true;
    from = window.controller.Trace().size();
    QTest::mouseClick(form.Image1(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(window.controller.Trace().size(), from);
    EXPECT_TRUE(window.answerer.messages.isEmpty());
}

} // namespace
} // namespace zeb::app
