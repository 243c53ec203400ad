#include "app/port_dialog.h"

#include "app/widgets.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

namespace zeb::app {

TPortForm::TPortForm(const TextCatalogue& texts, const std::vector<PortOffer>& offers,
                     const QString& portInUse, QWidget* parent)
    : QDialog(parent) {
    setObjectName("PortForm");
    setWindowTitle(texts.Text(TextKey::PortDialogTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeLabel(this, "PortListLabel", texts.Text(TextKey::PortDialogList)));
    m_list = Named(new QListWidget(this), "PortList");
    for (const PortOffer& offer : offers) {
        const QString text = offer.description.isEmpty()
                                 ? offer.name
                                 : offer.name + QStringLiteral("  —  ") + offer.description;
        auto* item = new QListWidgetItem(text, m_list);
        item->setData(Qt::UserRole, offer.name);
        if (offer.name == portInUse)
            m_list->setCurrentItem(item);
    }
    layout->addWidget(m_list);
    layout->addWidget(MakeLabel(this, "PortPathLabel", texts.Text(TextKey::PortDialogPath)));
    m_path = MakeEdit(this, "PortPath", false);
    m_path->setText(portInUse);
    layout->addWidget(m_path);
    auto* buttons = new QHBoxLayout;
    m_ok = MakeButton(this, "PortOk", texts.Text(TextKey::ButtonOK));
    m_ok->setDefault(true);
    auto* cancel = MakeButton(this, "PortCancel", texts.Text(TextKey::ButtonCancel));
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item)
            m_path->setText(item->data(Qt::UserRole).toString());
    });
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
    // Only a name that fits Zeb.ini's port line can be chosen.
    connect(m_path, &QLineEdit::textChanged, this,
            [this] { m_ok->setEnabled(UsablePortName(ChosenPort())); });
    m_ok->setEnabled(UsablePortName(ChosenPort()));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TPortForm::ChosenPort() const {
    return m_path->text().trimmed();
}

} // namespace zeb::app
