// The regions of the main window: the field in its scroll box, the floating panels over it,
// the status bar. Panels that later work fills are created here with their names, so the
// window's layout lives in one place.
#include "app/field_widget.h"
#include "app/level_panels.h"
#include "app/menu_form.h"
#include "app/widgets.h"
#include "job/session.h"
#include "text/text_catalogue.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QtMath>

namespace zeb::app {

namespace {

// Built in: the language file's texts come once it has been read.
QString Caption(TextId id) {
    return TextCatalogue::BuiltIn(id);
}

QFrame* MakePanel(QWidget* parent, const QString& name) {
    auto* panel = Named(new QFrame(parent), name);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    panel->hide();
    return panel;
}

// ChangeBox: what dragging and double clicks act on, and how the needle travels.
void BuildChangeBox(QWidget* parent) {
    QFrame* box = MakePanel(parent, "ChangeBox");
    auto* layout = new QVBoxLayout(box);
    auto* target = Named(new QGroupBox(Caption(TextKey::ToolPanelMove), box), "GroupBox2");
    auto* targetLayout = new QHBoxLayout(target);
    targetLayout->addWidget(MakeRadio(target, "Marker", Caption(TextKey::ToolPanelMarker)));
    targetLayout->addWidget(MakeRadio(target, "Igla", Caption(TextKey::ToolPanelNeedle), true));
    layout->addWidget(target);
    auto* needle = Named(new QGroupBox(Caption(TextKey::ToolPanelNeedleBox), box), "GroupBox3");
    auto* needleLayout = new QGridLayout(needle);
    needleLayout->addWidget(MakeRadio(needle, "AllUp", Caption(TextKey::ToolPanelNeedleUp)), 0, 0);
    needleLayout->addWidget(
        MakeRadio(needle, "UpMove", Caption(TextKey::ToolPanelNeedleUpMoving), true), 1, 0);
    needleLayout->addWidget(
        MakeLabel(needle, "Label60", Caption(TextKey::ToolPanelNeedleUpMovingEnd)), 1, 1);
    needleLayout->addWidget(MakeRadio(needle, "AllDown", Caption(TextKey::ToolPanelNeedleDown)), 2,
                            0);
    layout->addWidget(needle);
    auto* ok = MakeButton(box, "Ok", Caption(TextKey::ButtonOK));
    QObject::connect(ok, &QPushButton::clicked, box, &QWidget::hide);
    layout->addWidget(ok);
    box->adjustSize();
}

// GroupBox1: the nine reference points of the placed picture and the needle mode.
void BuildPositionBox(QWidget* parent) {
    auto* box = Named(new QGroupBox(parent), "GroupBox1");
    box->setAutoFillBackground(true);
    box->hide();
    auto* layout = new QVBoxLayout(box);
    auto* heading = MakeLabel(box, "Label4", Caption(142));
    heading->setFont(Bold(heading->font()));
    layout->addWidget(heading);
    auto* grid = new QGridLayout;
    const TextKey captions[] = {
        TextKey::PositionLeftTop,    TextKey::PositionMiddleTop,    TextKey::PositionRightTop,
        TextKey::PositionLeftMiddle, TextKey::PositionMiddleMiddle, TextKey::PositionRightMiddle,
        TextKey::PositionLeftBottom, TextKey::PositionMiddleBottom, TextKey::PositionRightBottom};
    for (int k = 0; k < 9; ++k) {
        auto* button =
            MakePositionButton(box, QStringLiteral("Button%1").arg(7 + k), Caption(captions[k]));
        grid->addWidget(button, k / 3, k % 3);
    }
    layout->addLayout(grid);
    layout->addWidget(MakeRadio(box, "AllUp1", Caption(242), true));
    layout->addWidget(MakeRadio(box, "UpMove1", Caption(342)));
    layout->addWidget(MakeRadio(box, "AllDown1", Caption(442)));
    layout->addWidget(MakeButton(box, "Button16", Caption(542)));
    box->adjustSize();
}

// SizePanel: the size of the field control on the screen.
void BuildSizePanel(QWidget* parent) {
    QFrame* panel = MakePanel(parent, "SizePanel");
    auto* layout = new QGridLayout(panel);
    auto* heading = MakeLabel(panel, "Label18", Caption(TextKey::FieldViewHeading));
    heading->setFont(Bold(heading->font()));
    layout->addWidget(heading, 0, 0, 1, 2);
    layout->addWidget(MakeLabel(panel, "Label32", Caption(TextKey::FieldViewUnits)), 1, 0, 1, 2);
    layout->addWidget(MakeSpin(panel, "SpinEdit2"), 2, 0);
    layout->addWidget(MakeLabel(panel, "Label33", Caption(TextKey::FieldViewDpi)), 2, 1);
    layout->addWidget(MakeSpin(panel, "SpinEdit3"), 3, 0);
    layout->addWidget(MakeLabel(panel, "Label34", Caption(TextKey::FieldViewDpi)), 3, 1);
    layout->addWidget(MakeButton(panel, "Button18", Caption(TextKey::ButtonOK)), 4, 0, 1, 2);
    panel->adjustSize();
}

} // namespace

void TMenuForm::BuildRegions() {
    auto* central = Named(new QWidget(this), "ClientArea");
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto* panelImage = Named(new QWidget(central), "PanelImage");
    auto* imageLayout = new QVBoxLayout(panelImage);
    imageLayout->setContentsMargins(0, 0, 0, 0);
    imageLayout->setSpacing(0);
    BuildSelfTestingPanel(panelImage);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    BuildServicePanel(panelImage);
    row->addWidget(panelImage->findChild<QWidget*>("Panel1"));
    m_scrollBox1 = Named(new QScrollArea(panelImage), "ScrollBox1");
    m_scrollBox1->setBackgroundRole(QPalette::Dark);
    m_image1 = new FieldWidget;
    m_scrollBox1->setWidget(m_image1);
    row->addWidget(m_scrollBox1, 1);
    imageLayout->addLayout(row, 1);
    outer->addWidget(panelImage, 1);

    BuildFloatingPanels(panelImage);
    BuildStatusBar(central);
    setCentralWidget(central);
}

void TMenuForm::BuildFloatingPanels(QWidget* panelImage) {
    BuildChangeBox(panelImage);
    BuildPositionBox(panelImage);
    BuildSizePanel(panelImage);
    LevelFrames frames;
    frames.printReady = MakePanel(panelImage, "PrintReadyPanel");
    frames.printReady2 = MakePanel(panelImage, "PrintReadyPanel_2");
    frames.abort = MakePanel(panelImage, "AbortPanel");
    auto* halves = new QHBoxLayout(frames.abort);
    frames.abortWork1 = MakePanel(frames.abort, "AbortWork1Panel");
    frames.abortWork2 = MakePanel(frames.abort, "AbortWork2Panel");
    halves->addWidget(frames.abortWork1);
    halves->addWidget(frames.abortWork2);
    m_levelPanels =
        new StrikeLevelPanels(m_session->Levels, frames, Item("Qual1"), Item("Qual2"), this);
}

void TMenuForm::BuildStatusBar(QWidget* parent) {
    auto* panel4 = Named(new QFrame(parent), "Panel4");
    panel4->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(panel4);
    layout->setContentsMargins(4, 2, 4, 2);
    m_memo1 = Named(new QPlainTextEdit(panel4), "Memo1");
    // Read-only but enabled, so it reads as text and not as a greyed-out control; it never
    // takes the keyboard (Delete is STOP). Two lines high: the status text is the second.
    m_memo1->setReadOnly(true);
    m_memo1->setFocusPolicy(Qt::NoFocus);
    m_memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int margins = 2 * (m_memo1->frameWidth() + qCeil(m_memo1->document()->documentMargin()));
    m_memo1->setFixedHeight(2 * m_memo1->fontMetrics().lineSpacing() + margins);
    layout->addWidget(m_memo1, 2);
    auto* panel5 = Named(new QFrame(panel4), "Panel5");
    auto* gaugeLayout = new QHBoxLayout(panel5);
    gaugeLayout->setContentsMargins(0, 0, 0, 0);
    m_gauge1 = Named(new QProgressBar(panel5), "Gauge1");
    m_gauge1->setRange(0, 100);
    m_gauge1->setValue(0);
    gaugeLayout->addWidget(m_gauge1);
    layout->addWidget(panel5, 1);
    auto* times = new QVBoxLayout;
    times->addWidget(MakeLabel(panel4, "Label37", Caption(0)));
    times->addWidget(MakeLabel(panel4, "Label35", Caption(1)));
    layout->addLayout(times, 1);
    parent->layout()->addWidget(panel4);
}

} // namespace zeb::app
