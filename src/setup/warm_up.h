#pragma once
// "Разогрев": the striking head warmed up by twenty rounds of three warm-up strikes, with the
// progress gauge and the status line telling how far it is.

#include "link/device.h"

#include <QString>

namespace zeb {

inline constexpr int WarmUpRounds = 20;
inline constexpr int WarmUpStrikesPerRound = 3;
inline constexpr int WarmUpGaugeStep = 5; // gauge maximum 100

// Runs the whole warm-up within the call. `statusText` is status entry 8 ("Разогрев головки
// - "); each round that reaches the controller shows it with the gauge's value (0, 5 .. 95).
// A round while the link is down only advances the gauge. At the end the text stands with
// the last value shown (alone when no round reached the controller) and the gauge is 0.
void WarmUp(Device& device, const QString& statusText);

} // namespace zeb
