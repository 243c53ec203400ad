#pragma once
// The language file: the first "*.lng" of the start directory, lines of a code, "=" and a
// text, in Windows-1251. Read once at start-up, right after the settings, into the session's
// text catalogue.

#include "link/link_state.h"
#include "text/text_catalogue.h"

#include <QString>

#include <optional>

namespace zeb {

// The code of a language line: its first four characters, when they read wholly as a
// decimal integer, short codes filled with leading zeros or blanks ("0043", "  43").
std::optional<int> LanguageLineCode(const QString& line);
// The text of a language line: everything after the first "=", or the whole line when it has
// none.
QString LanguageLineText(const QString& line);

struct LanguageLoadResult {
    QString fileName; // the file that was read; empty when there was none
    QString error;    // why it could not be read; empty when all went well
};

// Finds the language file and defines its lines in the catalogue, in order. Of several
// "*.lng" files the first by name is taken, so the choice does not depend on how the file
// system lists them. The catalogue counts as loaded once the file is open; a missing file
// leaves every text as built in.
LanguageLoadResult LoadLanguageFile(const QString& startDirectory, TextCatalogue& texts);

// Hands the link the two messages it shows when the port cannot be written (codes 9001 and
// 9002), as the language file gave them.
void ApplyLanguageToLink(const TextCatalogue& texts, LinkState& link);

} // namespace zeb
