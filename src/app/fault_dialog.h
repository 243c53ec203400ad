#pragma once
// TForm4: shown when the link to the machine is lost in the middle of a job. No buttons; the
// operator closes it with the window's close box.

#include "text/text_catalogue.h"

#include <QDialog>

namespace zeb::app {

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(const TextCatalogue& texts, QWidget* parent = nullptr);
};

} // namespace zeb::app
