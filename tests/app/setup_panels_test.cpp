// "Установки" in the offscreen window: the position box of "Геометрия" with its captions and
// the bytes its buttons send, "Разогрев" on the status line, "Перемещение иглы", the
// work-field size panel and the silent service panel.
#include "app/field_widget.h"
#include "common/window_fixture.h"
#include "job/session.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace zeb::app {
namespace {

using testing::WindowFixture;

template <class W>
W* Find(TMenuForm& form, const char* name) {
    W* widget = form.centralWidget()->findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QString StatusLine(TMenuForm& form) {
    return Find<QPlainTextEdit>(form, "Memo1")->toPlainText().section('\n', 1, 1);
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

TEST(SetupPanels, GeometryShowsThePositionBoxAndFinishUnlocks) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    auto* box = Find<QGroupBox>(form, "GroupBox1");
    EXPECT_FALSE(box->isVisible());
    form.show();
    form.Item("N4")->trigger();
    EXPECT_TRUE(box->isVisible());
    const QPoint corner = form.ScrollBox1()->viewport()->mapTo(box->parentWidget(), QPoint(5, 5));
    EXPECT_EQ(box->pos(), corner);
    // The visible menus of positions 0..6 ("Sevice" and "Расположение" are never shown).
    for (int position : {0, 2, 3, 4, 6})
        EXPECT_FALSE(form.TopMenu(position)->isEnabled()) << position;

    EXPECT_EQ(Find<QLabel>(form, "Label4")->text(), "Перемещение инструмента на позицию");
    const char* captions[] = {"LeftTop",     "Middle Top",    "Right Top",
                              "Left Middle", "Middle Middle", "Right Middle",
                              "Left Bottom", "Midle Bottom",  "Right Bottom"};
    for (int k = 0; k < 9; ++k) {
        const QString name = QStringLiteral("Button%1").arg(7 + k);
        auto* button = box->findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        EXPECT_EQ(button->text(), captions[k]);
    }
    EXPECT_TRUE(Find<QRadioButton>(form, "AllUp1")->isChecked());
    EXPECT_EQ(Find<QRadioButton>(form, "AllUp1")->text(), "Игла всегда поднята.");
    EXPECT_EQ(Find<QRadioButton>(form, "UpMove1")->text(), "Игла поднята при перемещении.");
    EXPECT_EQ(Find<QRadioButton>(form, "AllDown1")->text(), "Игла скользит по плоскости.");

    auto* finish = Find<QPushButton>(form, "Button16");
    EXPECT_EQ(finish->text(), "Завершить");
    QTest::mouseClick(finish, Qt::LeftButton);
    EXPECT_FALSE(box->isVisible());
    for (int position : {0, 2, 3, 4, 6})
        EXPECT_TRUE(form.TopMenu(position)->isEnabled()) << position;
}

TEST(SetupPanels, FinishKeepsTheDeviceMenusLockedWhenTheLinkWasLost) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    form.show();
    form.Item("N4")->trigger();
    window.controller.SetSilent(true);
    QTest::mouseClick(Find<QPushButton>(form, "Button11"), Qt::LeftButton);
    ASSERT_FALSE(form.State().Link.DeviceReady);
    QTest::mouseClick(Find<QPushButton>(form, "Button16"), Qt::LeftButton);
    EXPECT_FALSE(Find<QWidget>(form, "GroupBox1")->isVisible());
    EXPECT_FALSE(form.TopMenu(2)->isEnabled()); // "Работа"
    EXPECT_FALSE(form.TopMenu(3)->isEnabled()); // "Установки"
    EXPECT_TRUE(form.TopMenu(4)->isEnabled());  // "Порт"
    EXPECT_TRUE(form.TopMenu(6)->isEnabled());  // "Тест"
}

TEST(SetupPanels, PositionButtonsCarryTheNeedleToThePicturesPoints) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    Session& s = form.State();
    s.Config.ResolutionIndex = 1;
    s.Place.DragOffsetX = 200;
    s.Place.DragOffsetY = 300;
    s.Place.PictureWidth = 60;
    s.Place.PictureHeight = 40;
    RecomputeHandles(s.Place);
    form.show();
    form.Item("N4")->trigger();
    // To the centre first.
    QTest::mouseClick(Find<QPushButton>(form, "Button11"), Qt::LeftButton);
    EXPECT_EQ(QPoint(window.controller.HeadColumn(), window.controller.HeadRow()),
              QPoint(230, 320));

    QTest::mouseClick(Find<QRadioButton>(form, "UpMove1"), Qt::LeftButton);
    size_t from = window.controller.Trace().size();
    QTest::mouseClick(Find<QPushButton>(form, "Button7"), Qt::LeftButton);
    EXPECT_EQ(SentSince(window, from),
              (QStringList{"Up 1B FF 01 01", "ProgX_Motor 1B 40 60 11", "ProgY_Motor 1B 41 60 11",
                           "Right 1B 13 00 1D", "StepDown 1B 11 00 27", "Put 1B FE 00 00"}));
    EXPECT_EQ(QPoint(window.controller.HeadColumn(), window.controller.HeadRow()),
              QPoint(200, 300));

    from = window.controller.Trace().size();
    QTest::mouseClick(Find<QPushButton>(form, "Button7"), Qt::LeftButton);
    EXPECT_EQ(SentSince(window, from), (QStringList{"Up 1B FF 01 01", "ProgX_Motor 1B 40 60 11",
                                                    "ProgY_Motor 1B 41 60 11", "Put 1B FE 00 00"}));
    // Sliding: the needle is lowered before and stays down.
    QTest::mouseClick(Find<QRadioButton>(form, "AllDown1"), Qt::LeftButton);
    from = window.controller.Trace().size();
    QTest::mouseClick(Find<QPushButton>(form, "Button7"), Qt::LeftButton);
    EXPECT_EQ(SentSince(window, from), (QStringList{"Put 1B FE 00 00", "ProgX_Motor 1B 40 60 11",
                                                    "ProgY_Motor 1B 41 60 11"}));

    EXPECT_EQ(QPoint(s.Machine.CurrentCol, s.Machine.CurrentRow), QPoint(200, 300));
    EXPECT_TRUE(window.answerer.messages.isEmpty());
}

TEST(SetupPanels, WarmUpCountsOnTheStatusLineAndLeavesTheGaugeAtZero) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    form.Item("N6")->trigger();
    EXPECT_EQ(window.controller.WarmUpStrikes(), 60);
    EXPECT_EQ(StatusLine(form), "Разогрев головки - 95");
    EXPECT_EQ(Find<QProgressBar>(form, "Gauge1")->value(), 0);
    EXPECT_TRUE(window.answerer.messages.isEmpty());
}

TEST(SetupPanels, HeadMoveIsNotSwitchedOnDuringAJobButAlwaysOff) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    QAction* item = form.Item("HeadMove");
    Session& s = form.State();
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(s.Place.HeadMove);
    s.Place.JobRunning = true;
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(s.Place.HeadMove);
}

TEST(SetupPanels, TheSizePanelResizesTheFieldControlOnly) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    Session& s = form.State();
    auto* panel = Find<QWidget>(form, "SizePanel");
    auto* width = Find<QSpinBox>(form, "SpinEdit2");
    auto* height = Find<QSpinBox>(form, "SpinEdit3");
    EXPECT_EQ(Find<QLabel>(form, "Label18")->text(), "Размер рабочего поля");
    EXPECT_TRUE(Find<QLabel>(form, "Label18")->font().bold());
    EXPECT_EQ(Find<QLabel>(form, "Label32")->text(), "DPI / 2,54=cм");
    EXPECT_EQ(Find<QPushButton>(form, "Button18")->text(), "OK");

    form.show();
    form.Item("N7")->trigger();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(width->value(), 1940);
    EXPECT_EQ(height->value(), 2340);

    width->setValue(0);
    EXPECT_EQ(form.Image1()->width(), 2);
    EXPECT_EQ(s.View.Image1.width(), 2);
    width->setValue(-3);
    EXPECT_EQ(form.Image1()->width(), 2);
    width->setValue(700);
    height->setValue(450);
    EXPECT_EQ(form.Image1()->size(), QSize(700, 450));
    EXPECT_EQ(s.View.FieldBitmap.size(), QSize(1930, 2330));
    EXPECT_EQ(s.Config.FieldWidth, 1930);

    QTest::mouseClick(Find<QPushButton>(form, "Button18"), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
}

TEST(SetupPanels, TheServicePanelStaysHiddenAndItsButtonsSendNothing) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    auto* panel = Find<QWidget>(form, "Panel1");
    form.show();
    EXPECT_FALSE(panel->isVisible());
    QStringList captions;
    const size_t from = window.controller.Trace().size();
    for (QPushButton* button : panel->findChildren<QPushButton*>()) {
        captions << button->text();
        button->click();
    }
    for (const char* caption : {"up", "Down", "<", ">", "Strike", "StrikeBack", "i2c writ",
                                "IglaFly", "IglaUp", "IglaPut", "RecordingProgramm"})
        EXPECT_TRUE(captions.contains(caption)) << caption;
    EXPECT_TRUE(SentSince(window, from).isEmpty());
    EXPECT_FALSE(panel->isVisible());
}

} // namespace
} // namespace zeb::app
