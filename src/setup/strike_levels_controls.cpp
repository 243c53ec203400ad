#include "setup/strike_levels_controls.h"

namespace zeb {

void TextLabel::SetText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    emit TextChanged(m_text);
}

void TextLabel::SetEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    emit EnabledChanged(m_enabled);
}

void RadioButton::MakeGroup(std::initializer_list<RadioButton*> buttons) {
    for (RadioButton* button : buttons)
        button->m_group.assign(buttons.begin(), buttons.end());
}

void RadioButton::SetChecked(bool checked) {
    if (checked == m_checked)
        return;
    m_checked = checked;
    if (checked) {
        for (RadioButton* other : m_group) {
            if (other != this)
                other->SetChecked(false);
        }
    }
    emit CheckedChanged(m_checked);
    if (checked)
        emit Clicked();
}

void RadioButton::SetEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    emit EnabledChanged(m_enabled);
}

void RadioButton::SetColour(TextColour colour) {
    if (colour == m_colour)
        return;
    m_colour = colour;
    emit ColourChanged(m_colour);
}

void CheckBox::SetChecked(bool checked) {
    if (checked == m_checked)
        return;
    m_checked = checked;
    emit CheckedChanged(m_checked);
}

void CheckBox::SetEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    emit EnabledChanged(m_enabled);
}

void PanelModel::SetVisible(bool visible) {
    if (visible == m_visible)
        return;
    m_visible = visible;
    emit VisibleChanged(m_visible);
}

void PanelModel::SetEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    emit EnabledChanged(m_enabled);
}

} // namespace zeb
