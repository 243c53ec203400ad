#pragma once
// TStrikeHelth: the single strike force of the service start. TForm3: a second layout of the
// engraving properties that the program creates and never shows.

#include "text/text_catalogue.h"

#include <QDialog>

class QSlider;

namespace zeb::app {

class TStrikeHelth : public QDialog {
    Q_OBJECT
public:
    explicit TStrikeHelth(const TextCatalogue& texts, QWidget* parent = nullptr);
    // Shows the dialog modally with the slider at `force`; returns the slider's last position.
    int Run(int force);

private:
    QSlider* m_knockChange = nullptr;
};

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(const TextCatalogue& texts, QWidget* parent = nullptr);
};

} // namespace zeb::app
