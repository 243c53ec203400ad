#pragma once
// The catalogue's two tables: the language table's codes with their built-in texts, and the
// texts it leaves without a code. Read through TextCatalogue.

#include "text/text_key.h"

#include <climits>
#include <vector>

namespace zeb::text {

inline constexpr int NoCode = INT_MIN;

struct CodedText {
    int code;
    // A loaded language file that does not define the code leaves the built-in text (main
    // window, status) rather than an empty one (the dialogs' texts and messages).
    bool keepsBuiltIn;
    const char* builtIn; // UTF-8
};

struct KeyedText {
    TextKey key;
    const char* builtIn; // UTF-8
    // A code a language file replaces it by; NoCode while it has none. Such a text keeps its
    // built-in wording where the file does not define the code.
    int code = NoCode;
};

// Every code of the language table, each once.
const std::vector<CodedText>& CodedTexts();
// Every TextKey, each once.
const std::vector<KeyedText>& KeyedTexts();

// The code that replaces status entry 1..8.
int StatusCode(int entry);

} // namespace zeb::text
