#include "setup/warm_up.h"

namespace zeb {

void WarmUp(Device& device, const QString& statusText) {
    Operator& op = device.Op();
    constexpr int maximum = WarmUpRounds * WarmUpGaugeStep;
    int gauge = 0;
    op.SetProgress(gauge, maximum);
    QString lastShown;
    for (int round = 0; round < WarmUpRounds; ++round) {
        if (device.Link().DeviceReady) {
            for (int strike = 0; strike < WarmUpStrikesPerRound; ++strike)
                device.WarmUpStrike();
            lastShown = QString::number(gauge);
            op.ShowStatus(statusText + lastShown);
        }
        gauge += WarmUpGaugeStep;
        op.SetProgress(gauge, maximum);
    }
    op.ShowStatus(statusText + lastShown);
    op.SetProgress(0, maximum);
}

} // namespace zeb
