#pragma once
// Features connect the window's menus, panels and timers to core operations through small
// controller objects, one per concern, so the main window itself stays a shell. Each is a
// QObject child of the window; it finds its widgets and menu items by their object names.

namespace zeb::app {

class TMenuForm;

// Creates every feature controller of the window; called once, before the start-up runs.
void CreateControllers(TMenuForm& form);

} // namespace zeb::app
