// The service engineer's side of the offscreen window: the self-test panel and its log, the
// key combination that shows the hidden items, and the calibration from the menu.
#include "common/window_fixture.h"
#include "job/job_runner.h"
#include "job/session.h"
#include "setup/file_helpers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace zeb::app {
namespace {

using testing::ReadBytes;
using testing::WindowFixture;

template <class W>
W* Find(TMenuForm& form, const char* name) {
    W* widget = form.centralWidget()->findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QStringList Lines(const QByteArray& bytes) {
    QStringList lines = QString::fromLatin1(bytes).split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

const char* const HiddenServiceItems[] = {"StrikeForce1", "N7", "N8", "N3", "N11", "N21"};

// What a service engineer does: Ctrl+Shift+F12 on the active window.
void RevealServiceItems(TMenuForm& form) {
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F12, Qt::ControlModifier | Qt::ShiftModifier);
}

TEST(ServiceItems, SelfTestPanelCaptionsAndItsLog) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    QAction* item = form.Item("SelfTesting1");
    EXPECT_FALSE(item->isEnabled());
    auto* panel = Find<QWidget>(form, "SelfTestingPanel");
    form.show();
    EXPECT_FALSE(panel->isVisible());

    item->setEnabled(true); // what the first Open does
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(panel->isVisible());
    QStringList captions;
    for (QLabel* label : panel->findChildren<QLabel*>())
        captions << label->text();
    for (const char* caption : {"Eror Counter", "Need Comand", "Get Comand", "Count. Pos. X",
                                "Real Pos. X", "Count. Pos. Y", "Real Pos. Y"})
        EXPECT_TRUE(captions.contains(caption)) << caption;
    EXPECT_EQ(Find<QCheckBox>(form, "StepControlCheckBox")->text(), "StepControl");
    EXPECT_TRUE(Find<QCheckBox>(form, "StepControlCheckBox")->isChecked());
    EXPECT_EQ(Find<QCheckBox>(form, "CheckBox1")->text(), "Write File");
    EXPECT_TRUE(Find<QCheckBox>(form, "CheckBox1")->isChecked());
    auto* counter = Find<QSpinBox>(form, "ErorCounterEdit");
    EXPECT_EQ(counter->value(), 0);
    EXPECT_EQ(Lines(ReadBytes(window.dir.File("testing.txt"))).size(), 2);

    // A garbled acknowledgement during the warm-up: one record, the counter at 1.
    window.controller.AnswerNextFrameWrongly();
    form.Item("N6")->trigger();
    const QStringList lines = Lines(ReadBytes(window.dir.File("testing.txt")));
    ASSERT_EQ(lines.size(), 2 + 11);
    EXPECT_EQ(lines[2], QString::fromLatin1("\xCE\xF8\xE8\xE1\xEA\xE0 0"));
    EXPECT_EQ(counter->value(), 1);

    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(form.State().SelfTest.Enabled);
    item->trigger();
    EXPECT_EQ(Lines(ReadBytes(window.dir.File("testing.txt"))).size(), 2);
    EXPECT_TRUE(window.answerer.messages.isEmpty())
        << window.answerer.messages.join('|').toStdString();
}

TEST(ServiceItems, StepControlFollowsItsCheckBox) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    form.show();
    auto* box = Find<QCheckBox>(form, "StepControlCheckBox");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(form.State().SelfTest.StepControl);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_TRUE(form.State().SelfTest.StepControl);
}

TEST(ServiceItems, CtrlShiftF12ShowsTheHiddenServiceItems) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    for (const char* name : HiddenServiceItems)
        EXPECT_FALSE(form.Item(name)->isVisible()) << name;
    EXPECT_FALSE(form.Item("N8")->isEnabled());
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    // An ordinary F12 does nothing.
    QTest::keyClick(&form, Qt::Key_F12);
    EXPECT_FALSE(form.Item("N8")->isVisible());
    RevealServiceItems(form);
    for (const char* name : HiddenServiceItems)
        EXPECT_TRUE(form.Item(name)->isVisible()) << name;
    EXPECT_TRUE(form.Item("N8")->isEnabled());
    // The menus the operator never uses stay hidden.
    EXPECT_FALSE(form.TopMenu(1)->isVisible());
    EXPECT_FALSE(form.TopMenu(5)->isVisible());
}

void WriteSettings(const QString& dir) {
    testing::WriteBytes(dir + "/Zeb.ini",
                        "Group\r\nKnKHel4-14\r\nKnKHel3-10\r\nKnKHel2-5\r\nKnKHel1-2\r\nInd  \r\n"
                        "KnKHel4-14\r\nKnKHel3-10\r\nKnKHel2-5\r\nKnKHel1-2\r\ncom1\r\n1930\r\n"
                        "2330\r\n0\r\n12\r\n8\r\n1\r\n");
}

TEST(ServiceItems, CalibrationFromTheMenuWritesTheReportAndSavesResolutionThree) {
    WindowFixture::Setup setup;
    setup.files = WriteSettings;
    WindowFixture window(setup);
    TMenuForm& form = *window.form;
    form.Item("N8")->trigger(); // hidden and disabled: nothing
    EXPECT_FALSE(QFile::exists(window.dir.File("timing.txt")));
    RevealServiceItems(form);
    form.Item("N8")->trigger();
    EXPECT_EQ(window.answerer.messages, QStringList{"Калибровка завершена."});
    const QStringList report = Lines(ReadBytes(window.dir.File("timing.txt")));
    ASSERT_EQ(report.size(), 108);
    EXPECT_EQ(report.first(), "Comand");
    EXPECT_EQ(report[106], "Down=");
    EXPECT_EQ(form.State().Config.ResolutionIndex, 3);

    form.Item("N8")->trigger();
    EXPECT_EQ(window.answerer.messages.last(), "Устройство уже калибровано.");

    form.close();
    EXPECT_EQ(Lines(ReadBytes(window.dir.File("Zeb.ini"))).value(13), "3");
}

TEST(ServiceItems, ServiceStartOneRunsThePlanAndAMismatchShowsOnThePanel) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    Session& s = form.State();
    testing::WriteBytes(window.dir.File("123123123.txt"),
                        "\r\nGoTo:      1     1\r\nKnock: 11\r\n");
    form.Item("SelfTesting1")->setEnabled(true);
    form.Item("SelfTesting1")->trigger();
    RevealServiceItems(form);
    form.Item("N11")->trigger();
    ASSERT_TRUE(form.Timers().Running(TimerId::Optimizing));
    EXPECT_EQ(Lines(ReadBytes(window.dir.File("ErorFile.txt"))).size(), 4);

    // The controller's column counter runs two ahead after the strike line.
    window.controller.ShiftCountersAfterNextLine(2);
    for (int tick = 0; tick < 10 && form.Timers().Running(TimerId::Optimizing); ++tick)
        OptimizingTimer(s);
    EXPECT_FALSE(form.Timers().Running(TimerId::Optimizing));
    EXPECT_EQ(Find<QLineEdit>(form, "CountPosXEdit")->text(), "3");
    EXPECT_EQ(Find<QLineEdit>(form, "RealPosXEdit")->text(), "5");
    EXPECT_EQ(Find<QLineEdit>(form, "CountPosYEdit")->text(), "1");
    EXPECT_EQ(Find<QLineEdit>(form, "RealPosYEdit")->text(), "1");
    EXPECT_EQ(Find<QSpinBox>(form, "ErorCounterEdit")->value(), 1);
    // A mismatch is counted, not logged: the log holds its header only.
    EXPECT_EQ(Lines(ReadBytes(window.dir.File("testing.txt"))).size(), 2);
}

TEST(ServiceItems, ServiceStartTwoAsksForTheSavedPositionAndNeedsTheRecoveryFile) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    RevealServiceItems(form);
    const size_t from = window.controller.Trace().size();
    form.Item("N21")->trigger();
    ASSERT_GT(window.controller.Trace().size(), from);
    EXPECT_EQ(window.controller.Trace()[from].name, "How");
    ASSERT_EQ(window.answerer.messages.size(), 1);
    EXPECT_TRUE(window.answerer.messages[0].contains("ErorFile.txt"))
        << window.answerer.messages[0].toStdString();
    EXPECT_FALSE(form.Timers().Running(TimerId::Optimizing));
}

} // namespace
} // namespace zeb::app
