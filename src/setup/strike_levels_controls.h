#pragma once
// Models of the small controls on the strike-level panels: labels, radio buttons, check boxes
// (and check-mark menu items) and the panels themselves. The window mirrors each one with a
// real widget of the same name; every change is raised as a signal so the mirror can follow.

#include <QObject>
#include <QString>

#include <initializer_list>
#include <vector>

namespace zeb {

class TextLabel : public QObject {
    Q_OBJECT
public:
    explicit TextLabel(QString text = {}) : m_text(std::move(text)) {}

    const QString& Text() const { return m_text; }
    bool Enabled() const { return m_enabled; }
    void SetText(const QString& text);
    void SetEnabled(bool enabled);

signals:
    void TextChanged(const QString& text);
    void EnabledChanged(bool enabled);

private:
    QString m_text;
    bool m_enabled = true;
};

// Text colours of the quality buttons: the chosen one red, the other in the system's
// highlight colour; Default until the operator first chooses.
enum class TextColour { Default, Red, Highlight };

class RadioButton : public QObject {
    Q_OBJECT
public:
    explicit RadioButton(bool checked = false) : m_checked(checked) {}

    // Buttons that exclude each other, as on one panel. A button belongs to one group.
    static void MakeGroup(std::initializer_list<RadioButton*> buttons);

    bool Checked() const { return m_checked; }
    bool Enabled() const { return m_enabled; }
    TextColour Colour() const { return m_colour; }

    // Checking a button unchecks the others of its group and then raises Clicked; a button
    // that is already checked raises nothing. Unchecking never raises Clicked. Works on a
    // disabled button too: the program may set what the operator may not.
    void SetChecked(bool checked);
    // What the operator's click does.
    void Click() { SetChecked(true); }
    void SetEnabled(bool enabled);
    void SetColour(TextColour colour);

signals:
    void CheckedChanged(bool checked);
    void Clicked();
    void EnabledChanged(bool enabled);
    void ColourChanged(zeb::TextColour colour);

private:
    bool m_checked = false;
    bool m_enabled = true;
    TextColour m_colour = TextColour::Default;
    std::vector<RadioButton*> m_group;
};

// A check box, or a menu item with a check mark. Its meaning is given by whoever handles the
// click, so setting it raises only CheckedChanged.
class CheckBox : public QObject {
    Q_OBJECT
public:
    explicit CheckBox(bool checked = false) : m_checked(checked) {}

    bool Checked() const { return m_checked; }
    bool Enabled() const { return m_enabled; }
    void SetChecked(bool checked);
    void SetEnabled(bool enabled);

signals:
    void CheckedChanged(bool checked);
    void EnabledChanged(bool enabled);

private:
    bool m_checked = false;
    bool m_enabled = true;
};

// A floating panel over the work field: shown or hidden, enabled or not. Where it sits is
// the window's business.
class PanelModel : public QObject {
    Q_OBJECT
public:
    bool Visible() const { return m_visible; }
    bool Enabled() const { return m_enabled; }
    void SetVisible(bool visible);
    void SetEnabled(bool enabled);

signals:
    void VisibleChanged(bool visible);
    void EnabledChanged(bool enabled);

private:
    bool m_visible = false;
    bool m_enabled = true;
};

} // namespace zeb
