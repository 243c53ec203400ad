#include "picture/portrait_properties.h"

#include "text/text_catalogue.h"

namespace zeb {

namespace {

bool IsResolution(int index) {
    return index >= 0 && index < ResolutionCount;
}

} // namespace

QStringList ResolutionBoxItems() {
    // The list's last line is empty.
    return {
        TextCatalogue::BuiltIn(TextKey::Resolution0), TextCatalogue::BuiltIn(TextKey::Resolution1),
        TextCatalogue::BuiltIn(TextKey::Resolution2), TextCatalogue::BuiltIn(TextKey::Resolution3),
        TextCatalogue::BuiltIn(TextKey::Resolution4), TextCatalogue::BuiltIn(TextKey::Resolution5),
        TextCatalogue::BuiltIn(TextKey::Resolution6), TextCatalogue::BuiltIn(TextKey::Resolution7),
        TextCatalogue::BuiltIn(TextKey::Resolution8), QString(),
    };
}

QStringList AlignmentButtonCaptions() {
    return {TextCatalogue::BuiltIn(TextKey::AlignLeftTop),
            TextCatalogue::BuiltIn(TextKey::AlignCenterTop),
            TextCatalogue::BuiltIn(TextKey::AlignRightTop),
            TextCatalogue::BuiltIn(TextKey::AlignLeftCenter),
            TextCatalogue::BuiltIn(TextKey::AlignCenterCenter),
            TextCatalogue::BuiltIn(TextKey::AlignRightCenter),
            TextCatalogue::BuiltIn(TextKey::AlignLeftBottom),
            TextCatalogue::BuiltIn(TextKey::AlignCenterBottom),
            TextCatalogue::BuiltIn(TextKey::AlignRightBottom)};
}

void ChooseResolution(qint32& resolutionIndex, int selectedIndex) {
    if (IsResolution(selectedIndex))
        resolutionIndex = selectedIndex;
}

void ConfirmPortraitProperties(qint32& resolutionIndex, int selectedIndex,
                               const QString& picturePath, QString& caption) {
    ChooseResolution(resolutionIndex, selectedIndex);
    const int shown = IsResolution(resolutionIndex) ? resolutionIndex : 0;
    caption += ResolutionBoxItems().at(shown) + QStringLiteral("    (") + picturePath +
               QStringLiteral(")");
}

void ChooseAlignment(Placement& p, int button) {
    if (button < 1 || button > 9)
        return;
    static constexpr HorizontalAlignment columns[] = {
        HorizontalAlignment::Left, HorizontalAlignment::Center, HorizontalAlignment::Right};
    static constexpr VerticalAlignment rows[] = {VerticalAlignment::Top, VerticalAlignment::Center,
                                                 VerticalAlignment::Bottom};
    p.Horizontal = columns[(button - 1) % 3];
    p.Vertical = rows[(button - 1) / 3];
}

} // namespace zeb
