#include "app/picture_dialogs.h"

#include "app/widgets.h"

#include <QGridLayout>
#include <QListWidget>
#include <QVBoxLayout>

namespace zeb::app {

TConvertForm::TConvertForm(const LanguageText& text, bool languageLoaded, QWidget* parent)
    : QDialog(parent) {
    setObjectName("ConvertForm");
    setWindowTitle("ConvertForm");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto pick = [&](int code, const char* builtIn) {
        return languageLoaded ? text(code, QString::fromUtf8(builtIn)) : QString::fromUtf8(builtIn);
    };
    auto* layout = new QVBoxLayout(this);
    auto* panel =
        Named(new QGroupBox(pick(111, "Варианты преобразования изображения"), this), "Label9");
    auto* choices = new QVBoxLayout(panel);
    m_combined = MakeRadio(panel, "RadioButton3", pick(211, "Комбинированный (улучшенный)"), true);
    choices->addWidget(m_combined);
    choices->addWidget(MakeRadio(panel, "RadioButton4", pick(311, "Диффузионный (простой)")));
    layout->addWidget(panel);
    auto* ok = MakeButton(this, "Button1", "Ok");
    connect(ok, &QPushButton::clicked, this, [this] {
        m_confirmed = true;
        accept();
    });
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void TConvertForm::Run(bool& combined) {
    m_confirmed = false;
    exec();
    if (m_confirmed)
        combined = m_combined->isChecked();
}

QStringList TForm5::ResolutionTexts() {
    return {
        QStringLiteral("101.6  dpi  =  40.0 т/см"),  QStringLiteral("  95.6  dpi  =  37.6 т/см"),
        QStringLiteral("  90.3  dpi  =  35.6 т/см"), QStringLiteral("  85.6  dpi  =  33.7 т/см"),
        QStringLiteral("  81.3  dpi  =  32.0 т/см"), QStringLiteral("  77.4  dpi  =  30.5 т/см"),
        QStringLiteral("  73.9  dpi  =  29.1 т/см"), QStringLiteral("  70.7  dpi  =  27.8 т/см"),
        QStringLiteral("  67.7  dpi  =  26.7 т/см"), QString()};
}

TForm5::TForm5(const LanguageText& text, bool languageLoaded, QWidget* parent) : QDialog(parent) {
    setObjectName("Form5");
    setWindowTitle("Portret_Properties");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto pick = [&](int code, const char* builtIn) {
        return languageLoaded ? text(code, QString::fromUtf8(builtIn)) : QString::fromUtf8(builtIn);
    };
    auto* layout = new QVBoxLayout(this);
    auto* resolutionLabel = MakeLabel(this, "Label1", pick(2002, "Разрешение (плотность точек) "));
    resolutionLabel->setFont(Bold(resolutionLabel->font()));
    layout->addWidget(resolutionLabel);
    m_resolutionBox = Named(new QListWidget(this), "ResolutionBox");
    m_resolutionBox->addItems(ResolutionTexts());
    m_resolutionBox->setFixedHeight(m_resolutionBox->sizeHintForRow(0) * 10 + 6);
    connect(m_resolutionBox, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            emit ResolutionChanged(row);
    });
    layout->addWidget(m_resolutionBox);
    layout->addWidget(
        MakeLabel(this, "Label3", pick(2012, "Расположение изображения на рабочем поле")));
    auto* grid = new QGridLayout;
    const char* horizontal[] = {"Left", "Center", "Right"};
    const char* vertical[] = {"Top", "Center", "Bottom"};
    for (int k = 0; k < 9; ++k) {
        const int h = k % 3;
        const int v = k / 3;
        auto* button = MakeButton(this, QStringLiteral("Button%1").arg(k + 1),
                                  QStringLiteral("%1 %2").arg(horizontal[h], vertical[v]));
        button->setFixedSize(73, 73);
        connect(button, &QPushButton::clicked, this, [this, h, v] {
            emit AlignmentChosen(h, v);
            close();
        });
        grid->addWidget(button, v, h);
    }
    layout->addLayout(grid);
}

void TForm5::SelectResolution(int index) {
    m_resolutionBox->setCurrentRow(index);
}

int TForm5::SelectedResolution() const {
    const auto selected = m_resolutionBox->selectedItems();
    return selected.isEmpty() ? -1 : m_resolutionBox->row(selected.first());
}

QString TForm5::SelectedText() const {
    const int row = SelectedResolution();
    return row < 0 ? QString() : m_resolutionBox->item(row)->text();
}

void TForm5::done(int result) {
    // Every way of closing ends here: the close box (through reject), Escape, the buttons.
    if (isVisible())
        emit Closed();
    QDialog::done(result);
}

} // namespace zeb::app
