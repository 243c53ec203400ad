#pragma once
// The strike-force dialog TStrikeHelth ("Сила удара"), opened from a hidden item of
// "Установки": one slider, KnockChange (0..10), that sets SingleStrikeForce, which only the
// service start uses.

#include "setup/track_bar.h"

#include <QtGlobal>

namespace zeb {

class StrikeForceDialog {
public:
    StrikeForceDialog();
    StrikeForceDialog(const StrikeForceDialog&) = delete;
    StrikeForceDialog& operator=(const StrikeForceDialog&) = delete;

    qint32 SingleStrikeForce = 0;
    TrackBar KnockChange{0, 10, 5};

    // Before the dialog is shown: the slider takes the held force.
    void PrepareToShow() { KnockChange.SetPosition(SingleStrikeForce); }
};

} // namespace zeb
