#include "app/qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace zeb::app {

bool QtRussianTexts::Install() {
    if (m_installed)
        return true;
    if (!m_translator.load(QStringLiteral("qtbase_ru"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    m_installed = QCoreApplication::installTranslator(&m_translator);
    return m_installed;
}

void QtRussianTexts::Remove() {
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
    m_installed = false;
}

} // namespace zeb::app
