#pragma once
// The service engineer's functions: "Self Testing" with its panel and the log "\testing.txt",
// the hidden "Калибровка устройства", the hidden service starts "1" and "2", and the key
// combination Ctrl+Shift+F12 that shows the hidden service items for the rest of the session.

#include "setup/self_test.h"

#include <QObject>

class QWidget;

namespace zeb::app {

class TMenuForm;

class ServiceController : public QObject {
    Q_OBJECT
public:
    explicit ServiceController(TMenuForm& form);

    // The items a service engineer needs, kept hidden from the operator until the key
    // combination: "Сила удара", "Рабочее поле", "Калибровка устройства" (also enabled),
    // "Оптимизация", "1" and "2".
    void RevealServiceItems();

private:
    void SelfTesting1Click(bool checked);
    void N3Click();
    void N8Click();

    TMenuForm& m_form;
    QWidget* m_selfTestingPanel = nullptr;
    // Open from the first switch-on until the window goes; the device writes its error
    // records here while self-test is on.
    TestingLog m_testingLog;
};

} // namespace zeb::app
