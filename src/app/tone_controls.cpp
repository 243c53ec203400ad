#include "app/tone_controls.h"

#include "app/widgets.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QPixmap>
#include <QShowEvent>

namespace zeb::app {

namespace {

// The reduced photo is at most this large (TonePreview's bound, the caller's).
constexpr int DotsWidth = 240;
constexpr int DotsHeight = 180;

} // namespace

QString ToneNote(const TextCatalogue& texts, const ToneLevels& levels) {
    if (levels.Neutral())
        return {};
    QString note = texts.Text(TextKey::ToneNote)
                       .arg(levels.black)
                       .arg(levels.white)
                       .arg(GammaText(levels.gamma));
    if (levels.invert)
        note += texts.Text(TextKey::ToneNoteInverted);
    return note;
}

ToneControls::ToneControls(const TextCatalogue& texts, QWidget* parent)
    : QGroupBox(texts.Text(TextKey::ToneBox), parent) {
    setObjectName("ToneControls");
    auto* grid = new QGridLayout(this);
    m_black = Named(new QSpinBox(this), "ToneBlack");
    m_black->setRange(0, 254);
    m_white = Named(new QSpinBox(this), "ToneWhite");
    m_white->setRange(1, 255);
    m_white->setValue(255);
    m_gamma = Named(new QDoubleSpinBox(this), "ToneGamma");
    m_gamma->setDecimals(2);
    m_gamma->setRange(MinToneGamma, MaxToneGamma);
    m_gamma->setSingleStep(0.1);
    m_gamma->setValue(1.0);
    m_invert = MakeCheck(this, "ToneInvert", texts.Text(TextKey::ToneInvert));
    auto* reset = MakeButton(this, "ToneReset", texts.Text(TextKey::ToneReset));
    reset->setToolTip(texts.Text(TextKey::ToneResetTip));

    grid->addWidget(MakeLabel(this, "ToneBlackLabel", texts.Text(TextKey::ToneBlack)), 0, 0);
    grid->addWidget(m_black, 0, 1);
    grid->addWidget(MakeLabel(this, "ToneWhiteLabel", texts.Text(TextKey::ToneWhite)), 1, 0);
    grid->addWidget(m_white, 1, 1);
    grid->addWidget(MakeLabel(this, "ToneGammaLabel", texts.Text(TextKey::ToneGamma)), 2, 0);
    grid->addWidget(m_gamma, 2, 1);
    grid->addWidget(m_invert, 3, 0, 1, 2);
    grid->addWidget(reset, 4, 0, 1, 2);
    m_dots = MakeLabel(this, "ToneDots", QString());
    m_dots->setFixedSize(DotsWidth, DotsHeight);
    m_dots->setAlignment(Qt::AlignCenter);
    m_dots->setStyleSheet(QStringLiteral("background: black"));
    grid->addWidget(m_dots, 0, 2, 5, 1);

    const auto changed = [this] {
        if (!m_quiet)
            emit Changed();
    };
    connect(m_black, &QSpinBox::valueChanged, this, [this, changed] {
        KeepBlackBelowWhite();
        changed();
    });
    connect(m_white, &QSpinBox::valueChanged, this, [this, changed] {
        KeepBlackBelowWhite();
        changed();
    });
    connect(m_gamma, &QDoubleSpinBox::valueChanged, this, changed);
    connect(m_invert, &QCheckBox::toggled, this, changed);
    connect(reset, &QPushButton::clicked, this, [this] { SetLevels(ToneLevels{}); });
}

void ToneControls::KeepBlackBelowWhite() {
    const QSignalBlocker blackQuiet(m_black);
    const QSignalBlocker whiteQuiet(m_white);
    m_black->setMaximum(m_white->value() - 1);
    m_white->setMinimum(m_black->value() + 1);
}

ToneLevels ToneControls::Levels() const {
    return {m_black->value(), m_white->value(), m_gamma->value(), m_invert->isChecked()};
}

void ToneControls::SetLevels(const ToneLevels& levels) {
    m_quiet = true;
    // Open the ranges first, so that neither value is clamped by the other's old one.
    m_black->setMaximum(254);
    m_white->setMinimum(1);
    m_black->setValue(levels.black);
    m_white->setValue(levels.white);
    m_gamma->setValue(levels.gamma);
    m_invert->setChecked(levels.invert);
    KeepBlackBelowWhite();
    m_quiet = false;
    emit Changed();
}

void ToneControls::ShowDots(const QImage& dots) {
    m_dots->setPixmap(QPixmap::fromImage(dots));
}

void ToneControls::showEvent(QShowEvent* event) {
    QGroupBox::showEvent(event);
    // Only the program shows the dialog anew; the desktop restoring it changes no photo.
    if (!event->spontaneous())
        emit Opened();
}

} // namespace zeb::app
