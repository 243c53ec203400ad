#include "app/unfinished_job_dialog.h"

#include "app/widgets.h"
#include "job/recovery_file.h"
#include "job/unfinished_job_summary.h"

#include <QDir>
#include <QVBoxLayout>

namespace zeb::app {

TForm1::TForm1(const TextCatalogue& texts, const QString& startDirectory, Operator& op,
               QWidget* parent)
    : QDialog(parent), m_texts(texts), m_startDirectory(startDirectory), m_op(op) {
    setObjectName("Form1");
    setWindowTitle(texts.Text(2001));
    auto* layout = new QVBoxLayout(this);
    auto* heading = MakeLabel(this, "Label1", texts.Text(2011));
    heading->setFont(Bold(heading->font()));
    layout->addWidget(heading);
    layout->addWidget(MakeLabel(this, "Label2", texts.Text(2021)));
    m_job = MakeLabel(this, "JobLabel", QString());
    layout->addWidget(m_job);
    m_ok = MakeRadio(this, "OkButton", texts.Text(2031), true);
    layout->addWidget(m_ok);
    auto* warmUpRow = new QHBoxLayout;
    warmUpRow->addSpacing(20);
    m_warmUp = Named(new QSpinBox(this), "SpinEdit4");
    m_warmUp->setRange(0, 5);
    m_warmUp->setValue(3);
    warmUpRow->addWidget(m_warmUp);
    warmUpRow->addWidget(MakeLabel(this, "Label19", texts.Text(2041)));
    warmUpRow->addStretch(1);
    layout->addLayout(warmUpRow);
    m_ignore = MakeRadio(this, "IgnoreButton", texts.Text(2051));
    layout->addWidget(m_ignore);
    auto* button = MakeButton(this, "Button1", texts.Text(TextKey::ButtonOk));
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, &TForm1::Button1Click);
    layout->addWidget(button, 0, Qt::AlignHCenter);
}

int TForm1::WarmUpRounds() const {
    return m_warmUp->value();
}

void TForm1::showEvent(QShowEvent* event) {
    m_job->setText(UnfinishedJobText(m_texts, DescribeUnfinishedJob(m_texts, m_startDirectory)));
    QDialog::showEvent(event);
}

void TForm1::Button1Click() {
    if (m_ok->isChecked()) {
        emit FinishChosen();
    } else if (m_ignore->isChecked()) {
        const QString file = QDir::toNativeSeparators(RecoveryFilePath(m_startDirectory));
        if (!m_op.Confirm(m_texts.Text(TextKey::UnfinishedJobIgnoreQuestion).arg(file)))
            return;
        emit IgnoreChosen();
    }
    close();
}

} // namespace zeb::app
