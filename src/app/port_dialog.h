#pragma once
// TPortForm, "Другой порт...": the serial ports the system reports, with their descriptions,
// and a field for any path. Choosing a listed port puts its name into the field; the field is
// what is chosen.

#include "link/port_offers.h"
#include "text/text_catalogue.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace zeb::app {

class TPortForm : public QDialog {
    Q_OBJECT
public:
    // `portInUse` starts selected and in the field.
    TPortForm(const TextCatalogue& texts, const std::vector<PortOffer>& offers,
              const QString& portInUse, QWidget* parent = nullptr);

    // The field, without blanks round it.
    QString ChosenPort() const;

private:
    QListWidget* m_list = nullptr;
    QLineEdit* m_path = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace zeb::app
