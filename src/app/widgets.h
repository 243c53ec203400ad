#pragma once
// Small builders for the window's design: every control gets its object name and caption in
// one line.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace zeb::app {

template <class W>
W* Named(W* widget, const QString& objectName) {
    widget->setObjectName(objectName);
    return widget;
}

inline QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = Named(new QLabel(text, parent), name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

inline QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text) {
    return Named(new QPushButton(text, parent), name);
}

inline QRadioButton* MakeRadio(QWidget* parent, const QString& name, const QString& text,
                               bool checked = false) {
    auto* radio = Named(new QRadioButton(text, parent), name);
    radio->setChecked(checked);
    return radio;
}

inline QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& text,
                            bool checked = false) {
    auto* box = Named(new QCheckBox(text, parent), name);
    box->setChecked(checked);
    return box;
}

inline QLineEdit* MakeEdit(QWidget* parent, const QString& name, bool readOnly = true) {
    auto* edit = Named(new QLineEdit(parent), name);
    edit->setReadOnly(readOnly);
    return edit;
}

// A spin edit without limits of its own.
inline QSpinBox* MakeSpin(QWidget* parent, const QString& name) {
    auto* spin = Named(new QSpinBox(parent), name);
    spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    return spin;
}

inline QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

} // namespace zeb::app
