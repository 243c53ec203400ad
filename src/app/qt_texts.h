#pragma once
// Qt's own texts (standard buttons, file dialogs, the image writer's messages) in the program's
// Russian, so a dialog never mixes two languages. A loaded language file is the program's whole
// translation: then Qt's texts stay as Qt has them.

#include <QTranslator>

namespace zeb::app {

class QtRussianTexts {
public:
    // Loads Qt's Russian from the translations Qt was installed with; false (and nothing
    // changes) when they are not installed.
    bool Install();
    void Remove();
    bool Installed() const { return m_installed; }

private:
    QTranslator m_translator;
    bool m_installed = false;
};

} // namespace zeb::app
