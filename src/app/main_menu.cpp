// The main menu tree of TMenuForm: captions, object names, check marks, shortcuts, hidden and
// disabled items as the window's design has them.
#include "app/menu_form.h"

#include <QMenuBar>

namespace zeb::app {

QMenu* TMenuForm::AddTopMenu(const QString& objectName, const QString& caption) {
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(objectName + QStringLiteral("Menu"));
    menu->menuAction()->setObjectName(objectName);
    m_topMenus << menu->menuAction();
    return menu;
}

QAction* TMenuForm::AddItem(QMenu* menu, const QString& objectName, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(objectName);
    return action;
}

void TMenuForm::BuildMenus() {
    QMenu* file = AddTopMenu("File1", "Файл");
    AddItem(file, "Open", "Открыть");
    AddItem(file, "Save1", "Сохранить");
    connect(AddItem(file, "CloseExit", "Выход"), &QAction::triggered, this,
            &TMenuForm::CloseExitClick);

    // Present in the design, never shown, without function.
    QMenu* service = AddTopMenu("Sevice1", "Sevice");
    AddItem(service, "Convert1", "Convert");
    AddItem(service, "Original1", "Original")->setEnabled(false);
    service->menuAction()->setVisible(false);

    QMenu* work = AddTopMenu("Work1", "Работа");
    AddItem(work, "Print1", "Гравировка");
    for (const auto& [name, caption] :
         {std::pair{"Qual1", "Quality HI"}, {"Qual2", "Quality LO"}}) {
        QAction* quality = AddItem(work, name, caption);
        quality->setCheckable(true);
        quality->setVisible(false);
    }
    Item("Qual2")->setChecked(true);

    QMenu* settings = AddTopMenu("Setting1", "Установки");
    AddItem(settings, "StrikeForce1", "Сила удара")->setVisible(false);
    AddItem(settings, "N4", "Геометрия");
    AddItem(settings, "N6", "Разогрев");
    AddItem(settings, "HeadMove", "Перемещение иглы")->setCheckable(true);
    AddItem(settings, "N7", "Рабочее поле")->setVisible(false);
    QAction* calibrate = AddItem(settings, "N8", "Калибровка устройства");
    calibrate->setVisible(false);
    calibrate->setEnabled(false);
    QAction* selfTesting = AddItem(settings, "SelfTesting1", "Self Testing");
    selfTesting->setCheckable(true);
    selfTesting->setEnabled(false);

    QMenu* port = AddTopMenu("Port1", "Порт");
    for (int n = 1; n <= 8; ++n) {
        QAction* com = AddItem(port, QStringLiteral("Com%1").arg(n) + QLatin1Char('1'),
                               QStringLiteral("Com%1").arg(n));
        com->setCheckable(true);
        com->setChecked(n == 1);
    }

    // Kept hidden: the portrait-properties dialog sets these checks.
    QMenu* layout = AddTopMenu("Layout1", "Расположение");
    QMenu* horizontal = layout->addMenu("По горизонтали");
    horizontal->menuAction()->setObjectName("Horizontal1");
    QMenu* vertical = layout->addMenu("По вертикали");
    vertical->menuAction()->setObjectName("Vertical1");
    const struct {
        QMenu* group;
        const char* name;
        const char* caption;
        bool checked;
    } alignments[] = {
        {horizontal, "Left", "слева", false},       {horizontal, "HorCenrt", "по центру", true},
        {horizontal, "Right", "справа", false},     {vertical, "Up", "Сверху", false},
        {vertical, "VertCentr", "по центру", true}, {vertical, "Down", "Снизу", false},
    };
    for (const auto& a : alignments) {
        QAction* item = AddItem(a.group, a.name, a.caption);
        item->setCheckable(true);
        item->setChecked(a.checked);
    }
    layout->menuAction()->setVisible(false);

    QAction* test = menuBar()->addAction("Тест");
    test->setObjectName("N5");
    m_topMenus << test;

    QMenu* help = AddTopMenu("Help1", "Помощь");
    AddItem(help, "About1", "О...");
    AddItem(help, "N3", "Оптимизация")->setVisible(false);
    AddItem(help, "N11", "1")->setVisible(false);
    AddItem(help, "N21", "2")->setVisible(false);

    QAction* stop = menuBar()->addAction("STOP");
    stop->setObjectName("STOP");
    stop->setShortcut(QKeySequence(Qt::Key_Delete));
    stop->setVisible(false);
    m_topMenus << stop;
}

QAction* TMenuForm::Item(const QString& name) const {
    return findChild<QAction*>(name);
}

QAction* TMenuForm::TopMenu(int position) const {
    return m_topMenus.value(position);
}

} // namespace zeb::app
