#include "app/picture_dialogs.h"

#include "app/tone_controls.h"
#include "app/widgets.h"
#include "picture/open_command.h"
#include "picture/portrait_properties.h"

#include <QEvent>
#include <QGridLayout>
#include <QListWidget>
#include <QPalette>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace zeb::app {

QString ResolutionText(const TextCatalogue& texts, int index) {
    static constexpr TextKey items[] = {
        TextKey::Resolution0, TextKey::Resolution1, TextKey::Resolution2,
        TextKey::Resolution3, TextKey::Resolution4, TextKey::Resolution5,
        TextKey::Resolution6, TextKey::Resolution7, TextKey::Resolution8};
    static_assert(std::size(items) == ResolutionCount);
    return texts.Text(items[index >= 0 && index < ResolutionCount ? index : 0]);
}

QString AlignmentButtonText(const TextCatalogue& texts, int button) {
    static constexpr TextKey buttons[] = {
        TextKey::AlignLeftTop,    TextKey::AlignCenterTop,    TextKey::AlignRightTop,
        TextKey::AlignLeftCenter, TextKey::AlignCenterCenter, TextKey::AlignRightCenter,
        TextKey::AlignLeftBottom, TextKey::AlignCenterBottom, TextKey::AlignRightBottom};
    return button >= 1 && button <= 9 ? texts.Text(buttons[button - 1]) : QString();
}

TConvertForm::TConvertForm(const TextCatalogue& texts, QWidget* parent) : QDialog(parent) {
    setObjectName("ConvertForm");
    setWindowTitle(texts.Text(TextKey::ConvertFormTitle));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* panel = Named(new QGroupBox(texts.Text(111), this), "Label9");
    auto* choices = new QVBoxLayout(panel);
    m_combined = MakeRadio(panel, "RadioButton3", texts.Text(211), true);
    choices->addWidget(m_combined);
    choices->addWidget(MakeRadio(panel, "RadioButton4", texts.Text(311)));
    layout->addWidget(panel);
    auto* ok = MakeButton(this, "Button1", texts.Text(TextKey::ButtonOk));
    connect(ok, &QPushButton::clicked, this, [this] {
        emit Button1Clicked(m_combined->isChecked());
        accept();
    });
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

TForm5::TForm5(const TextCatalogue& texts, QWidget* parent) : QDialog(parent) {
    setObjectName("Form5");
    setWindowTitle(texts.Text(TextKey::Form5Title));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* resolutionLabel = MakeLabel(this, "Label1", texts.Text(2002));
    resolutionLabel->setFont(Bold(resolutionLabel->font()));
    layout->addWidget(resolutionLabel);
    m_resolutionBox = Named(new QListWidget(this), "ResolutionBox");
    // The list's last item stays empty, as in the design: choosing it changes nothing.
    for (int index = 0; index < ResolutionCount; ++index)
        m_resolutionBox->addItem(ResolutionText(texts, index));
    m_resolutionBox->addItem(QString());
    m_resolutionBox->setFixedHeight(m_resolutionBox->sizeHintForRow(0) * 10 + 6);
    connect(m_resolutionBox, &QListWidget::currentRowChanged, this,
            [this](int row) { emit ResolutionChanged(row); });
    layout->addWidget(m_resolutionBox);
    layout->addWidget(MakeLabel(this, "Label3", texts.Text(2012)));
    auto* grid = new QGridLayout;
    for (int k = 0; k < 9; ++k) {
        auto* button = MakePositionButton(this, QStringLiteral("Button%1").arg(k + 1),
                                          AlignmentButtonText(texts, k + 1));
        button->setProperty("alignmentButton", k + 1);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, k] {
            emit AlignmentButtonClicked(k + 1);
            close();
        });
        grid->addWidget(button, k / 3, k % 3);
    }
    layout->addLayout(grid);
    // Wrapped within the dialog's width: the layout gives them the height their text needs.
    m_sizeLabel = MakeLabel(this, "PictureSizeLabel", QString());
    m_fitLabel = MakeLabel(this, "FieldFitLabel", QString());
    for (QLabel* label : {m_sizeLabel, m_fitLabel}) {
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    // The photo is read by now and not yet converted: its tone is chosen here.
    layout->addWidget(new ToneControls(texts, this));
}

void TForm5::SelectResolution(int index) {
    m_resolutionBox->setCurrentRow(index);
}

int TForm5::SelectedResolution() const {
    const auto selected = m_resolutionBox->selectedItems();
    return selected.isEmpty() ? -1 : m_resolutionBox->row(selected.first());
}

void TForm5::ShowFieldFit(const QString& sizeText, const QString& fitText, bool fits) {
    m_sizeLabel->setText(sizeText);
    m_fitLabel->setText(fitText);
    QPalette palette = m_sizeLabel->palette();
    if (!fits)
        palette.setColor(QPalette::WindowText, Qt::darkRed);
    m_fitLabel->setPalette(palette);
    // A longer text takes more lines: the dialog grows rather than clip it.
    if (isVisible())
        resize(width(), std::max(height(), sizeHint().height()));
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
    const int button = watched->property("alignmentButton").toInt();
    if (button != 0) {
        if (event->type() == QEvent::Enter || event->type() == QEvent::FocusIn)
            emit AlignmentPointed(button);
        else if (event->type() == QEvent::Leave || event->type() == QEvent::FocusOut)
            emit AlignmentPointed(0);
    }
    return QDialog::eventFilter(watched, event);
}

void TForm5::done(int result) {
    // Every way of closing ends here: the close box (through reject), Escape, the buttons.
    if (isVisible())
        emit Closed();
    QDialog::done(result);
}

} // namespace zeb::app
