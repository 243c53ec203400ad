#pragma once
// The operator's texts: every one with its built-in wording, and those a language file gives.
// A text the language table gives a code is known by that code; the others by a TextKey.
//
// What a loaded language file leaves out:
//   - a text of the code table's dialogs and messages is empty: the file is their whole
//     translation;
//   - a main-window or status text keeps its built-in wording, and so does a text given a code
//     later (from the range the table leaves free, 3000..8999), so that the language files
//     written before keep their meaning;
//   - a text without a code keeps its built-in wording.
// Without a language file every text is its built-in one.
//
// The session owns one catalogue for the whole run; every layer may read it.

#include "text/text_key.h"

#include <QHash>
#include <QString>

#include <optional>

namespace zeb {

// A text of the catalogue: its language code, or its key when the table gives none.
class TextId {
public:
    constexpr TextId(int code) : m_code(code), m_key(), m_coded(true) {}
    constexpr TextId(TextKey key) : m_code(0), m_key(key), m_coded(false) {}

    bool Coded() const { return m_coded; }
    int Code() const { return m_code; }
    TextKey Key() const { return m_key; }

private:
    int m_code;
    TextKey m_key;
    bool m_coded;
};

class TextCatalogue {
public:
    // The status line's texts, entries 1..8, each at most this long.
    static constexpr int StatusCount = 8;
    static constexpr int StatusMaxLength = 255;

    // The built-in wording; empty for a code the table does not know.
    static QString BuiltIn(TextId id);
    // A catalogue without a language file: every text its built-in one.
    static const TextCatalogue& BuiltInCatalogue();
    // Codes a language line may set: the table's, and those given to keyed texts.
    static bool IsKnownCode(int code);
    // The code a language line replaces the text by; none for a text without one.
    static std::optional<int> LanguageCode(TextId id);

    // True from the moment a language file has been opened.
    bool LanguageLoaded() const { return m_loaded; }
    void SetLanguageLoaded(bool loaded) { m_loaded = loaded; }
    // One language line. A later text for a code replaces an earlier one; code 43 (the warm-up
    // item) also sets status entry 8, as 9008 does, whichever comes last winning; status texts
    // are cut to StatusMaxLength. Unknown codes are ignored.
    void Define(int code, const QString& text);
    bool Defined(int code) const { return m_texts.contains(code); }
    // The file's text for a code; empty when it did not define it.
    QString FileText(int code) const { return m_texts.value(code); }
    // The language file replaces this text (it has a code and the loaded file defines it).
    bool Replaced(TextId id) const;
    void Clear();

    // The text as the operator sees it, by the rules above.
    QString Text(TextId id) const;
    // Status entry 1..8; empty for any other entry.
    QString Status(int entry) const;

private:
    bool m_loaded = false;
    QHash<int, QString> m_texts;
};

} // namespace zeb
