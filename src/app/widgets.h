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
#include <QStyle>

#include <algorithm>

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

// The 73 x 73 buttons of the nine positions: as wide as their caption needs when it is longer
// (a language file's caption too), the columns of their grid as wide as the widest.
class PositionButton final : public QPushButton {
public:
    using QPushButton::QPushButton;
    QSize sizeHint() const override {
        const int caption = fontMetrics().size(Qt::TextShowMnemonic, text()).width() +
                            style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, this) +
                            2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        return {std::max(Side, caption), Side};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

    static constexpr int Side = 73;
};

inline QPushButton* MakePositionButton(QWidget* parent, const QString& name, const QString& text) {
    auto* button = Named(new PositionButton(text, parent), name);
    button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    return button;
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
