// The main window as the operator finds it at start: the menu tree, the default settings
// written, a language file applied, the link checked, the port chosen.
#include "app/field_widget.h"
#include "app/unfinished_job_dialog.h"
#include "app/window_probe.h"
#include "app/window_texts.h"
#include "link/comm_port_driver.h"
#include "link/window_timers.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStringEncoder>

#include <cstring>
#include <sys/stat.h>

namespace zeb::app {
namespace {

using testing::WindowFixture;

// Flags: v visible, e enabled, k checkable, c checked.
struct ItemState {
    const char* name;
    const char* caption;
    const char* flags;
    bool Has(char flag) const { return std::strchr(flags, flag) != nullptr; }
};

// Top-level menus in their positions 0..8, then the entries.
constexpr ItemState TopLevel[] = {
    {"File1", "Файл", "ve"},   {"Sevice1", "Sevice", "e"},
    {"Work1", "Работа", "ve"}, {"Setting1", "Установки", "ve"},
    {"Port1", "Порт", "ve"},   {"Layout1", "Расположение", "e"},
    {"N5", "Тест", "ve"},      {"Help1", "Помощь", "ve"},
    {"STOP", "STOP", "e"},
};

constexpr ItemState Entries[] = {
    {"Open", "Открыть", "ve"},
    {"Save1", "Сохранить", "v"}, // nothing to save before "Открыть"
    {"Original1", "Original", "v"},
    {"Print1", "Гравировка", "ve"},
    {"Qual2", "Quality LO", "ekc"},
    {"StrikeForce1", "Сила удара", "e"},
    {"N4", "Геометрия", "ve"},
    {"HeadMove", "Перемещение иглы", "vek"},
    {"N7", "Рабочее поле", "e"},
    {"N8", "Калибровка устройства", ""},
    {"SelfTesting1", "Self Testing", "vk"},
    {"Com11", "Com1", "vekc"},
    {"Com81", "Com8", "vek"},
    {"PortPath", "", "ek"}, // until a port named by its path is in use
    {"PortOther", "Другой порт...", "ve"},
    {"Left", "слева", "vek"},
    {"HorCenrt", "по центру", "vekc"},
    {"About1", "О...", "ve"},
    {"N3", "Оптимизация", "e"},
};

void ExpectState(QAction* action, const ItemState& want) {
    SCOPED_TRACE(want.name);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QString::fromUtf8(want.caption));
    EXPECT_EQ(action->isVisible(), want.Has('v'));
    // Qt greys out what it hides; the design's enabled state shows once an item is shown.
    action->setVisible(true);
    EXPECT_EQ(action->isEnabled(), want.Has('e'));
    action->setVisible(want.Has('v'));
    EXPECT_EQ(action->isCheckable(), want.Has('k'));
    EXPECT_EQ(action->isChecked(), want.Has('c'));
}

// At start the menu items have their captions, states and places.
TEST(StartUp, MenusDefaultSettingsWrittenTheLinkTestNamesTheMachineStatusInViewAPortIsChosen) {
    WindowFixture window;
    TMenuForm& form = *window.form;
    for (int position = 0; position < 9; ++position)
        ExpectState(form.TopMenu(position), TopLevel[position]);
    for (const auto& entry : Entries)
        ExpectState(form.Item(entry.name), entry);
    EXPECT_EQ(form.Item("STOP")->shortcut(), QKeySequence(Qt::Key_Delete));
    const std::pair<const char*, const char*> menus[] = {
        {"File1", "Open Save1 CloseExit"},
        {"Work1", "Print1 Qual1 Qual2"},
        {"Setting1", "StrikeForce1 N4 N6 HeadMove N7 N8 SelfTesting1"},
        {"Help1", "About1 N3 N11 N21"},
        {"Port1", "Com11 Com21 Com31 Com41 Com51 Com61 Com71 Com81 PortPath PortOther"},
    };
    for (const auto& [menu, names] : menus) {
        QStringList list;
        for (QAction* a : form.Item(menu)->menu()->actions())
            list << a->objectName();
        EXPECT_EQ(list.join(' '), names);
    }

    EXPECT_EQ(
        testing::ReadFile(window.dir.File("Zeb.ini")),
        "Group\r\nKnKHel4-14\r\nKnKHel3-10\r\nKnKHel2-5\r\nKnKHel1-2\r\nInd  \r\nKnKHel4-14\r\n"
        "KnKHel3-10\r\nKnKHel2-5\r\nKnKHel1-2\r\ncom1\r\n1930\r\n2330\r\n0\r\n12\r\n8\r\n1\r\n");
    // The field control is the field plus 10 each way.
    EXPECT_EQ(form.Image1()->size(), QSize(1940, 2340));

    ASSERT_TRUE(window.answerer.messages.isEmpty())
        << window.answerer.messages.join('|').toStdString();
    EXPECT_TRUE(form.Timers().Running(TimerId::Timer4));
    form.Item("N5")->trigger();
    ASSERT_EQ(window.answerer.messages.size(), 2);
    EXPECT_EQ(window.answerer.messages[0], "Устройство готово к работе");
    EXPECT_TRUE(
        window.answerer.messages[1].startsWith("Найдено устройство  ZEB virtual controller"))
        << window.answerer.messages[1].toStdString();

    // The status texts of Open and the warm-up are in view.
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    testing::OpenPicture(window);
    EXPECT_TRUE(testing::VisibleStatus(form).contains("Изображение готово"))
        << testing::VisibleStatus(form).join('|').toStdString();
    form.Item("N6")->trigger();
    EXPECT_TRUE(testing::VisibleStatus(form).contains("Разогрев головки - 95"))
        << testing::VisibleStatus(form).join('|').toStdString();
    EXPECT_TRUE(testing::Find<QPlainTextEdit>(form, "Memo1")->isReadOnly());

    form.Item("Com31")->trigger();
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(form.Item(QString("Com%1").arg(n) + "1")->isChecked(), n == 3) << n;
    EXPECT_EQ(form.State().Config.PortName, "com3");
}

// The window on the real serial port code, its Zeb.ini naming the terminal zeb-sim serves.
TEST(StartUp, APortNamedByItsPathIsListedKeptAndOpened) {
    QProcess sim;
    sim.start(QStringLiteral(ZEB_SIM_EXE), {"--time-scale", "0"});
    ASSERT_TRUE(sim.waitForStarted(5000) && sim.waitForReadyRead(5000));
    const QString pty = QString::fromLocal8Bit(sim.readLine()).trimmed();
    testing::ScopedStartDirectory dir;
    testing::WriteFile(dir.File("Zeb.ini"),
                       "Group\r\nKnKHel4-14\r\nKnKHel3-10\r\nKnKHel2-5\r\nKnKHel1-2\r\nInd  \r\n"
                       "KnKHel4-14\r\nKnKHel3-10\r\nKnKHel2-5\r\nKnKHel1-2\r\n" +
                           pty.toLocal8Bit() + "\r\n1930\r\n2330\r\n0\r\n12\r\n8\r\n1\r\n");
    testing::ModalAnswerer answerer;
    SystemClock clock;
    TMenuForm form(std::make_unique<CommPortDriver1>(), clock);
    form.CreateDialogs();
    EXPECT_TRUE(form.State().Link.DeviceReady);
    EXPECT_TRUE(answerer.messages.isEmpty()) << answerer.messages.join('|').toStdString();
    QAction* path = form.Item("PortPath");
    EXPECT_TRUE(path->isVisible() && path->isChecked());
    EXPECT_EQ(path->text(), pty);
    EXPECT_FALSE(form.Item("Com11")->isChecked());

    // "Com8" leaves the terminal in the menu; its item opens it again.
    form.Item("Com81")->trigger();
    EXPECT_FALSE(form.State().Link.DeviceReady);
    EXPECT_TRUE(path->isVisible() && !path->isChecked());
    answerer.messages.clear();
    path->trigger();
    EXPECT_EQ(answerer.messages, QStringList{"Устройство готово к работе"});

    // "Другой порт..." lists the terminal in use though the system does not report it.
    QStringList listed;
    answerer.On("PortForm", [&listed, &pty](QDialog* d) {
        auto* list = d->findChild<QListWidget*>("PortList");
        for (int row = 0; row < list->count(); ++row)
            listed << list->item(row)->text();
        EXPECT_EQ(d->findChild<QLineEdit*>("PortPath")->text(), pty);
        d->findChild<QPushButton*>("PortOk")->click();
    });
    answerer.messages.clear();
    form.Item("PortOther")->trigger();
    EXPECT_TRUE(listed.contains(pty + "  —  порт в работе")) << listed.join('|').toStdString();
    EXPECT_EQ(answerer.messages, QStringList{"Устройство готово к работе"});
    EXPECT_EQ(form.State().Config.PortName, pty);
    form.close();
    sim.terminate();
    EXPECT_TRUE(sim.waitForFinished(5000));
}

TEST(StartUp, AZebIniThatCannotBeReadIsToldAndNotReplacedAtClose) {
    // A pipe: reading it would hold the start until somebody wrote into it.
    WindowFixture::Setup pipe;
    pipe.files = [](const QString& dir) {
        ASSERT_EQ(mkfifo(qPrintable(dir + "/Zeb.ini"), 0600), 0);
    };
    WindowFixture window(pipe);
    ASSERT_EQ(window.answerer.messages.size(), 1);
    EXPECT_TRUE(window.answerer.messages[0].startsWith("Zeb.ini:\nне читается"))
        << window.answerer.messages[0].toStdString();
    window.form->close();
    ASSERT_EQ(window.answerer.messages.size(), 2);
    EXPECT_TRUE(window.answerer.messages[1].startsWith("Zeb.ini не записан: при запуске"))
        << window.answerer.messages[1].toStdString();
    EXPECT_TRUE(QFileInfo(window.dir.File("Zeb.ini")).exists());
    EXPECT_FALSE(QFileInfo(window.dir.File("Zeb.ini")).isFile());
}

// A file naming every element of the table but "Работа" (code 30), and a status text.
TEST(StartUp, ALanguageFileReachesEveryElementItsTableNamesAndTheStatusTexts) {
    constexpr int Work = 30;
    QString lines = "9009=Ready!\r\n";
    for (const WindowText& element : WindowTexts()) {
        const int code = *TextCatalogue::LanguageCode(element.text);
        if (code != Work)
            lines += QStringLiteral("%1=T%1\r\n").arg(code, 4, 10, QLatin1Char('0'));
    }
    WindowFixture window(testing::WithFile("all.lng", QStringEncoder("Windows-1251")(lines)));
    TMenuForm& form = *window.form;
    EXPECT_EQ(form.TopMenu(2)->text(), "Работа"); // not in the file: built-in
    form.Item("N5")->trigger();
    ASSERT_GE(window.answerer.messages.size(), 1);
    EXPECT_EQ(window.answerer.messages.first(), "Ready!");
    for (const WindowText& element : WindowTexts()) {
        const int code = *TextCatalogue::LanguageCode(element.text);
        if (code == Work)
            continue;
        const QString expected = QStringLiteral("T%1").arg(code, 4, 10, QLatin1Char('0'));
        if (!element.component) {
            QAction* entry = form.MenuEntry(element.topMenu, element.menuItem, element.subItem);
            ASSERT_NE(entry, nullptr) << code;
            EXPECT_EQ(entry->text(), expected) << code;
            continue;
        }
        const auto widgets = form.centralWidget()->findChildren<QWidget*>(element.component);
        ASSERT_FALSE(widgets.isEmpty()) << element.component;
        for (QWidget* widget : widgets) {
            const auto* label = qobject_cast<QLabel*>(widget);
            const auto* button = qobject_cast<QAbstractButton*>(widget);
            const auto* group = qobject_cast<QGroupBox*>(widget);
            EXPECT_EQ(label    ? label->text()
                      : button ? button->text()
                      : group  ? group->title()
                               : QString(),
                      expected)
                << element.component;
        }
    }
}

TEST(StartUp, ALanguageFileTranslatesTheDialogsWholeAndWinsOverDopFile) {
    WindowFixture::Setup setup;
    setup.files = [](const QString& dir) {
        testing::WriteFile(dir + "/english.lng", "2001=Attention\r\n 381=Distributor\r\n");
        testing::WriteFile(dir + "/DopFile.txt", "V9\r\nName\r\nPhones\r\n");
    };
    WindowFixture window(setup);
    TMenuForm& form = *window.form;
    // Not in the file: empty, as the file is the dialogs' whole translation.
    EXPECT_EQ(form.Form1()->windowTitle(), "Attention");
    EXPECT_EQ(form.Form1()->findChild<QLabel*>("Label1")->text(), "");
    QStringList about;
    window.answerer.On("AboutBox", [&about](QDialog* box) {
        for (const char* name : {"Label8", "Label3", "Label6", "Label1"})
            about << box->findChild<QLabel*>(name)->text();
        box->accept();
    });
    form.Item("About1")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&about] { return !about.isEmpty(); }));
    // The version line is never translated; the file's other lines give way to the language.
    EXPECT_EQ(about, (QStringList{"V9", "Distributor", "", ""}));
}

} // namespace
} // namespace zeb::app
