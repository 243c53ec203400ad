#pragma once
// Answers the modal windows the real main window opens during a GUI test: every message box
// is recorded and closed with OK; dialogs with a registered handler get it called (the
// handler fills the dialog in and closes it). Anything else is closed, and noted.

#include <QDialog>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <map>

namespace zeb::testing {

class ModalAnswerer : public QObject {
    Q_OBJECT
public:
    ModalAnswerer();

    // `handler` answers the dialog whose object name is `objectName`.
    void On(const QString& objectName, std::function<void(QDialog*)> handler);

    QStringList messages;    // texts of the message boxes, in order
    bool confirmYes = false; // the answer to questions ("Да" or "Нет")
    QStringList unexpected;  // object names of modal windows nobody answered

private:
    void Poll();

    QTimer m_timer;
    std::map<QString, std::function<void(QDialog*)>> m_handlers;
};

} // namespace zeb::testing
