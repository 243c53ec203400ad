#include "setup/language_table.h"

#include "setup/language_codes.h"

namespace zeb {

QString LanguageTable::DialogText(int code, const QString& builtIn) const {
    return m_loaded ? Text(code) : builtIn;
}

QString LanguageTable::MainWindowText(int code, const QString& builtIn) const {
    return Defined(code) ? Text(code) : builtIn;
}

void LanguageTable::Clear() {
    m_loaded = false;
    m_texts.clear();
}

void ApplyLanguageString(LanguageTable& table, StatusMessages& messages, int code,
                         const QString& text) {
    if (!IsKnownLanguageCode(code))
        return;
    table.Store(code, text);
    if (const int entry = StatusEntryForCode(code))
        messages.Set(entry, text);
}

void ApplyLanguageToLink(const LanguageTable& table, LinkState& link) {
    link.LanguageLoaded = table.LanguageLoaded();
    link.PortCheckMessage = table.Text(LanguageCode::PortCheckMessage);
    link.LinkErrorMessage = table.Text(LanguageCode::LinkErrorMessage);
}

} // namespace zeb
