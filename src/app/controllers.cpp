#include "app/controllers.h"

#include "app/link_controller.h"
#include "app/menu_form.h"

namespace zeb::app {

void CreateControllers(TMenuForm& form) {
    new LinkController(form);
}

} // namespace zeb::app
