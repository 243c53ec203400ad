// The main window's menu tree as the operator sees it at start.
#include "common/window_fixture.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

namespace zeb::app {
namespace {

struct ItemState {
    const char* name;
    const char* caption;
    bool visible;
    bool enabled;
    bool checkable;
    bool checked;
};

// Top-level menus in their positions 0..8.
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
    ASSERT_NE(action, nullptr) << want.name;
    EXPECT_EQ(action->text(), QString::fromUtf8(want.caption)) << want.name;
    EXPECT_EQ(action->isVisible(), want.visible) << want.name;
    // Qt greys out what it hides; the design's enabled state shows once an item is shown.
    if (want.visible)
        EXPECT_EQ(action->isEnabled(), want.enabled) << want.name;
    EXPECT_EQ(action->isCheckable(), want.checkable) << want.name;
    EXPECT_EQ(action->isChecked(), want.checked) << want.name;
}

TEST(MainMenu, TopLevelItemsStandInTheirPositions) {
    testing::WindowFixture window;
    TMenuForm& form = *window.form;
    for (int position = 0; position < 9; ++position)
        ExpectState(form.TopMenu(position), TopLevel[position]);
    EXPECT_EQ(form.Item("STOP")->shortcut(), QKeySequence(Qt::Key_Delete));
}

TEST(MainMenu, EntriesHaveTheirCaptionsChecksAndStates) {
    testing::WindowFixture window;
    TMenuForm& form = *window.form;
    for (const auto& entry : Entries)
        ExpectState(form.Item(entry.name), entry);
    QAction* calibrate = form.Item("N8");
    calibrate->setVisible(true);
    EXPECT_FALSE(calibrate->isEnabled());
}

TEST(MainMenu, EntriesSitUnderTheirMenusInOrder) {
    testing::WindowFixture window;
    TMenuForm& form = *window.form;
    auto names = [&](const char* top) {
        QStringList list;
        for (QAction* a : form.Item(top)->menu()->actions())
            list << a->objectName();
        return list;
    };
    EXPECT_EQ(names("File1"), QStringList({"Open", "Save1", "CloseExit"}));
    EXPECT_EQ(names("Work1"), QStringList({"Print1", "Qual1", "Qual2"}));
    EXPECT_EQ(names("Setting1"),
              QStringList({"StrikeForce1", "N4", "N6", "HeadMove", "N7", "N8", "SelfTesting1"}));
    EXPECT_EQ(names("Help1"), QStringList({"About1", "N3", "N11", "N21"}));
    EXPECT_EQ(names("Port1").size(), 8);
}

} // namespace
} // namespace zeb::app
