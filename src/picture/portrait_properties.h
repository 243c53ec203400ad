#pragma once
// The portrait-properties dialog TForm5 without its widgets: the resolution list, the nine
// alignment buttons and what closing the dialog does to the placement and the caption.

#include "picture/placement.h"

#include <QString>
#include <QStringList>

namespace zeb {

// The items of ResolutionBox, index = ResolutionIndex, exactly as shown; the tenth is empty.
QStringList ResolutionBoxItems();
// Button1..Button9 in reading order: "Left Top" .. "Right Bottom".
QStringList AlignmentButtonCaptions();

// The resolution list: the selected item becomes the resolution. No selection (-1) and the
// empty last item are no resolution: the index held stays.
void ChooseResolution(qint32& resolutionIndex, int selectedIndex);

// The dialog closed: as ChooseResolution, then the caption gets the resolution's text, then
// "    (", the picture's path and ")".
void ConfirmPortraitProperties(qint32& resolutionIndex, int selectedIndex,
                               const QString& picturePath, QString& caption);

// The alignment buttons 1..9: the alignment of the button's caption. The dialog closes
// afterwards.
void ChooseAlignment(Placement& p, int button);

} // namespace zeb
