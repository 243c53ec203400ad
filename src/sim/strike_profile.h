#pragma once
// The controller's reading of the strike profiles the host sends after SetStrike: four
// phases of (code, duration) per level. The machine does not receive the operator's force,
// only phases derived from it; the force is read back here so the workpiece can say which
// force struck each dot.

#include <QByteArray>
#include <QtGlobal>

#include <array>
#include <optional>

namespace zeb::sim {

using Phases = std::array<quint8, 8>; // code, duration, code, duration, ... for one level

// The phases the host builds for force F at step time P (P = motor speed x speed scale),
// with every halving an integer halving; empty when a duration would leave 0..255. Used to
// check a candidate force.
std::optional<Phases> PhasesFor(int force, int stepTimeP);

// The force a level's phases stand for. The phases hold F div 2 (phase 4), so the lowest bit
// of F is known only when the rest of the profile pins it down: first with the step time of
// the controller's own X driver (`stepTimeP`, 0 when unknown), then with any step time that
// reproduces the phases exactly. When both F = 2k and F = 2k + 1 stay possible, or the
// phases fit no force at all, the result is 2k: an odd force then reads one less.
int RecoverForce(const Phases& phases, int stepTimeP);

// Time of one struck dot in microseconds: the phases weighted by the controller's time units
// (TickB for code 8, TickA for codes 7 and 5, twice TickA for code 1), 1.085 us per unit,
// plus 1.3 ms for the needle's travel.
qint64 StruckColumnUs(const Phases& phases, int tickA, int tickB);

// Time of one column without a strike: the head moves one column.
qint64 EmptyColumnUs(int stepTimeP);

// The four stored profiles, level 1..4 (index 0 unused), and the force read from each.
struct StrikeProfileSet {
    std::array<Phases, 5> phases{};
    std::array<int, 5> force{};
    bool loaded = false;

    // Takes the 32 bytes of the eight profile frames, level 1 first.
    void Load(const QByteArray& bytes, int stepTimeP);
};

} // namespace zeb::sim
