// The picture road in the offscreen window: "Открыть" through its three dialogs, "Сохранить",
// a cancelled file dialog, a broken file, and the mouse on the field (ChangeBox, dragging the
// picture, the tool move of "Перемещение иглы").
#include "app/field_widget.h"
#include "app/window_probe.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>

namespace zeb::app {
namespace {

using testing::AnswerFileDialog;
using testing::AnswerOpen;
using testing::WhitePicture;
using testing::WindowFixture;

constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb MarkerOnBlack = 0xFFFFFF00; // the inverting blue pen over the black field
constexpr QRgb MarkerOnWhite = 0xFF0000FF;

// Opens the white picture centred at resolution 0: its top-left dot lands on (920, 1140).
QString OpenWhitePicture(WindowFixture& window) {
    const QString path = WhitePicture(window);
    AnswerOpen(window, path);
    window.form->Item("Open")->trigger();
    return path;
}

TEST(PictureRoad, OpenShowsTheDotPictureAtItsPlaceWithTheNineMarkersAndSaveWritesIt) {
    WindowFixture window(testing::WithFile("Zeb.ini", testing::Settings(4)));
    TMenuForm& form = *window.form;
    Session& s = form.State();
    int heldRow = -1;
    EXPECT_FALSE(form.Item("SelfTesting1")->isEnabled());
    const QString path = WhitePicture(window);
    AnswerOpen(window, path);
    window.answerer.On("Form5", [&heldRow](QDialog* d) {
        auto* box = d->findChild<QListWidget*>("ResolutionBox");
        heldRow = box->currentRow();
        box->setCurrentRow(2); // 35.6 dots per cm, right bottom
        QTest::mouseClick(d->findChild<QPushButton*>("Button9"), Qt::LeftButton);
    });
    form.Item("Open")->trigger();

    EXPECT_EQ(heldRow, 4);
    EXPECT_TRUE(window.answerer.unexpected.isEmpty());
    EXPECT_EQ(form.windowTitle(), "ZEB-5.5   90.3  dpi  =  35.6 т/см    (" + path + ")");
    EXPECT_EQ(s.Config.ResolutionIndex, 2);
    EXPECT_TRUE(form.Item("SelfTesting1")->isEnabled());
    EXPECT_EQ(testing::StatusLine(form), "Изображение готово");
    EXPECT_TRUE(form.Item("Right")->isChecked());
    EXPECT_FALSE(form.Item("VertCentr")->isChecked());
    form.Item("Left")->trigger();
    form.Item("Left")->trigger(); // a checked item stays checked
    EXPECT_TRUE(form.Item("Left")->isChecked());
    EXPECT_FALSE(form.Item("Right")->isChecked());
    EXPECT_EQ(s.Place.Horizontal, HorizontalAlignment::Left);

    // The field at index 2 is 1724 x 2080 dots; the picture sat in its bottom right corner.
    const QImage& field = s.View.Image1;
    const int x0 = 1624;
    const int y0 = 2020;
    EXPECT_EQ(QPoint(s.Place.PictureOffsetX, s.Place.PictureOffsetY), QPoint(x0, y0));
    // Diffusion of white: every dot struck, but for the first row and column.
    EXPECT_EQ(field.pixel(x0 + 25, y0 + 20), White);
    EXPECT_EQ(field.pixel(x0 + 25, y0), Black);
    EXPECT_EQ(field.pixel(x0 + 25, y0 - 1), Black); // the field around it
    // The markers: crosses through the nine handles (at the picture's corners, edge middles
    // and centre), handles 2..9 one pixel further left.
    for (int k = 0; k < 9; ++k) {
        const QPoint handle(x0 + 50 * (k % 3), y0 + 30 * (k / 3));
        const int crossX = handle.x() - (k == 0 ? 0 : 1);
        const QPoint above(crossX, handle.y() - 5); // the cross's upper arm
        const bool onPicture = handle.y() - 5 > y0 && crossX > x0 && crossX < x0 + 100;
        EXPECT_EQ(field.pixel(above), onPicture ? MarkerOnWhite : MarkerOnBlack) << k + 1;
    }

    // "Сохранить", usable now, writes the dot picture as a bitmap under the name as given.
    EXPECT_TRUE(form.Item("Save1")->isEnabled());
    AnswerFileDialog(window, "SaveDialog1", window.dir.File("dots"));
    form.Item("Save1")->trigger();
    EXPECT_TRUE(window.answerer.messages.isEmpty());
    EXPECT_FALSE(QFile::exists(window.dir.File("dots.bmp")));
    const QImage saved(window.dir.File("dots"), "BMP");
    ASSERT_EQ(saved.size(), QSize(100, 60));
    EXPECT_EQ(saved.pixel(0, 30), Black);
    EXPECT_EQ(saved.pixel(1, 1), White);
}

// The labels of TForm5 hold their whole text, one under the other, inside the dialog.
void ExpectFitLabelsLaidOut(QDialog* d) {
    QCoreApplication::processEvents(); // the layout's pending request, as on the screen
    auto* size = d->findChild<QLabel*>("PictureSizeLabel");
    auto* fit = d->findChild<QLabel*>("FieldFitLabel");
    for (QLabel* label : {size, fit}) {
        EXPECT_GE(label->height(), label->heightForWidth(label->width())) << label->text().size();
        EXPECT_TRUE(d->rect().contains(label->geometry())) << label->text().size();
    }
    EXPECT_LT(d->findChild<QWidget*>("Button7")->geometry().bottom(), size->geometry().top());
    EXPECT_LT(size->geometry().bottom(), fit->geometry().top());
    EXPECT_LT(fit->geometry().bottom(), d->findChild<QWidget*>("ToneControls")->geometry().top());
}

TEST(PictureRoad, TheResolutionDialogShowsThePictureSizeAndWhetherItFits) {
    WindowFixture window;
    const QString path = WhitePicture(window, {2000, 10}, "wide.bmp");
    AnswerOpen(window, path);
    QStringList shown;
    window.answerer.On("Form5", [&shown](QDialog* d) {
        auto* size = d->findChild<QLabel*>("PictureSizeLabel");
        auto* fit = d->findChild<QLabel*>("FieldFitLabel");
        const auto note = [&] {
            ExpectFitLabelsLaidOut(d);
            shown << size->text() + " | " + fit->text();
        };
        note(); // centre, 40 dots per cm: 30 dots over each side
        d->findChild<QListWidget*>("ResolutionBox")->setCurrentRow(8);
        note(); // 26.7 dots per cm: the field is 1293 dots wide
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(d->findChild<QPushButton*>("Button1"), &enter);
        note(); // pointing at "Left Top"
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(d->findChild<QPushButton*>("Button1"), &leave);
        note();
        QTest::mouseClick(d->findChild<QPushButton*>("Button5"), Qt::LeftButton);
    });
    window.form->Item("Open")->trigger();

    const QString outside = "Не помещается на рабочем поле (%1 см) при этом расположении: выходит ";
    const QString at0 = "Изображение: 2000 x 10 точек = 50.0 x 0.3 см | ";
    const QString at8 = "Изображение: 2000 x 10 точек = 75.0 x 0.4 см | ";
    EXPECT_EQ(
        shown,
        QStringList({at0 + outside.arg("48.5 x 58.5") + "слева на 0.8 см, справа на 0.8 см.",
                     at8 + outside.arg("48.5 x 58.5") + "слева на 13.3 см, справа на 13.3 см.",
                     at8 + outside.arg("48.5 x 58.5") + "справа на 26.6 см.",
                     at8 + outside.arg("48.5 x 58.5") + "слева на 13.3 см, справа на 13.3 см."}));
    EXPECT_TRUE(window.answerer.unexpected.isEmpty());
}

// The view scrolls to the picture; an Open cancelled converts it again, one of a broken file
// changes nothing; the field shows its border and the needle, and the mouse works on it.
TEST(PictureRoad, ACancelledOrBrokenOpenThenTheMouseOnTheField) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    Session& s = form.State();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QString path = OpenWhitePicture(window);
    FieldWidget* image1 = form.Image1();
    const QRect inView(-image1->pos(), form.ScrollBox1()->viewport()->size());
    EXPECT_TRUE(inView.intersects(QRect(920, 1140, 100, 60))) << inView.x() << "," << inView.y();

    // A cancelled file dialog converts the picture again; a broken file changes nothing.
    const QString caption = form.windowTitle();
    EXPECT_EQ(s.View.Image1.pixel(920 + 1, 1140 + 15), White);
    AnswerOpen(window, QString());
    window.answerer.On("ConvertForm", [](QDialog* d) { d->close(); }); // the close box
    form.Item("Open")->trigger();
    EXPECT_EQ(form.windowTitle(), caption); // neither "ZEB-5.5 " nor TForm5 again
    EXPECT_EQ(s.Picture.PicturePath, path);
    // The dot picture went through the conversion once more: it moved one more dot down and
    // right, so its second row and column are now empty too.
    EXPECT_EQ(s.View.Image1.pixel(920 + 1, 1140 + 15), Black);
    EXPECT_EQ(s.View.Image1.pixel(920 + 25, 1140 + 20), White);

    const QImage fieldBefore = s.View.Image1;
    const QImage pictureBefore = s.Picture.WorkPicture;
    testing::WriteFile(window.dir.File("broken.bmp"), "BM this is no bitmap");
    AnswerOpen(window, window.dir.File("broken.bmp"));
    form.Item("Open")->trigger();
    ASSERT_EQ(window.answerer.messages.size(), 1);
    EXPECT_TRUE(window.answerer.messages[0].contains("broken.bmp"))
        << window.answerer.messages[0].toStdString();
    EXPECT_EQ(s.Picture.PicturePath, path);
    EXPECT_EQ(s.Picture.WorkPicture, pictureBefore);
    EXPECT_EQ(s.View.Image1, fieldBefore);
    EXPECT_EQ(form.windowTitle(), "ZEB-5.5 "); // set before the file is read; TForm5 not shown

    // With "Перемещение иглы" a press carries the needle there: (0, 0) to (30, 10).
    form.Item("HeadMove")->trigger();
    const size_t from = window.controller.Trace().size();
    QTest::mouseClick(image1, Qt::LeftButton, {}, QPoint(30, 10));
    // The field at index 0 is all of Image1, 1940 x 2340.
    const QImage shown = image1->grab().toImage();
    const struct {
        QPoint at;
        QRgb onScreen;
    } cases[] = {
        {{1939, 500}, qRgb(128, 128, 128)},                              // the field's border
        {{0, 500}, qRgb(128, 128, 128)},    {{38, 10}, qRgb(0, 255, 0)}, // the needle's cross
        {{30, 2}, qRgb(0, 255, 0)},         {{945, 1160}, White},        // the picture, not covered
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shown.pixel(c.at), c.onScreen) << c.at.x() << "," << c.at.y();
        // Only on the screen: the field image is what is planned and saved.
        if (c.onScreen != White) {
            EXPECT_EQ(s.View.Image1.pixel(c.at), Black) << c.at.x() << "," << c.at.y();
        }
    }
    EXPECT_EQ(testing::SentSince(window, from),
              (QStringList{"ProgX_Motor 1B 40 60 10", "ProgY_Motor 1B 41 60 10", "Up 1B FF 01 01",
                           "Left 1B 12 00 1D", "StepUp 1B 10 00 13", "Put 1B FE 00 00"}));
    EXPECT_EQ(QPoint(window.controller.HeadColumn(), window.controller.HeadRow()), QPoint(30, 10));
    EXPECT_EQ(form.Timers().Timer(TimerId::Timer2)->interval(), 4000);
    EXPECT_TRUE(form.Timers().Timer(TimerId::Timer2)->isActive());
    // While a job runs the field takes no orders, and the item is not switched on, but
    // always off.
    s.Job.Running = true;
    QTest::mouseClick(image1, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(window.controller.Trace().size(), from + 6);
    for (int twice = 0; twice < 2; ++twice)
        form.Item("HeadMove")->trigger();
    EXPECT_FALSE(form.Item("HeadMove")->isChecked());
    EXPECT_FALSE(s.MouseModes.HeadMove);
    s.Job.Running = false;

    // A right press on a handle shows ChangeBox beside it; handles 4, 5, 6 are at
    // (920, 1170), (970, 1170), (1020, 1170).
    auto* changeBox = testing::Find(form, "ChangeBox");
    QTest::mouseClick(image1, Qt::RightButton, {}, QPoint(985, 1170));
    EXPECT_FALSE(changeBox->isVisible());
    QTest::mouseClick(image1, Qt::RightButton, {}, QPoint(972, 1165));
    ASSERT_TRUE(changeBox->isVisible());
    // Beside the handle, kept within the part of the field in view.
    QWidget* viewport = form.ScrollBox1()->viewport();
    const QRect visible(viewport->mapToGlobal(QPoint(0, 0)), viewport->size());
    const QRect box(changeBox->mapToGlobal(QPoint(0, 0)), changeBox->size());
    EXPECT_TRUE(visible.contains(box)) << box.x() << "," << box.y();
    const QPoint handle = image1->mapToGlobal(QPoint(992, 1165));
    EXPECT_TRUE(box.x() <= handle.x() && box.y() <= handle.y());
    testing::Click(form, "Ok");
    EXPECT_FALSE(changeBox->isVisible());

    // With "Marker", grab the bottom right handle (1020, 1200) two dots off and pull it 30
    // right, 40 down: the picture follows on release.
    testing::Click(form, "Marker");
    QTest::mousePress(image1, Qt::LeftButton, {}, QPoint(1022, 1201));
    QTest::mouseMove(image1, QPoint(1052, 1241));
    QTest::mouseRelease(image1, Qt::LeftButton, {}, QPoint(1052, 1241));
    EXPECT_EQ(QPoint(s.Place.PictureOffsetX, s.Place.PictureOffsetY), QPoint(950, 1180));
    EXPECT_EQ(s.View.Image1.pixel(945, 1160), Black); // where it was
    EXPECT_EQ(s.View.Image1.pixel(975, 1200), White); // where it is now
    EXPECT_EQ(window.answerer.messages.size(), 1);    // the broken file's only
}

} // namespace
} // namespace zeb::app
