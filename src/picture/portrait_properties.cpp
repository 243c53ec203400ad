#include "picture/portrait_properties.h"

namespace zeb {

namespace {

bool IsResolution(int index) {
    return index >= 0 && index < ResolutionCount;
}

} // namespace

QStringList ResolutionBoxItems() {
    return {
        QStringLiteral("101.6  dpi  =  40.0 т/см"),  QStringLiteral("  95.6  dpi  =  37.6 т/см"),
        QStringLiteral("  90.3  dpi  =  35.6 т/см"), QStringLiteral("  85.6  dpi  =  33.7 т/см"),
        QStringLiteral("  81.3  dpi  =  32.0 т/см"), QStringLiteral("  77.4  dpi  =  30.5 т/см"),
        QStringLiteral("  73.9  dpi  =  29.1 т/см"), QStringLiteral("  70.7  dpi  =  27.8 т/см"),
        QStringLiteral("  67.7  dpi  =  26.7 т/см"), QString(),
    };
}

QStringList AlignmentButtonCaptions() {
    return {QStringLiteral("Left Top"),      QStringLiteral("Center Top"),
            QStringLiteral("Right Top"),     QStringLiteral("Left Center"),
            QStringLiteral("Center Center"), QStringLiteral("Right Center"),
            QStringLiteral("Left Bottom"),   QStringLiteral("Center Bottom"),
            QStringLiteral("Right Bottom")};
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
