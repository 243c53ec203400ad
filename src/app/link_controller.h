#pragma once
// "Порт" (Com1..Com8, a port by its path, "Другой порт..."), "Тест", the keep-alive timer and
// "О...": the window's side of finding the machine.

#include <QObject>

namespace zeb::app {

class TMenuForm;

class LinkController : public QObject {
    Q_OBJECT
public:
    explicit LinkController(TMenuForm& form);

private:
    void ComClick(int n);
    void OtherPortClick();
    // Opens the port `name` ("comN" or a path) at once, greets the machine and keeps the name
    // for Zeb.ini.
    void ChooseNamedPort(const QString& name);
    void N5Click();
    void AboutClick();
    // The unfinished-job dialog after a successful link check.
    void OfferRecovery(bool show);

    TMenuForm& m_form;
};

} // namespace zeb::app
