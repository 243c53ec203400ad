// The window's start: default settings written, a language file applied, the link checked.
#include "app/field_widget.h"
#include "common/window_fixture.h"
#include "job/session.h"
#include "link/window_timers.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace zeb::app {
namespace {

using testing::WindowFixture;

void WriteCp1251(const QString& path, const QString& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QStringEncoder encode("Windows-1251");
    file.write(encode(text));
}

QString StatusLine(TMenuForm& form) {
    return form.findChild<QPlainTextEdit*>("Memo1")->toPlainText().section('\n', 1, 1);
}

TEST(StartUp, WritesTheDefaultSettingsWhenTheFileIsMissing) {
    WindowFixture window;
    QFile file(window.dir.File("Zeb.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Group\r\nKnKHel4-14\r\nKnKHel3-10\r\nKnKHel2-5\r\n"
                                         "KnKHel1-2\r\nInd  \r\nKnKHel4-14\r\nKnKHel3-10\r\n"
                                         "KnKHel2-5\r\nKnKHel1-2\r\ncom1\r\n1930\r\n2330\r\n"
                                         "0\r\n12\r\n8\r\n1\r\n"));
    // The field control is the field plus 10 each way.
    EXPECT_EQ(window.form->Image1()->size(), QSize(1940, 2340));
}

TEST(StartUp, ALanguageFileRenamesMenusAndStatusTexts) {
    WindowFixture window(WindowFixture::Setup{.files = [](const QString& dir) {
        WriteCp1251(dir + "/english.lng", "0010=File\r\n  70=Link test\r\n9009=Ready!\r\n");
    }});
    EXPECT_EQ(window.form->TopMenu(0)->text(), "File");
    EXPECT_EQ(window.form->TopMenu(6)->text(), "Link test");
    EXPECT_EQ(window.form->TopMenu(2)->text(), "Работа"); // not in the file: built-in
    window.form->Item("N5")->trigger();
    ASSERT_GE(window.answerer.messages.size(), 1);
    EXPECT_EQ(window.answerer.messages.first(), "Ready!");
}

TEST(StartUp, WithoutAMachineTheDeviceMenusAreLockedAndThePortMenusUsable) {
    WindowFixture window(
        WindowFixture::Setup{.machine = [](sim::VirtualController& vc) { vc.SetSilent(true); }});
    TMenuForm& form = *window.form;
    Session& s = form.State();
    EXPECT_FALSE(s.Link.DeviceReady);
    EXPECT_EQ(s.Machine.LinkTime, 400);
    EXPECT_EQ(window.answerer.messages, QStringList({"Устройство не отвечает Hi_Test"}));
    EXPECT_FALSE(form.TopMenu(2)->isEnabled()); // "Работа"
    EXPECT_FALSE(form.TopMenu(3)->isEnabled()); // "Установки"
    EXPECT_TRUE(form.TopMenu(0)->isEnabled());  // "Файл"
    EXPECT_TRUE(form.TopMenu(4)->isEnabled());  // "Порт"
    EXPECT_TRUE(form.TopMenu(6)->isEnabled());  // "Тест"
    EXPECT_FALSE(form.Timers().Running(TimerId::Timer4));
}

TEST(StartUp, LinkTestShowsReadyThenTheDeviceName) {
    WindowFixture window;
    ASSERT_TRUE(window.answerer.messages.isEmpty())
        << window.answerer.messages.join('|').toStdString();
    EXPECT_TRUE(window.form->Timers().Running(TimerId::Timer4));
    window.form->Item("N5")->trigger();
    ASSERT_EQ(window.answerer.messages.size(), 2);
    EXPECT_EQ(window.answerer.messages[0], "Устройство готово к работе");
    EXPECT_TRUE(
        window.answerer.messages[1].startsWith("Найдено устройство  ZEB virtual controller"))
        << window.answerer.messages[1].toStdString();
}

TEST(StartUp, ChoosingAPortChecksOnlyThatItem) {
    WindowFixture window;
    window.form->Item("Com31")->trigger();
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(window.form->Item(QString("Com%1").arg(n) + "1")->isChecked(), n == 3) << n;
    EXPECT_EQ(window.form->State().Config.PortName, "com3");
}

} // namespace
} // namespace zeb::app
