// The self-test strip and the hidden service panel of the main window.
#include "app/menu_form.h"
#include "app/widgets.h"
#include "text/text_catalogue.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace zeb::app {

void TMenuForm::BuildSelfTestingPanel(QWidget* panelImage) {
    auto* panel = Named(new QFrame(panelImage), "SelfTestingPanel");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->hide();
    auto* layout = new QHBoxLayout(panel);
    // Each caption is named after its field, so the language file can reach it.
    auto addPair = [&](TextKey caption, QWidget* field) {
        auto* column = new QVBoxLayout;
        const QString name = field->objectName().replace(QStringLiteral("Edit"), "Label");
        column->addWidget(MakeLabel(panel, name, TextCatalogue::BuiltIn(caption)));
        column->addWidget(field);
        layout->addLayout(column);
    };
    auto* counter = MakeSpin(panel, "ErorCounterEdit");
    counter->setReadOnly(true);
    counter->setButtonSymbols(QAbstractSpinBox::NoButtons);
    counter->setValue(0);
    addPair(TextKey::SelfTestErrorCounter, counter);
    addPair(TextKey::SelfTestNeedCommand, MakeEdit(panel, "NeedComandEdit"));
    addPair(TextKey::SelfTestGetCommand, MakeEdit(panel, "GetComandEdit"));
    auto* checks = new QVBoxLayout;
    checks->addWidget(MakeCheck(panel, "StepControlCheckBox",
                                TextCatalogue::BuiltIn(TextKey::SelfTestStepControl), true));
    checks->addWidget(
        MakeCheck(panel, "CheckBox1", TextCatalogue::BuiltIn(TextKey::SelfTestWriteFile), true));
    layout->addLayout(checks);
    addPair(TextKey::SelfTestCountPosX, MakeEdit(panel, "CountPosXEdit"));
    addPair(TextKey::SelfTestRealPosX, MakeEdit(panel, "RealPosXEdit"));
    addPair(TextKey::SelfTestCountPosY, MakeEdit(panel, "CountPosYEdit"));
    addPair(TextKey::SelfTestRealPosY, MakeEdit(panel, "RealPosYEdit"));
    layout->addWidget(MakeLabel(panel, "label66", "0"));
    layout->addWidget(MakeLabel(panel, "label67", "0"));
    layout->addStretch(1);
    panelImage->layout()->addWidget(panel);
}

// Panel1: service controls of the machine's maker. Never shown, so its designer captions are
// nobody's texts; none of its buttons does anything.
void TMenuForm::BuildServicePanel(QWidget* panelImage) {
    auto* panel = Named(new QFrame(panelImage), "Panel1");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->hide();
    auto* grid = new QGridLayout(panel);
    const char* buttons[] = {"up",
                             "Down",
                             "<",
                             ">",
                             "Strike",
                             "StrikeBack",
                             "i2c writ",
                             "IglaFly",
                             "IglaUp",
                             "IglaPut",
                             "RecordingProgramm",
                             "",
                             ""};
    int row = 0;
    for (const char* caption : buttons) {
        grid->addWidget(MakeButton(panel, QStringLiteral("Button%1").arg(40 + row), caption), row,
                        0);
        ++row;
    }
    grid->addWidget(MakeLabel(panel, "Label61", "EEProm_I2C"), row++, 0);
    grid->addWidget(MakeLabel(panel, "Label62", "Processor "), row++, 0);
    for (const char* edit : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6"})
        grid->addWidget(MakeEdit(panel, edit), row++, 0);
    grid->addWidget(MakeSpin(panel, "SpinEdit1"), row++, 0);
}

} // namespace zeb::app
