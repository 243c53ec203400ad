#pragma once
// TMenuForm: the main window. It owns the session's state, connects widgets to core
// operations and shows what the core asks through Operator. It parses nothing and keeps no
// protocol state.

#include "app/window_timers_qt.h"
#include "link/clock.h"
#include "link/operator.h"
#include "link/serial_line.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QScrollArea;
class QSpinBox;
class QLineEdit;

namespace zeb {
struct Session;
}

namespace zeb::app {

class FieldWidget;
class StrikeLevelPanels;
class TAboutBox;
class TConvertForm;
class TForm1;
class TForm3;
class TForm4;
class TForm5;
class TStrikeHelth;

class TMenuForm : public QMainWindow, public Operator {
    Q_OBJECT
public:
    // The window talks to the machine over `line`; elapsed times come from `clock`, which must
    // outlive the window. Creating the window runs the whole start-up.
    TMenuForm(std::unique_ptr<SerialLine> line, Clock& clock, QWidget* parent = nullptr);
    ~TMenuForm() override;

    // --- Operator ---
    void ShowMessage(const QString& text) override;
    bool Confirm(const QString& text) override;
    void Beep() override;
    void SetCursor(CursorShape shape) override;
    void LockUI() override;
    void UnlockUI() override;
    void LockForJob() override;
    void ShowStatus(const QString& text) override;
    void ShowWaiting(const QString& text) override;
    void SetProgress(int position, int maximum) override;
    void ShowServiceValue(ServiceField field, const QString& text) override;
    void ProcessEvents() override;

    // A menu item (or top-level menu action) by its object name.
    QAction* Item(const QString& name) const;
    // Top-level menu actions, positions 0..8.
    QAction* TopMenu(int position) const;
    // A menu entry by its place as the language table counts it: top menu 1..9, its item
    // (0 for the top menu itself), and an entry of that item's submenu (0 for the item).
    // Null where there is no such entry.
    QAction* MenuEntry(int topMenu, int menuItem, int subItem = 0) const;
    QtWindowTimers& Timers() { return *m_timers; }
    FieldWidget* Image1() const { return m_image1; }
    // The strike-level panels over the field.
    StrikeLevelPanels& LevelPanels() const { return *m_levelPanels; }
    Session& State() { return *m_session; }

    // The dialogs, created after the window so that they read the loaded language table.
    // DialogsCreated() tells the controllers they exist.
    void CreateDialogs();
    TAboutBox* AboutBox() const { return m_aboutBox; }
    TForm1* Form1() const { return m_form1; }
    TStrikeHelth* StrikeHelth() const { return m_strikeHelth; }
    TForm5* Form5() const { return m_form5; }
    TForm4* Form4() const { return m_form4; }
    TConvertForm* ConvertForm() const { return m_convertForm; }
    QScrollArea* ScrollBox1() const { return m_scrollBox1; }
    // Scrolls the field view so that the placed picture is in it.
    void ScrollToPicture();
    // Checks the item of the port `name` ("comN" or a path) in "Порт", and only that one. A
    // path gets an item of its own, which stays for going back to it.
    void ShowPortInUse(const QString& name);

    // Closing by a signal: every open modal message is closed, later ones are not shown, and
    // the window closes the normal way.
    void CloseBySignal();
    bool Closing() const { return m_closing; }

signals:
    void DialogsCreated();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormClose();
    void BuildMenus();
    void BuildRegions();
    void BuildStatusBar(QWidget* panelImage);
    void BuildFloatingPanels(QWidget* panelImage);
    void BuildServicePanel(QWidget* panelImage);
    void BuildSelfTestingPanel(QWidget* panelImage);
    void ApplyMainWindowTexts();
    void SettingsLoaded(const QStringList& problems);
    QMenu* AddTopMenu(const QString& objectName, const QString& caption);
    QAction* AddItem(QMenu* menu, const QString& objectName, const QString& caption);

    void CloseExitClick();

    QtWindowTimers* m_timers = nullptr;
    std::unique_ptr<Session> m_session;
    TAboutBox* m_aboutBox = nullptr;
    TForm1* m_form1 = nullptr;
    TStrikeHelth* m_strikeHelth = nullptr;
    TForm5* m_form5 = nullptr;
    TForm3* m_form3 = nullptr;
    TForm4* m_form4 = nullptr;
    TConvertForm* m_convertForm = nullptr;
    QList<QAction*> m_topMenus;
    FieldWidget* m_image1 = nullptr;
    StrikeLevelPanels* m_levelPanels = nullptr;
    QScrollArea* m_scrollBox1 = nullptr;
    QPlainTextEdit* m_memo1 = nullptr;
    QProgressBar* m_gauge1 = nullptr;
    bool m_closing = false;
    bool m_closed = false;
    CursorShape m_cursor = CursorShape::Normal;
};

} // namespace zeb::app
