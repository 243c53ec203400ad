#pragma once
// How a dialog asks for its texts: the language file's text for a code when a language file
// was loaded (empty when the file does not define it), the built-in text otherwise.

#include <QString>

#include <functional>

namespace zeb::app {

using LanguageText = std::function<QString(int code, const QString& builtIn)>;

// Built-in texts only: no language file.
inline QString BuiltIn(int, const QString& builtIn) {
    return builtIn;
}

} // namespace zeb::app
