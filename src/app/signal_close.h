#pragma once
// SIGINT and SIGTERM close the program the normal way (settings saved, port closed), as a
// desktop program does at logout, also while a modal message is open.

namespace zeb::app {

class TMenuForm;

// Installs the handlers; call once, from the GUI thread.
void CloseOnSignals(TMenuForm& form);

} // namespace zeb::app
