#include "app/level_panels_builder.h"

#include "app/widgets.h"
#include "setup/language_codes.h"
#include "setup/strike_levels.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QSlider>

namespace zeb::app {

namespace {

// The force labels are green, as on the machine's panels the operator knows.
const QColor ForceColour(0, 128, 0);
constexpr int SliderWidth = 160;

// Every caption here is a main-window text of the language table; its built-in text is
// kept there, once.
QString Caption(const char* name) {
    return DefaultMainWindowText(QString::fromLatin1(name));
}

// Rows of one panel: wide rows span the three columns of the slider rows (level label,
// slider, value label).
class PanelGrid {
public:
    explicit PanelGrid(QFrame* frame) : m_frame(frame), m_layout(new QGridLayout(frame)) {
        // A floating panel is as large as its contents, also after the language file.
        m_layout->setSizeConstraint(QLayout::SetFixedSize);
    }

    template <class W>
    W* Wide(W* widget) {
        m_layout->addWidget(widget, m_row++, 0, 1, 3);
        return widget;
    }

    void Heading(const char* name) {
        QLabel* label = Wide(MakeLabel(m_frame, name, Caption(name)));
        label->setFont(Bold(label->font()));
    }

    void Label(const char* name) { Wide(MakeLabel(m_frame, name, Caption(name))); }

    // Two buttons that exclude each other, apart from every other pair of the same frame.
    void RadioPair(const char* first, const char* second) {
        auto* group = new QButtonGroup(m_frame);
        for (const char* name : {first, second})
            group->addButton(Wide(MakeRadio(m_frame, name, Caption(name))));
    }

    void CheckBox(const char* name) { Wide(MakeCheck(m_frame, name, Caption(name))); }

    void ColumnCaptions(const char* level, const char* force) {
        m_layout->addWidget(MakeLabel(m_frame, level, Caption(level)), m_row, 0);
        m_layout->addWidget(MakeLabel(m_frame, force, Caption(force)), m_row++, 1, 1, 2);
    }

    void Sliders(const LevelPanelDesign& design) {
        for (size_t i = 0; i < 4; ++i) {
            m_layout->addWidget(MakeLabel(m_frame, design.levelLabels[i], QString()), m_row, 0);
            auto* slider = Named(new QSlider(Qt::Horizontal, m_frame), design.sliders[i]);
            slider->setMinimumWidth(SliderWidth);
            m_layout->addWidget(slider, m_row, 1);
            QLabel* value = MakeLabel(m_frame, design.valueLabels[i], QString());
            QPalette palette = value->palette();
            // Disabled levels keep the system's grey.
            for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
                palette.setColor(group, QPalette::WindowText, ForceColour);
            value->setPalette(palette);
            m_layout->addWidget(value, m_row++, 2);
        }
    }

    void Buttons(const char* left, const char* right) {
        auto* row = new QHBoxLayout;
        for (const char* name : {left, right})
            row->addWidget(MakeButton(m_frame, name, Caption(name)));
        m_layout->addLayout(row, m_row++, 0, 1, 3);
    }

private:
    QFrame* m_frame;
    QGridLayout* m_layout;
    int m_row = 0;
};

QFrame* Frame(QWidget* area, const char* name) {
    auto* frame = area->findChild<QFrame*>(QString::fromLatin1(name));
    // A frame that already has a layout has been filled once.
    return frame && !frame->layout() ? frame : nullptr;
}

void BuildPrintReadyPanel(QFrame* frame, const StrikeLevels& levels) {
    PanelGrid grid(frame);
    grid.Heading("Label5");
    grid.Label("Label6");
    grid.RadioPair("RadioButton1", "RadioButton2");
    grid.RadioPair("RadioButton10", "RadioButton9");
    grid.Label("Label17");
    grid.RadioPair("GroupRadBut", "IndRadBut");
    grid.ColumnCaptions("Label9", "Label7");
    grid.Sliders(levels.PrintReady.Design());
    grid.CheckBox("SecondWork");
    grid.Buttons("Button17", "BitBtn1");
}

void BuildPrintReadyPanel2(QFrame* frame, const StrikeLevels& levels) {
    PanelGrid grid(frame);
    grid.Heading("Label19");
    grid.Label("Label31");
    grid.RadioPair("RadioButton5", "RadioButton6");
    grid.Label("Label30");
    grid.RadioPair("GroupRadBut_2", "IndRadBut_2");
    grid.ColumnCaptions("Label22", "Label20");
    grid.Sliders(levels.PrintReady2.Design());
    grid.Buttons("Button19", "BitBtn2");
}

struct AbortHalfNames {
    const char* heading;
    const char* pass;
    const char* continueButton;
    const char* endButton;
};

void BuildAbortHalf(QFrame* frame, const LevelPanelDesign& design, const AbortHalfNames& names) {
    PanelGrid grid(frame);
    grid.Heading(names.heading);
    grid.Label(names.pass);
    grid.RadioPair(design.groupButton, design.individualButton);
    grid.Sliders(design);
    grid.Buttons(names.continueButton, names.endButton);
}

} // namespace

void BuildLevelPanels(QWidget* area, const StrikeLevels& levels) {
    if (QFrame* frame = Frame(area, "PrintReadyPanel"))
        BuildPrintReadyPanel(frame, levels);
    if (QFrame* frame = Frame(area, "PrintReadyPanel_2"))
        BuildPrintReadyPanel2(frame, levels);
    if (QFrame* frame = Frame(area, "AbortWork1Panel"))
        BuildAbortHalf(frame, levels.AbortWork1.Design(),
                       {"Label45", "Label57", "Button27", "Button28"});
    if (QFrame* frame = Frame(area, "AbortWork2Panel"))
        BuildAbortHalf(frame, levels.AbortWork2.Design(),
                       {"Label56", "Label58", "Button30", "Button31"});
}

} // namespace zeb::app
