#pragma once
// The window's elements that the language table names, each with its text in the catalogue:
// menu entries by their places, the other elements by their object names. One code may name
// several elements, which then share its text; RadioButton6 has a built-in text of its own.
// After the table's own codes come the elements given codes later (text_key.h).
// The language file addresses the window through this table; tests read it too.

#include "text/text_catalogue.h"

#include <QString>

#include <vector>

namespace zeb::app {

struct WindowText {
    TextId text;
    const char* component; // object name; null for a menu entry
    int topMenu;           // menu entry: top menu counted from 1 ("Файл" 1 .. "STOP" 9)
    int menuItem;          // 0 for the top menu itself, else its item counted from 1
    int subItem = 0;       // an entry of that item's submenu counted from 1; 0 for the item
};

// Every element, in the order of the language table.
const std::vector<WindowText>& WindowTexts();

// The built-in text of a component the table names; empty when it names none.
QString BuiltInCaption(const char* component);

// The estimate comes with the built-in caption of its label (code 0 or 1) before the time;
// the language file's caption goes in its place.
QString WithCaption(const QString& text, const TextCatalogue& texts, int code);

} // namespace zeb::app
