#pragma once
// The fixed lookup tables behind the halftone conversion: two tone curves, the strike-pattern
// table that gives an engraved dot its strength, and the per-grey cursor into it. Built once
// while the main window is created; only PatternCursor changes afterwards.

#include <QtGlobal>

#include <array>

namespace zeb {

// Strike tones: 0 = no strike, then the four strengths from weakest to strongest.
inline constexpr quint8 ToneNone = 0;
inline constexpr quint8 ToneWeak = 64;
inline constexpr quint8 ToneMedium = 128;
inline constexpr quint8 ToneStrong = 192;
inline constexpr quint8 ToneFull = 255;

inline constexpr int PatternLength = 100;

// The order in which the weakest rows 1..24 get their 64 entries.
extern const std::array<int, 24> FillOrder;
// A permutation of 0..99 that spreads each step of the rebuild evenly over a row.
extern const std::array<int, PatternLength> SpreadOrder;

struct ToneTables {
    // Grey 0..255 (0 black, 255 white) to tone 0..255.
    std::array<qint32, 256> DiffusionCurve{};
    std::array<quint8, 256> CombinedCurve{};
    // Row g: the cyclic sequence of strike tones for grey g.
    std::array<std::array<quint8, PatternLength>, 256> StrikePattern{};
    // Row g: where the next lookup in StrikePattern[g] starts, 0..99.
    std::array<quint8, 256> PatternCursor{};
};

// The curves, PatternCursor and the base rows of StrikePattern (a step of the window's
// creation).
void BuildToneTables(ToneTables& tables);
// Derives the remaining StrikePattern rows from the base rows (the last step of the window's
// creation). Runs once per process, after BuildToneTables.
void RebuildStrikePattern(ToneTables& tables);
// Both steps, as at program start: what zeb-cli and the tests use.
ToneTables StartupToneTables();

// The next non-zero tone of row g, continuing where the previous dot of grey g stopped.
// g is 1..255; every such row holds a non-zero entry after the rebuild.
quint8 NextStrikeTone(ToneTables& tables, int g);

} // namespace zeb
