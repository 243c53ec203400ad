// The main menu tree of TMenuForm: captions, object names, check marks, shortcuts, hidden and
// disabled items as the window's design has them.
#include "app/menu_form.h"
#include "text/text_catalogue.h"

#include <QMenuBar>

namespace zeb::app {

namespace {

// Built in: the language file's texts come once it has been read.
QString Caption(TextId id) {
    return TextCatalogue::BuiltIn(id);
}

} // namespace

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
    QMenu* file = AddTopMenu("File1", Caption(10));
    AddItem(file, "Open", Caption(11));
    // Usable once there is a dot picture to save.
    AddItem(file, "Save1", Caption(12))->setEnabled(false);
    connect(AddItem(file, "CloseExit", Caption(13)), &QAction::triggered, this,
            &TMenuForm::CloseExitClick);

    // Present in the design, never shown, without function.
    QMenu* service = AddTopMenu("Sevice1", Caption(TextKey::MenuService));
    AddItem(service, "Convert1", Caption(TextKey::MenuConvert));
    AddItem(service, "Original1", Caption(TextKey::MenuOriginal))->setEnabled(false);
    service->menuAction()->setVisible(false);

    QMenu* work = AddTopMenu("Work1", Caption(30));
    AddItem(work, "Print1", Caption(31));
    for (const auto& [name, caption] :
         {std::pair{"Qual1", TextKey::MenuQualityHigh}, {"Qual2", TextKey::MenuQualityLow}}) {
        QAction* quality = AddItem(work, name, Caption(caption));
        quality->setCheckable(true);
        quality->setVisible(false);
    }
    Item("Qual2")->setChecked(true);

    QMenu* settings = AddTopMenu("Setting1", Caption(40));
    AddItem(settings, "StrikeForce1", Caption(TextKey::MenuStrikeForce))->setVisible(false);
    AddItem(settings, "N4", Caption(42));
    AddItem(settings, "N6", Caption(43));
    AddItem(settings, "HeadMove", Caption(44))->setCheckable(true);
    AddItem(settings, "N7", Caption(TextKey::MenuFieldSize))->setVisible(false);
    QAction* calibrate = AddItem(settings, "N8", Caption(TextKey::MenuCalibration));
    calibrate->setVisible(false);
    calibrate->setEnabled(false);
    QAction* selfTesting = AddItem(settings, "SelfTesting1", Caption(TextKey::MenuSelfTesting));
    selfTesting->setCheckable(true);
    selfTesting->setEnabled(false);

    QMenu* port = AddTopMenu("Port1", Caption(50));
    for (int n = 1; n <= 8; ++n) {
        QAction* com = AddItem(port, QStringLiteral("Com%1").arg(n) + QLatin1Char('1'),
                               Caption(TextKey::MenuPort).arg(n));
        com->setCheckable(true);
        com->setChecked(n == 1);
    }
    // A port named by its path, shown once one is in use and kept for going back to it.
    QAction* path = AddItem(port, "PortPath", QString());
    path->setCheckable(true);
    path->setVisible(false);
    AddItem(port, "PortOther", Caption(TextKey::PortOther));

    // Kept hidden: the portrait-properties dialog sets these checks.
    QMenu* layout = AddTopMenu("Layout1", Caption(TextKey::MenuLayout));
    QMenu* horizontal = layout->addMenu(Caption(TextKey::MenuHorizontal));
    horizontal->menuAction()->setObjectName("Horizontal1");
    QMenu* vertical = layout->addMenu(Caption(TextKey::MenuVertical));
    vertical->menuAction()->setObjectName("Vertical1");
    const struct {
        QMenu* group;
        const char* name;
        TextKey caption;
        bool checked;
    } alignments[] = {
        {horizontal, "Left", TextKey::MenuLeft, false},
        {horizontal, "HorCenrt", TextKey::MenuHorizontalCentre, true},
        {horizontal, "Right", TextKey::MenuRight, false},
        {vertical, "Up", TextKey::MenuTop, false},
        {vertical, "VertCentr", TextKey::MenuVerticalCentre, true},
        {vertical, "Down", TextKey::MenuBottom, false},
    };
    for (const auto& a : alignments) {
        QAction* item = AddItem(a.group, a.name, Caption(a.caption));
        item->setCheckable(true);
        item->setChecked(a.checked);
    }
    layout->menuAction()->setVisible(false);

    QAction* test = menuBar()->addAction(Caption(70));
    test->setObjectName("N5");
    m_topMenus << test;

    QMenu* help = AddTopMenu("Help1", Caption(80));
    AddItem(help, "About1", Caption(81));
    AddItem(help, "N3", Caption(TextKey::MenuOptimisation))->setVisible(false);
    AddItem(help, "N11", Caption(TextKey::MenuServiceStartOne))->setVisible(false);
    AddItem(help, "N21", Caption(TextKey::MenuServiceStartTwo))->setVisible(false);

    QAction* stop = menuBar()->addAction(Caption(TextKey::MenuStop));
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

QAction* TMenuForm::MenuEntry(int topMenu, int menuItem, int subItem) const {
    QAction* entry = TopMenu(topMenu - 1);
    for (int index : {menuItem, subItem}) {
        if (!entry || index == 0)
            return entry;
        entry = entry->menu() ? entry->menu()->actions().value(index - 1) : nullptr;
    }
    return entry;
}

} // namespace zeb::app
