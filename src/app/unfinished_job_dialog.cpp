#include "app/unfinished_job_dialog.h"

#include "app/widgets.h"

#include <QVBoxLayout>

namespace zeb::app {

TForm1::TForm1(const LanguageText& text, QWidget* parent) : QDialog(parent) {
    setObjectName("Form1");
    setWindowTitle(text(2001, "Внимание !"));
    auto* layout = new QVBoxLayout(this);
    auto* heading = MakeLabel(this, "Label1", text(2011, "Предидущая работа не  завершена !"));
    heading->setFont(Bold(heading->font()));
    layout->addWidget(heading);
    layout->addWidget(MakeLabel(this, "Label2", text(2021, "Какие дейсвия предпринять ?  ")));
    m_ok = MakeRadio(this, "OkButton", text(2031, "Завершить незавершенный проект."), true);
    layout->addWidget(m_ok);
    auto* warmUpRow = new QHBoxLayout;
    warmUpRow->addSpacing(20);
    m_warmUp = Named(new QSpinBox(this), "SpinEdit4");
    m_warmUp->setRange(0, 5);
    m_warmUp->setValue(3);
    warmUpRow->addWidget(m_warmUp);
    warmUpRow->addWidget(MakeLabel(this, "Label19", text(2041, "Предварительный разогрев")));
    warmUpRow->addStretch(1);
    layout->addLayout(warmUpRow);
    m_ignore = MakeRadio(this, "IgnoreButton",
                         text(2051, "Игнороировать незавершенную работу.(Удалить аварийные "
                                    "данные и продолжить нормальную работу)"));
    layout->addWidget(m_ignore);
    auto* button = MakeButton(this, "Button1", "Ok");
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, &TForm1::Button1Click);
    layout->addWidget(button, 0, Qt::AlignHCenter);
}

int TForm1::WarmUpRounds() const {
    return m_warmUp->value();
}

void TForm1::Button1Click() {
    if (m_ok->isChecked())
        emit FinishChosen();
    else if (m_ignore->isChecked())
        emit IgnoreChosen();
    close();
}

} // namespace zeb::app
