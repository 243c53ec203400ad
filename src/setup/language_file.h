#pragma once
// The language file: the first "*.lng" of the start directory, lines of a code, "=" and a
// text, in Windows-1251. Read once at start-up, right after the settings.

#include "setup/language_table.h"
#include "setup/status_messages.h"

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

// Finds the language file and applies its lines in order. Of several "*.lng" files the first
// by name is taken, so the choice does not depend on how the file system lists them. The
// table is loaded (LanguageLoaded) once the file is open; a missing file leaves every text as
// built in.
LanguageLoadResult LoadLanguageFile(const QString& startDirectory, LanguageTable& table,
                                    StatusMessages& messages);

} // namespace zeb
