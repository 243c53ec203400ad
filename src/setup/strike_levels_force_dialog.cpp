#include "setup/strike_levels_force_dialog.h"

namespace zeb {

StrikeForceDialog::StrikeForceDialog() {
    QObject::connect(&KnockChange, &TrackBar::Changed,
                     [this](int position) { SingleStrikeForce = position; });
}

} // namespace zeb
