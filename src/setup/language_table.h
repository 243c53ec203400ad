#pragma once
// The texts a language file gave, by code. Owned by the main window for the whole run; the
// dialogs read it when they are created (the About dialog each time it opens), the link reads
// its two messages through LinkState.

#include "link/link_state.h"
#include "setup/status_messages.h"

#include <QHash>
#include <QString>

namespace zeb {

class LanguageTable {
public:
    // True from the moment a language file has been opened.
    bool LanguageLoaded() const { return m_loaded; }
    void SetLanguageLoaded(bool loaded) { m_loaded = loaded; }

    bool Defined(int code) const { return m_texts.contains(code); }
    // The file's text for the code; empty when the file did not define it.
    QString Text(int code) const { return m_texts.value(code); }
    // A dialog text or message: the file's text (empty when it did not define the code) once a
    // language file is loaded, the built-in text otherwise.
    QString DialogText(int code, const QString& builtIn) const;
    // A main-window text: the file's text where it defined the code, else the built-in one.
    QString MainWindowText(int code, const QString& builtIn) const;

    // Stores a text; a later text for the same code replaces the earlier one.
    void Store(int code, const QString& text) { m_texts.insert(code, text); }
    void Clear();

private:
    bool m_loaded = false;
    QHash<int, QString> m_texts;
};

// Applies one language line: the text is kept for every code of the code table, and codes of
// status texts replace their entry at once (43 and 9008 both replace entry 8). Unknown codes
// are ignored.
void ApplyLanguageString(LanguageTable& table, StatusMessages& messages, int code,
                         const QString& text);

// Hands the link the two messages it shows when the port cannot be written.
void ApplyLanguageToLink(const LanguageTable& table, LinkState& link);

} // namespace zeb
