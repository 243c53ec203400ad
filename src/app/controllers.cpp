#include "app/controllers.h"

#include "app/level_panels_controller.h"
#include "app/link_controller.h"
#include "app/menu_form.h"

namespace zeb::app {

void CreateControllers(TMenuForm& form) {
    new LinkController(form);
    new LevelPanelsController(form);
}

} // namespace zeb::app
