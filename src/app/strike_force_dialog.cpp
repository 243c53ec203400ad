#include "app/strike_force_dialog.h"

#include "app/widgets.h"

#include <QSlider>
#include <QVBoxLayout>

namespace zeb::app {

namespace {
QSlider* MakeForceSlider(QWidget* parent, const QString& name) {
    auto* slider = Named(new QSlider(Qt::Horizontal, parent), name);
    slider->setRange(0, 10);
    slider->setValue(5);
    slider->setTickPosition(QSlider::TicksBelow);
    return slider;
}
} // namespace

TStrikeHelth::TStrikeHelth(const TextCatalogue& texts, QWidget* parent) : QDialog(parent) {
    setObjectName("StrikeHelth");
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    auto* layout = new QVBoxLayout(this);
    auto* title = MakeLabel(this, "Label1", texts.Text(TextKey::StrikeForceTitle));
    title->setFont(Bold(title->font()));
    layout->addWidget(title);
    m_knockChange = MakeForceSlider(this, "KnockChange");
    layout->addWidget(m_knockChange);
    auto* ok = MakeButton(this, "Button1", texts.Text(TextKey::ButtonOk));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

int TStrikeHelth::Run(int force) {
    m_knockChange->setValue(force);
    exec();
    return m_knockChange->value();
}

TForm3::TForm3(const TextCatalogue& texts, QWidget* parent) : QDialog(parent) {
    setObjectName("Form3");
    setWindowTitle(texts.Text(TextKey::SecondLayoutTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeLabel(this, "Label1", texts.Text(TextKey::StrikeForceTitle)));
    layout->addWidget(MakeForceSlider(this, "TrackBar1"));
}

} // namespace zeb::app
