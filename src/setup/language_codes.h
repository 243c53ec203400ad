#pragma once
// The code table of the language file: which code replaces which text. Main-window texts are
// replaced as soon as their line is read (the built-in texts below stay where the file says
// nothing); dialog texts and two messages are stored and used only when a language file was
// loaded; codes 9003..9010 (and 43) also replace status texts.

#include <QString>

#include <vector>

namespace zeb {

// One element of the main window named by the code table, with its built-in text. A code
// may name several elements; each has its own built-in text (RadioButton6 differs from
// RadioButton2 by one blank).
struct MainWindowText {
    int code;
    QString component; // object name; empty for a menu entry
    int topMenu;       // menu entry: top menu counted from 1 ("Файл" 1 .. "STOP" 9), else 0
    int menuItem;      // 0 for the top menu itself, else the item counted from 1 within it
    QString defaultText;
};

// Every main-window element of the code table, in the table's order.
const std::vector<MainWindowText>& MainWindowTexts();
// The built-in text of a main-window component or menu entry; empty when the table does not
// name it.
QString DefaultMainWindowText(const QString& component);
QString DefaultMenuText(int topMenu, int menuItem);

// A text stored for a dialog or a message, by the owner's class name and component, with the
// built-in text the owner shows while no language file is loaded (empty where the owner's
// text is configuration of the installation, as the About dialog's distributor lines).
struct StoredText {
    int code;
    QString owner;     // "TAboutBox", "TForm1", "TForm4", "TForm5", "TConvertForm", "link"
    QString component; // "Label1", "caption" (the window caption), "PortCheckMessage", ...
    QString defaultText;
};
const std::vector<StoredText>& StoredTexts();
// The built-in text of a stored code; empty when it has none.
QString DefaultStoredText(int code);

// Status entry 1..8 that a code replaces, or 0.
int StatusEntryForCode(int code);
// Codes the table knows; a language line with any other code is skipped.
bool IsKnownLanguageCode(int code);

// Codes that other parts ask for by number.
namespace LanguageCode {
constexpr int PortCheckMessage = 9001;
constexpr int LinkErrorMessage = 9002;
constexpr int DeviceReadyStatus = 9009;
constexpr int DeviceFoundStatus = 9010;
} // namespace LanguageCode

} // namespace zeb
