#include "common/modal_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace zeb::testing {

ModalAnswerer::ModalAnswerer() {
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::Poll);
    m_timer.start(5);
}

void ModalAnswerer::On(const QString& objectName, std::function<void(QDialog*)> handler) {
    m_handlers[objectName] = std::move(handler);
}

void ModalAnswerer::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        messages << box->text();
        if (box->objectName() == QStringLiteral("ConfirmBox"))
            box->findChild<QAbstractButton*>(confirmYes ? "ConfirmYes" : "ConfirmNo")->click();
        else if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->close();
        return;
    }
    auto* dialog = qobject_cast<QDialog*>(modal);
    auto it = m_handlers.find(modal->objectName());
    if (dialog && it != m_handlers.end()) {
        it->second(dialog);
        return;
    }
    unexpected << modal->objectName();
    modal->close();
}

} // namespace zeb::testing
