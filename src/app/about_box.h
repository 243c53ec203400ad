#pragma once
// TAboutBox: product, version and distributor texts. A fresh one is made each time it is
// opened, so "DopFile.txt" is read anew.

#include "text/text_catalogue.h"

#include <QDialog>
#include <QStringList>

namespace zeb::app {

// The first six lines of "DopFile.txt" in `directory` (missing lines empty); empty when the
// file does not exist or cannot be read.
QStringList ReadDistributorFile(const QString& directory);

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    TAboutBox(const TextCatalogue& texts, const QString& directory, QWidget* parent = nullptr);
};

} // namespace zeb::app
