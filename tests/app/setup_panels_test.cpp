// "Установки" and the service engineer's side of the offscreen window: the position box of
// "Геометрия", the work-field size panel, the silent service panel, the self-test panel, the key
// combination that shows the hidden items, the calibration and the service starts. The rules are
// the core's; here the panels must show them and pass the operator's clicks on.
#include "app/field_widget.h"
#include "app/window_probe.h"
#include "job/job_runner.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>

namespace zeb::app {
namespace {

using testing::Click;
using testing::Find;
using testing::WindowFixture;

int LineCount(const QString& path) {
    return static_cast<int>(testing::ReadFile(path).count("\r\n"));
}

// What a service engineer does: Ctrl+Shift+F12 on the active window.
void PressF12(TMenuForm& form,
              Qt::KeyboardModifiers modifiers = Qt::ControlModifier | Qt::ShiftModifier) {
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F12, modifiers);
}

// Then the size panel and the self-test panel, and "Геометрия" again with the link lost.
TEST(SetupPanels, GeometryCarriesTheNeedleTheSizeAndSelfTestPanelsWork) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    Session& s = form.State();
    s.Config.ResolutionIndex = 1;
    s.Place.PictureOffsetX = 200;
    s.Place.PictureOffsetY = 300;
    s.Place.PictureWidth = 60;
    s.Place.PictureHeight = 40;
    RecomputeHandles(s.Place);
    auto* box = Find<QGroupBox>(form, "GroupBox1");
    form.show();
    form.Item("N4")->trigger();
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->pos(), form.ScrollBox1()->viewport()->mapTo(box->parentWidget(), QPoint(5, 5)));
    for (int position : {0, 2, 3, 4, 6}) // the shown menus of positions 0..6
        EXPECT_FALSE(form.TopMenu(position)->isEnabled()) << position;

    EXPECT_EQ(Find<QLabel>(form, "Label4")->text(), "Перемещение инструмента на позицию");
    QStringList captions;
    for (int k = 7; k <= 16; ++k)
        captions << box->findChild<QPushButton*>(QStringLiteral("Button%1").arg(k))->text();
    for (const char* name : {"AllUp1", "UpMove1", "AllDown1"})
        captions << box->findChild<QRadioButton*>(name)->text();
    EXPECT_EQ(captions.join('|').toStdString(),
              "LeftTop|Middle Top|Right Top|Left Middle|Middle Middle|Right Middle|Left Bottom|"
              "Midle Bottom|Right Bottom|Завершить|Игла всегда поднята.|"
              "Игла поднята при перемещении.|Игла скользит по плоскости.");

    // To the centre first, then with UpMove1 to the top-left point.
    Click(form, "Button11");
    EXPECT_EQ(QPoint(window.controller.HeadColumn(), window.controller.HeadRow()),
              QPoint(230, 320));
    Click(form, "UpMove1");
    const size_t from = window.controller.Trace().size();
    Click(form, "Button7");
    EXPECT_EQ(testing::SentSince(window, from),
              (QStringList{"Up 1B FF 01 01", "ProgX_Motor 1B 40 60 11", "ProgY_Motor 1B 41 60 11",
                           "Right 1B 13 00 1D", "StepDown 1B 11 00 27", "Put 1B FE 00 00"}));
    EXPECT_EQ(QPoint(s.Machine.CurrentCol, s.Machine.CurrentRow), QPoint(200, 300));

    Click(form, "Button16");
    EXPECT_FALSE(box->isVisible());
    EXPECT_TRUE(form.TopMenu(3)->isEnabled());
    EXPECT_TRUE(window.answerer.messages.isEmpty());

    // The size panel resizes the field control only.
    auto* panel = Find(form, "SizePanel");
    auto* width = Find<QSpinBox>(form, "SpinEdit2");
    auto* height = Find<QSpinBox>(form, "SpinEdit3");
    form.Item("N7")->trigger();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(width->value(), 1940);
    EXPECT_EQ(height->value(), 2340);
    width->setValue(-3);
    EXPECT_EQ(form.Image1()->width(), 2);
    width->setValue(700);
    height->setValue(450);
    EXPECT_EQ(form.Image1()->size(), QSize(700, 450));
    EXPECT_EQ(s.View.FieldBitmap.size(), QSize(1930, 2330));
    EXPECT_EQ(s.Config.FieldWidth, 1930);
    Click(form, "Button18");
    EXPECT_FALSE(panel->isVisible());

    // The self-test panel and its step control.
    QAction* item = form.Item("SelfTesting1");
    auto* selfTest = Find(form, "SelfTestingPanel");
    EXPECT_FALSE(selfTest->isVisible());
    item->setEnabled(true); // what the first Open does
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(selfTest->isVisible());
    ASSERT_TRUE(Find<QCheckBox>(form, "StepControlCheckBox")->isChecked());
    Click(form, "StepControlCheckBox");
    EXPECT_FALSE(s.SelfTest.StepControl);
    item->trigger();
    EXPECT_FALSE(selfTest->isVisible());
    EXPECT_FALSE(s.SelfTest.Enabled);
    EXPECT_TRUE(window.answerer.messages.isEmpty())
        << window.answerer.messages.join('|').toStdString();

    // A link lost while the box is up: "Завершить" leaves "Работа" and "Установки" locked,
    // "Порт" and "Тест" usable.
    form.Item("N4")->trigger();
    window.controller.SetSilent(true);
    Click(form, "Button11");
    ASSERT_FALSE(s.Link.DeviceReady);
    Click(form, "Button16");
    EXPECT_FALSE(box->isVisible());
    for (int position : {2, 3, 4, 6})
        EXPECT_EQ(form.TopMenu(position)->isEnabled(), position > 3) << position;
}

TEST(ServiceItems, CtrlShiftF12ShowsTheHiddenItemsAndTheCalibrationRuns) {
    WindowFixture window(testing::WithFile("Zeb.ini", testing::Settings()));
    TMenuForm& form = *window.form;
    form.Item("N8")->trigger(); // hidden and disabled: nothing
    EXPECT_FALSE(QFile::exists(window.dir.File("timing.txt")));
    PressF12(form, {}); // an ordinary F12 does nothing
    EXPECT_FALSE(form.Item("N8")->isVisible());
    PressF12(form);
    for (const char* name : {"StrikeForce1", "N7", "N8", "N3", "N11", "N21"})
        EXPECT_TRUE(form.Item(name)->isVisible()) << name;
    EXPECT_FALSE(form.TopMenu(1)->isVisible()); // the menus the operator never uses

    form.Item("N8")->trigger();
    EXPECT_EQ(window.answerer.messages, QStringList{"Калибровка завершена."});
    form.close();
    EXPECT_EQ(testing::ReadFile(window.dir.File("Zeb.ini")).split('\n').value(13), "3\r");
}

// The service panel stays hidden and shows what the link reports; then the service starts.
TEST(ServiceItems, ServicePanelAndServiceStartsOneAndTwo) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    PressF12(form); // the hidden service items come out, the panel does not
    EXPECT_FALSE(Find(form, "Panel1")->isVisible());
    // The reset at start-up told its time limit, 10000 + 10 x 2330 + 6 x 1930 ms, and the
    // field it homes over.
    EXPECT_EQ(Find<QLineEdit>(form, "Edit5")->text(), "44880      44880");
    EXPECT_EQ(Find<QLineEdit>(form, "Edit6")->text(), "2330    1930");
    // Two asks the controller for the saved position and needs the recovery file.
    size_t from = window.controller.Trace().size();
    form.Item("N21")->trigger();
    ASSERT_GT(window.controller.Trace().size(), from);
    EXPECT_EQ(window.controller.Trace()[from].name, "How");
    ASSERT_EQ(window.answerer.messages.size(), 1);
    EXPECT_TRUE(window.answerer.messages[0].contains("ErorFile.txt"))
        << window.answerer.messages[0].toStdString();
    EXPECT_FALSE(form.Timers().Running(TimerId::Optimizing));

    // One runs the plan file; a mismatch shows on the self-test panel.
    testing::WriteFile(window.dir.File("123123123.txt"), "\r\nGoTo:      1     1\r\nKnock: 11\r\n");
    form.Item("SelfTesting1")->setEnabled(true);
    form.Item("SelfTesting1")->trigger();
    form.Item("N11")->trigger();
    ASSERT_TRUE(form.Timers().Running(TimerId::Optimizing));
    EXPECT_EQ(LineCount(window.dir.File("ErorFile.txt")), 4);

    // The controller's column counter runs two ahead after the strike line.
    window.controller.ShiftCountersAfterNextLine(2);
    for (int tick = 0; tick < 10 && form.Timers().Running(TimerId::Optimizing); ++tick)
        RunNextPlanLine(form.State());
    EXPECT_FALSE(form.Timers().Running(TimerId::Optimizing));
    QStringList positions;
    for (const char* name : {"CountPosXEdit", "RealPosXEdit", "CountPosYEdit", "RealPosYEdit"})
        positions << Find<QLineEdit>(form, name)->text();
    EXPECT_EQ(positions.join(' '), "3 5 1 1");
    EXPECT_EQ(Find<QSpinBox>(form, "ErorCounterEdit")->value(), 1);
    // A mismatch is counted, not logged: the log holds its header only.
    EXPECT_EQ(LineCount(window.dir.File("testing.txt")), 2);
}

} // namespace
} // namespace zeb::app
