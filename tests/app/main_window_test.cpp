// The main window as the operator finds it at start: the menu tree, the default settings
// written, a language file applied, the link checked, the port chosen.
#include "app/field_widget.h"
#include "app/window_probe.h"
#include "link/window_timers.h"

#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QStringEncoder>

namespace zeb::app {
namespace {

using testing::WindowFixture;

struct ItemState {
    const char* name;
    const char* caption;
    bool visible;
    bool enabled;
    bool checkable;
    bool checked;
};

// Top-level menus in their positions 0..8, then the entries.
constexpr ItemState TopLevel[] = {
    {"File1", "Файл", true, true, false, false},
    {"Sevice1", "Sevice", false, true, false, false},
    {"Work1", "Работа", true, true, false, false},
    {"Setting1", "Установки", true, true, false, false},
    {"Port1", "Порт", true, true, false, false},
    {"Layout1", "Расположение", false, true, false, false},
    {"N5", "Тест", true, true, false, false},
    {"Help1", "Помощь", true, true, false, false},
    {"STOP", "STOP", false, true, false, false},
};

constexpr ItemState Entries[] = {
    {"Open", "Открыть", true, true, false, false},
    {"Save1", "Сохранить", true, true, false, false},
    {"CloseExit", "Выход", true, true, false, false},
    {"Convert1", "Convert", true, true, false, false},
    {"Original1", "Original", true, false, false, false},
    {"Print1", "Гравировка", true, true, false, false},
    {"Qual1", "Quality HI", false, true, true, false},
    {"Qual2", "Quality LO", false, true, true, true},
    {"StrikeForce1", "Сила удара", false, true, false, false},
    {"N4", "Геометрия", true, true, false, false},
    {"N6", "Разогрев", true, true, false, false},
    {"HeadMove", "Перемещение иглы", true, true, true, false},
    {"N7", "Рабочее поле", false, true, false, false},
    {"N8", "Калибровка устройства", false, false, false, false},
    {"SelfTesting1", "Self Testing", true, false, true, false},
    {"Com11", "Com1", true, true, true, true},
    {"Com21", "Com2", true, true, true, false},
    {"Com81", "Com8", true, true, true, false},
    {"Left", "слева", true, true, true, false},
    {"HorCenrt", "по центру", true, true, true, true},
    {"Right", "справа", true, true, true, false},
    {"Up", "Сверху", true, true, true, false},
    {"VertCentr", "по центру", true, true, true, true},
    {"Down", "Снизу", true, true, true, false},
    {"About1", "О...", true, true, false, false},
    {"N3", "Оптимизация", false, true, false, false},
    {"N11", "1", false, true, false, false},
    {"N21", "2", false, true, false, false},
};

void ExpectState(QAction* action, const ItemState& want) {
    SCOPED_TRACE(want.name);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QString::fromUtf8(want.caption));
    EXPECT_EQ(action->isVisible(), want.visible);
    // Qt greys out what it hides; the design's enabled state shows once an item is shown.
    action->setVisible(true);
    EXPECT_EQ(action->isEnabled(), want.enabled);
    action->setVisible(want.visible);
    EXPECT_EQ(action->isCheckable(), want.checkable);
    EXPECT_EQ(action->isChecked(), want.checked);
}

TEST(MainMenu, ItemsHaveTheirCaptionsStatesAndPlaces) {
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
        {"Port1", "Com11 Com21 Com31 Com41 Com51 Com61 Com71 Com81"},
    };
    for (const auto& [menu, names] : menus) {
        QStringList list;
        for (QAction* a : form.Item(menu)->menu()->actions())
            list << a->objectName();
        EXPECT_EQ(list.join(' '), names);
    }
}

TEST(StartUp, DefaultSettingsWrittenTheLinkTestNamesTheMachineAPortIsChosen) {
    WindowFixture window;
    TMenuForm& form = *window.form;
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

    form.Item("Com31")->trigger();
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(form.Item(QString("Com%1").arg(n) + "1")->isChecked(), n == 3) << n;
    EXPECT_EQ(form.State().Config.PortName, "com3");
}

TEST(StartUp, ALanguageFileRenamesMenusPanelsAndStatusTexts) {
    const QString lines = "0010=File\r\n  70=Link test\r\n9009=Ready!\r\n0131=Engraving\r\n"
                          " 431=Standard\r\n  96=Go on\r\n";
    WindowFixture window(testing::WithFile("english.lng", QStringEncoder("Windows-1251")(lines)));
    TMenuForm& form = *window.form;
    EXPECT_EQ(form.TopMenu(0)->text(), "File");
    EXPECT_EQ(form.TopMenu(6)->text(), "Link test");
    EXPECT_EQ(form.TopMenu(2)->text(), "Работа"); // not in the file: built-in
    EXPECT_EQ(testing::Find<QLabel>(form, "Label5")->text(), "Engraving");
    // One code names the twins of both panels and both halves.
    EXPECT_EQ(testing::Find<QRadioButton>(form, "RadioButton2")->text(), "Standard");
    EXPECT_EQ(testing::Find<QRadioButton>(form, "RadioButton6")->text(), "Standard");
    EXPECT_EQ(testing::Find<QAbstractButton>(form, "Button27")->text(), "Go on");
    EXPECT_EQ(testing::Find<QAbstractButton>(form, "Button30")->text(), "Go on");
    form.Item("N5")->trigger();
    ASSERT_GE(window.answerer.messages.size(), 1);
    EXPECT_EQ(window.answerer.messages.first(), "Ready!");
}

TEST(StartUp, WithoutAMachineTheDeviceMenusAreLockedAndThePortMenusUsable) {
    WindowFixture::Setup silent;
    silent.machine = [](sim::VirtualController& vc) { vc.SetSilent(true); };
    WindowFixture window(silent);
    TMenuForm& form = *window.form;
    EXPECT_FALSE(form.State().Link.DeviceReady);
    EXPECT_EQ(form.State().Machine.LinkTime, 400);
    EXPECT_EQ(window.answerer.messages, QStringList({"Устройство не отвечает Hi_Test"}));
    // "Работа" and "Установки" locked; "Файл", "Порт" and "Тест" usable.
    for (int position : {0, 2, 3, 4, 6})
        EXPECT_EQ(form.TopMenu(position)->isEnabled(), position != 2 && position != 3) << position;
    EXPECT_FALSE(form.Timers().Running(TimerId::Timer4));
}

} // namespace
} // namespace zeb::app
