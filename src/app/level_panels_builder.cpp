#include "app/level_panels_builder.h"

#include "app/widgets.h"
#include "app/window_texts.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QSlider>

namespace zeb::app {

namespace {

// The force labels are green, as on the machine's panels the operator knows.
const QColor ForceColour(0, 128, 0);
constexpr int SliderWidth = 160;
const char* const LevelNames[4] = {"32", "24", "16", "8"};

// Component names of one panel's sliders and labels, level "32" first, and of its pair.
struct SliderNames {
    std::array<const char*, 4> sliders;
    std::array<const char*, 4> values;
    std::array<const char*, 4> names;
    const char* group;
    const char* individual;
};

const SliderNames PrintReadyNames{{"TrackBar1", "TrackBar2", "TrackBar3", "TrackBar4"},
                                  {"Label8", "Label14", "Label15", "Label16"},
                                  {"Label10", "Label11", "Label12", "Label13"},
                                  "GroupRadBut",
                                  "IndRadBut"};
const SliderNames PrintReady2Names{{"TrackBar5", "TrackBar6", "TrackBar7", "TrackBar8"},
                                   {"Label21", "Label27", "Label28", "Label29"},
                                   {"Label23", "Label24", "Label25", "Label26"},
                                   "GroupRadBut_2",
                                   "IndRadBut_2"};
const SliderNames AbortWork1Names{{"TrackBar9", "TrackBar10", "TrackBar11", "TrackBar12"},
                                  {"Label38", "Label40", "Label42", "Label44"},
                                  {"Label36", "Label39", "Label41", "Label43"},
                                  "RadioButton3",
                                  "RadioButton4"};
const SliderNames AbortWork2Names{{"TrackBar13", "TrackBar14", "TrackBar15", "TrackBar16"},
                                  {"Label49", "Label51", "Label53", "Label55"},
                                  {"Label48", "Label50", "Label52", "Label54"},
                                  "RadioButton7",
                                  "RadioButton8"};

// The sliders of a pass's main panel take that pass's ranges; the interrupted-job halves
// have their own, 1..200 at 3, 3, 1, 1 for either pass.
ForceRange SliderRange(int pass, int level) {
    if (pass != 0)
        return StrikeLevels::Range(pass, level);
    return {1, StrikeLevels::MaxForce, level >= 3 ? 3 : 1};
}

// Every caption here is a main-window text of the language table; the language file's text
// comes once it has been read.
QString Caption(const char* name) {
    return BuiltInCaption(name);
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
    std::pair<QRadioButton*, QRadioButton*> RadioPair(const char* first, const char* second,
                                                      bool firstChecked) {
        auto* group = new QButtonGroup(m_frame);
        QRadioButton* a = Wide(MakeRadio(m_frame, first, Caption(first), firstChecked));
        QRadioButton* b = Wide(MakeRadio(m_frame, second, Caption(second), !firstChecked));
        group->addButton(a);
        group->addButton(b);
        return {a, b};
    }

    QCheckBox* CheckBox(const char* name) { return Wide(MakeCheck(m_frame, name, Caption(name))); }

    void ColumnCaptions(const char* level, const char* force) {
        m_layout->addWidget(MakeLabel(m_frame, level, Caption(level)), m_row, 0);
        m_layout->addWidget(MakeLabel(m_frame, force, Caption(force)), m_row++, 1, 1, 2);
    }

    // `pass` 1 or 2 for a main panel, 0 for a half of the interrupted-job panel.
    void Sliders(const SliderNames& names, int pass, LevelPanel::Widgets& w) {
        for (size_t i = 0; i < 4; ++i) {
            const int level = 4 - static_cast<int>(i);
            w.names[i] = MakeLabel(m_frame, names.names[i], QString::fromLatin1(LevelNames[i]));
            m_layout->addWidget(w.names[i], m_row, 0);
            auto* slider = Named(new QSlider(Qt::Horizontal, m_frame), names.sliders[i]);
            const ForceRange range = SliderRange(pass, level);
            slider->setRange(range.min, range.max);
            slider->setValue(range.start);
            slider->setMinimumWidth(SliderWidth);
            m_layout->addWidget(slider, m_row, 1);
            w.sliders[i] = slider;
            QLabel* value = MakeLabel(m_frame, names.values[i], QStringLiteral("(1)"));
            // As wide as the widest force, so the panel keeps its width as the force grows.
            value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("(200)")));
            QPalette palette = value->palette();
            // Disabled levels keep the system's grey.
            for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
                palette.setColor(group, QPalette::WindowText, ForceColour);
            value->setPalette(palette);
            m_layout->addWidget(value, m_row++, 2);
            w.values[i] = value;
        }
    }

    // `middle`, when given, stands between the two.
    std::array<QPushButton*, 2> Buttons(const char* left, const char* right,
                                        QPushButton* middle = nullptr) {
        auto* row = new QHBoxLayout;
        std::array<QPushButton*, 2> buttons{MakeButton(m_frame, left, Caption(left)),
                                            MakeButton(m_frame, right, Caption(right))};
        row->addWidget(buttons[0]);
        if (middle)
            row->addWidget(middle);
        row->addWidget(buttons[1]);
        m_layout->addLayout(row, m_row++, 0, 1, 3);
        return buttons;
    }

private:
    QFrame* m_frame;
    QGridLayout* m_layout;
    int m_row = 0;
};

void BuildPrintReadyPanel(QFrame* frame, LevelPanelsWidgets& w) {
    PanelGrid grid(frame);
    grid.Heading("Label5");
    grid.Label("Label6");
    std::tie(w.high, w.standard) = grid.RadioPair("RadioButton1", "RadioButton2", false);
    std::tie(w.portrait, w.text) = grid.RadioPair("RadioButton10", "RadioButton9", true);
    grid.Label("Label17");
    std::tie(w.printReady.group, w.printReady.individual) =
        grid.RadioPair("GroupRadBut", "IndRadBut", true);
    grid.ColumnCaptions("Label9", "Label7");
    grid.Sliders(PrintReadyNames, 1, w.printReady);
    w.secondWork = grid.CheckBox("SecondWork");
    // "Предпросмотр" beside "Работа": the preview controller finds it by its name.
    const auto buttons = grid.Buttons(
        "Button17", "BitBtn1", MakeButton(frame, "PreviewButton", BuiltInCaption("PreviewButton")));
    w.start[0] = buttons[0];
    w.cancel[0] = buttons[1];
}

void BuildPrintReadyPanel2(QFrame* frame, LevelPanelsWidgets& w) {
    PanelGrid grid(frame);
    grid.Heading("Label19");
    grid.Label("Label31");
    std::tie(w.highMirror, w.standardMirror) =
        grid.RadioPair("RadioButton5", "RadioButton6", false);
    // The second-pass panel only shows the quality chosen on the first.
    w.highMirror->setEnabled(false);
    w.standardMirror->setEnabled(false);
    grid.Label("Label30");
    std::tie(w.printReady2.group, w.printReady2.individual) =
        grid.RadioPair("GroupRadBut_2", "IndRadBut_2", true);
    grid.ColumnCaptions("Label22", "Label20");
    grid.Sliders(PrintReady2Names, 2, w.printReady2);
    const auto buttons = grid.Buttons("Button19", "BitBtn2");
    w.start[1] = buttons[0];
    w.cancel[1] = buttons[1];
}

struct AbortHalfNames {
    const char* heading;
    const char* pass;
    const char* continueButton;
    const char* endButton;
};

std::array<QPushButton*, 2> BuildAbortHalf(QFrame* frame, const SliderNames& names,
                                           const AbortHalfNames& captions, LevelPanel::Widgets& w) {
    PanelGrid grid(frame);
    grid.Heading(captions.heading);
    grid.Label(captions.pass);
    std::tie(w.group, w.individual) = grid.RadioPair(names.group, names.individual, false);
    grid.Sliders(names, 0, w);
    return grid.Buttons(captions.continueButton, captions.endButton);
}

} // namespace

LevelPanelsWidgets BuildLevelPanels(const LevelFrames& frames) {
    LevelPanelsWidgets w;
    BuildPrintReadyPanel(frames.printReady, w);
    BuildPrintReadyPanel2(frames.printReady2, w);
    const auto first = BuildAbortHalf(frames.abortWork1, AbortWork1Names,
                                      {"Label45", "Label57", "Button27", "Button28"}, w.abortWork1);
    const auto second =
        BuildAbortHalf(frames.abortWork2, AbortWork2Names,
                       {"Label56", "Label58", "Button30", "Button31"}, w.abortWork2);
    w.continueJob = {first[0], second[0]};
    w.endJob = {first[1], second[1]};
    return w;
}

} // namespace zeb::app
