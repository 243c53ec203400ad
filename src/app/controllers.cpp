#include "app/controllers.h"

#include "app/job_controller.h"
#include "app/level_panels_controller.h"
#include "app/link_controller.h"
#include "app/menu_form.h"
#include "app/picture_controller.h"
#include "app/preview_controller.h"
#include "app/service_controller.h"
#include "app/setup_controller.h"
#include "app/tone_controller.h"

namespace zeb::app {

void CreateControllers(TMenuForm& form) {
    new LinkController(form);
    new LevelPanelsController(form);
    new JobController(form);
    new SetupController(form);
    new ServiceController(form);
    new PictureController(form);
    new PreviewController(form);
    new ToneController(form);
}

} // namespace zeb::app
