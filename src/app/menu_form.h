#pragma once
// TMenuForm: the main window. It owns the session's state, connects widgets to core
// operations and shows what the core asks through Operator. It parses nothing and keeps no
// protocol state.

#include "app/window_timers_qt.h"
#include "link/operator.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QScrollArea;
class QSpinBox;
class QLineEdit;

namespace zeb::app {

class FieldView;

class TMenuForm : public QMainWindow, public Operator {
    Q_OBJECT
public:
    explicit TMenuForm(QWidget* parent = nullptr);
    ~TMenuForm() override;

    // --- Operator ---
    void ShowMessage(const QString& text) override;
    void Beep() override;
    void SetCursor(CursorShape shape) override;
    void LockUI() override;
    void UnlockUI() override;
    void LockForJob() override;
    void ShowStatus(const QString& text) override;
    void SetProgress(int position, int maximum) override;
    void ShowServiceValue(ServiceField field, const QString& text) override;
    void ProcessEvents() override;

    // A menu item (or top-level menu action) by its object name.
    QAction* Item(const QString& name) const;
    // Top-level menu actions, positions 0..8.
    QAction* TopMenu(int position) const;
    QtWindowTimers& Timers() { return *m_timers; }
    FieldView* Image1() const { return m_image1; }

    // Closing by a signal: every open modal message is closed, later ones are not shown, and
    // the window closes the normal way.
    void CloseBySignal();
    bool Closing() const { return m_closing; }

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
    QMenu* AddTopMenu(const QString& objectName, const QString& caption);
    QAction* AddItem(QMenu* menu, const QString& objectName, const QString& caption);

    void CloseExitClick();

    QtWindowTimers* m_timers = nullptr;
    QList<QAction*> m_topMenus;
    FieldView* m_image1 = nullptr;
    QScrollArea* m_scrollBox1 = nullptr;
    QPlainTextEdit* m_memo1 = nullptr;
    QProgressBar* m_gauge1 = nullptr;
    bool m_closing = false;
    bool m_closed = false;
    CursorShape m_cursor = CursorShape::Normal;
};

} // namespace zeb::app
