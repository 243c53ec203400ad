#include "app/level_panels_controller.h"

#include "app/level_panels_builder.h"
#include "app/menu_form.h"
#include "app/strike_force_dialog.h"
#include "job/session.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

namespace zeb::app {

namespace {

// An exclusive pair refuses to uncheck its checked button by itself; the model decides.
void ShowChecked(QAbstractButton* button, bool checked) {
    QButtonGroup* group = button->group();
    const bool lift = group && group->exclusive() && !checked;
    if (lift)
        group->setExclusive(false);
    button->setChecked(checked);
    if (lift)
        group->setExclusive(true);
}

void ShowColour(QWidget* widget, TextColour colour) {
    if (colour == TextColour::Default) {
        widget->setPalette(QPalette());
        return;
    }
    const QColor text = colour == TextColour::Red
                            ? QColor(Qt::red)
                            : QApplication::palette(widget).color(QPalette::Highlight);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::ButtonText, text);
    widget->setPalette(palette);
}

void ShowPosition(QSlider* slider, int position) {
    const QSignalBlocker quiet(slider);
    slider->setValue(position);
}

} // namespace

LevelPanelsController::LevelPanelsController(TMenuForm& form) : QObject(&form), m_form(form) {
    StrikeLevels& levels = form.State().Levels;
    // The window's own regions only: dialogs have controls of the same names.
    QWidget* area = form.centralWidget();
    BuildLevelPanels(area, levels);

    const StrikeLevelControls controls = levels.Controls();
    for (const auto& [name, model] : controls.trackBars)
        Bind(area->findChild<QSlider*>(name), *model);
    for (const auto& [name, model] : controls.labels)
        Bind(area->findChild<QLabel*>(name), *model);
    for (const auto& [name, model] : controls.radioButtons)
        Bind(area->findChild<QRadioButton*>(name), *model);
    for (const auto& [name, model] : controls.panels)
        Bind(area->findChild<QFrame*>(name), *model);
    BindSecondWork(area->findChild<QCheckBox*>("SecondWork"), levels.SecondWork);
    BindQualityItem(form.Item("Qual1"), levels.Qual1, &StrikeLevels::Qual1Click);
    BindQualityItem(form.Item("Qual2"), levels.Qual2, &StrikeLevels::Qual2Click);

    for (const char* name : {"BitBtn1", "BitBtn2"}) {
        if (auto* cancel = area->findChild<QPushButton*>(name))
            connect(cancel, &QPushButton::clicked, this,
                    [this] { m_form.State().Levels.CancelClick(m_form); });
    }
    connect(form.Item("StrikeForce1"), &QAction::triggered, this,
            &LevelPanelsController::StrikeForceClick);
}

void LevelPanelsController::Bind(QSlider* slider, TrackBar& model) {
    if (!slider)
        return;
    {
        const QSignalBlocker quiet(slider);
        slider->setRange(model.Min(), model.Max());
        slider->setValue(model.Position());
    }
    slider->setEnabled(model.Enabled());
    // Only the operator's moves reach here: the model's own are shown with signals blocked.
    connect(slider, &QSlider::valueChanged, &model, [slider, &model](int position) {
        model.SetPosition(position);
        if (slider->value() != model.Position())
            ShowPosition(slider, model.Position());
    });
    connect(&model, &TrackBar::Changed, slider,
            [slider](int position) { ShowPosition(slider, position); });
    connect(&model, &TrackBar::EnabledChanged, slider, &QWidget::setEnabled);
}

void LevelPanelsController::Bind(QLabel* label, TextLabel& model) {
    if (!label)
        return;
    label->setText(model.Text());
    label->setEnabled(model.Enabled());
    connect(&model, &TextLabel::TextChanged, label, &QLabel::setText);
    connect(&model, &TextLabel::EnabledChanged, label, &QWidget::setEnabled);
}

void LevelPanelsController::Bind(QRadioButton* button, RadioButton& model) {
    if (!button)
        return;
    ShowChecked(button, model.Checked());
    button->setEnabled(model.Enabled());
    ShowColour(button, model.Colour());
    // clicked comes from the operator only; a click on the checked button changes nothing.
    connect(button, &QAbstractButton::clicked, &model, [button, &model] {
        model.Click();
        ShowChecked(button, model.Checked());
    });
    connect(&model, &RadioButton::CheckedChanged, button,
            [button](bool checked) { ShowChecked(button, checked); });
    connect(&model, &RadioButton::EnabledChanged, button, &QWidget::setEnabled);
    connect(&model, &RadioButton::ColourChanged, button,
            [button](TextColour colour) { ShowColour(button, colour); });
}

void LevelPanelsController::Bind(QFrame* panel, PanelModel& model) {
    if (!panel)
        return;
    auto show = [panel](bool visible) {
        panel->setVisible(visible);
        if (visible)
            panel->raise();
    };
    show(model.Visible());
    panel->setEnabled(model.Enabled());
    connect(&model, &PanelModel::VisibleChanged, panel, show);
    connect(&model, &PanelModel::EnabledChanged, panel, &QWidget::setEnabled);
}

void LevelPanelsController::BindSecondWork(QCheckBox* box, CheckBox& model) {
    if (!box)
        return;
    box->setChecked(model.Checked());
    box->setEnabled(model.Enabled());
    connect(box, &QCheckBox::clicked, this, [this, &model](bool checked) {
        model.SetChecked(checked);
        QWidget* area = m_form.centralWidget();
        auto* first = area->findChild<QFrame*>("PrintReadyPanel");
        auto* second = area->findChild<QFrame*>("PrintReadyPanel_2");
        if (first && second)
            second->move(second->x(), first->y());
        m_form.State().Levels.SecondWorkClick();
    });
    connect(&model, &CheckBox::CheckedChanged, box, [box](bool checked) {
        const QSignalBlocker quiet(box);
        box->setChecked(checked);
    });
    connect(&model, &CheckBox::EnabledChanged, box, &QWidget::setEnabled);
}

void LevelPanelsController::BindQualityItem(QAction* item, CheckBox& model,
                                            void (StrikeLevels::*click)()) {
    if (!item)
        return;
    item->setChecked(model.Checked());
    // A checkable item flips its own mark before triggered; the model's mark is the one kept.
    connect(item, &QAction::triggered, this, [this, item, &model, click] {
        (m_form.State().Levels.*click)();
        item->setChecked(model.Checked());
    });
    connect(&model, &CheckBox::CheckedChanged, item, &QAction::setChecked);
}

void LevelPanelsController::StrikeForceClick() {
    TStrikeHelth* dialog = m_form.StrikeHelth();
    if (!dialog)
        return;
    StrikeLevels& levels = m_form.State().Levels;
    levels.SingleStrikeForce = dialog->Run(levels.SingleStrikeForce);
}

} // namespace zeb::app
