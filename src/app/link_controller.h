#pragma once
// "Порт", "Тест", the keep-alive timer and "О...": the window's side of finding the machine.

#include <QObject>

namespace zeb::app {

class TMenuForm;

class LinkController : public QObject {
    Q_OBJECT
public:
    explicit LinkController(TMenuForm& form);

private:
    void ComClick(int n);
    void N5Click();
    void AboutClick();
    // The unfinished-job dialog after a successful link check.
    void OfferRecovery(bool show);

    TMenuForm& m_form;
};

} // namespace zeb::app
