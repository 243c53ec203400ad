#include "picture/tone_tables.h"

#include <algorithm>

namespace zeb {

const std::array<int, 24> FillOrder = {11, 77, 91, 37, 33, 99, 73, 19, 5, 50, 25, 52,
                                       85, 58, 22, 88, 82, 28, 70, 46, 3, 66, 30, 7};

namespace {

constexpr std::array<int, PatternLength> MakeSpreadOrder() {
    constexpr std::array<int, 10> groupBase = {0, 5, 9, 3, 7, 2, 6, 1, 4, 8};
    constexpr std::array<int, 10> offset = {0, 50, 20, 70, 90, 40, 10, 60, 30, 80};
    std::array<int, PatternLength> order{};
    for (int g = 0; g < 10; ++g)
        for (int o = 0; o < 10; ++o)
            order[g * 10 + o] = groupBase[g] + offset[o];
    return order;
}

// clang-format off
constexpr std::array<qint32, 256> DiffusionCurveData = {
      0,   0,   0,   1,   2,   2,   2,   2,   2,   2,   2,   2,   3,   3,   3,   3,
      3,   4,   4,   4,   4,   4,   4,   5,   5,   5,   6,   6,   6,   7,   7,   7,
      7,   8,   8,   8,   8,   8,   8,  10,  10,  10,  11,  11,  11,  12,  12,  13,
     13,  13,  14,  14,  15,  15,  15,  16,  16,  17,  17,  18,  18,  19,  19,  20,
     20,  21,  21,  22,  22,  23,  23,  24,  24,  25,  25,  26,  27,  27,  28,  29,
     30,  31,  31,  32,  32,  33,  33,  34,  34,  35,  36,  37,  37,  38,  39,  40,
     40,  41,  42,  43,  43,  44,  45,  46,  46,  47,  48,  49,  50,  51,  52,  53,
     54,  55,  56,  56,  57,  58,  59,  60,  61,  62,  63,  64,  65,  66,  67,  68,
     69,  70,  71,  72,  73,  74,  75,  76,  77,  78,  79,  80,  82,  83,  84,  85,
     87,  88,  89,  90,  91,  92,  93,  94,  96,  97,  98, 100, 101, 102, 103, 105,
    106, 107, 109, 110, 112, 113, 115, 116, 117, 118, 120, 121, 122, 124, 125, 126,
    128, 130, 131, 133, 134, 136, 137, 139, 141, 142, 143, 145, 147, 148, 150, 151,
    153, 155, 157, 158, 160, 162, 163, 164, 166, 168, 170, 171, 173, 175, 176, 178,
    179, 181, 183, 184, 186, 187, 189, 191, 193, 194, 196, 198, 199, 201, 202, 204,
    205, 207, 209, 210, 212, 214, 216, 218, 220, 211, 222, 224, 226, 228, 229, 230,
    232, 233, 235, 237, 238, 240, 241, 243, 244, 246, 247, 249, 250, 251, 253, 255,
};

constexpr std::array<quint8, 256> CombinedCurveData = {
      0,   1,   1,   5,   5,   6,   6,   7,   8,   9,   9,  10,  11,  11,  12,  13,
     13,  14,  15,  15,  16,  16,  17,  18,  18,  19,  20,  20,  21,  22,  22,  23,
     23,  24,  24,  25,  25,  26,  27,  27,  28,  29,  29,  30,  30,  31,  31,  31,
     32,  32,  33,  33,  34,  34,  35,  35,  36,  36,  36,  37,  37,  38,  38,  39,
     39,  40,  41,  41,  41,  41,  43,  43,  43,  44,  44,  45,  45,  46,  47,  47,
     48,  48,  49,  50,  51,  52,  52,  53,  54,  55,  56,  57,  58,  59,  60,  61,
     62,  63,  64,  65,  66,  67,  68,  69,  70,  71,  72,  73,  74,  75,  76,  77,
     78,  79,  78,  79,  80,  80,  81,  81,  82,  82,  83,  83,  84,  84,  85,  85,
     85,  85,  86,  86,  87,  87,  88,  88,  89,  89,  90,  90,  91,  92,  92,  93,
     94,  95,  95,  97,  98,  99, 100, 100, 101, 102, 104, 105, 106, 108, 109, 110,
    112, 114, 115, 117, 119, 120, 122, 124, 126, 127, 129, 130, 133, 134, 136, 138,
    139, 142, 143, 144, 146, 148, 149, 151, 153, 154, 156, 157, 158, 159, 162, 163,
    164, 165, 166, 168, 170, 171, 172, 173, 175, 176, 177, 179, 180, 181, 182, 184,
    186, 187, 189, 190, 191, 192, 193, 195, 196, 198, 200, 201, 203, 204, 205, 207,
    208, 209, 210, 212, 214, 215, 216, 218, 219, 221, 222, 224, 226, 227, 228, 230,
    231, 233, 235, 236, 238, 240, 242, 243, 244, 246, 247, 249, 251, 252, 254, 255,
};

// Row 176: its full-strength positions (one more, 14, holds 128).
constexpr std::array<int, 54> Row176Full = {
     0,  2,  4,  6,  8, 11, 13, 15, 17, 19, 20, 22, 24, 26, 27, 28, 31, 32,
    33, 35, 37, 39, 40, 42, 44, 46, 48, 51, 53, 55, 57, 59, 60, 61, 64, 66,
    68, 71, 73, 75, 76, 77, 79, 80, 81, 82, 84, 86, 88, 91, 93, 95, 97, 99,
};
// clang-format on

// Rows 177..205: each takes the full positions of the row before, plus `newFull` when it is
// not -1, and holds one in-between tone at `between` when that is not -1.
struct BaseRowStep {
    int newFull;
    int between;
    quint8 betweenTone;
};
// Row 189's in-between entry at position 29 holds 182 in the machine's original data, which is
// no strike tone; it takes 192, the nearest one, as rows 192..194 step 64 -> 192 -> 255.
constexpr std::array<BaseRowStep, 29> Rows177To205 = {{
    {14, 96, 128}, // 177
    {96, -1, 0},   // 178
    {-1, 30, 128}, // 179
    {30, 69, 64},  // 180
    {69, -1, 0},   // 181
    {-1, 18, 128}, // 182
    {18, 62, 64},  // 183
    {62, -1, 0},   // 184
    {-1, 92, 128}, // 185
    {92, -1, 0},   // 186
    {-1, 47, 128}, // 187
    {47, 29, 64},  // 188
    {-1, 29, 192}, // 189
    {29, 1, 128},  // 190
    {1, -1, 0},    // 191
    {-1, 98, 64},  // 192
    {-1, 98, 192}, // 193
    {98, 54, 64},  // 194
    {54, -1, 0},   // 195
    {-1, 72, 128}, // 196
    {72, -1, 0},   // 197
    {-1, 36, 128}, // 198
    {-1, 36, 128}, // 199
    {36, 21, 128}, // 200
    {21, -1, 0},   // 201
    {-1, 70, 128}, // 202
    {70, 43, 64},  // 203
    {-1, 43, 128}, // 204
    {43, -1, 0},   // 205
}};

using PatternRow = std::array<quint8, PatternLength>;

void BuildBaseRows(std::array<PatternRow, 256>& pattern) {
    for (auto& row : pattern)
        row.fill(ToneNone);
    for (int r = 1; r <= 24; ++r)
        for (int k = 0; k < r; ++k)
            pattern[r][FillOrder[k]] = ToneWeak;
    pattern[255].fill(ToneFull);

    // The full-strength positions grow row by row; the in-between entry is each row's own.
    PatternRow full{};
    for (int p : Row176Full)
        full[p] = ToneFull;
    pattern[176] = full;
    pattern[176][14] = ToneMedium;
    for (int r = 177; r <= 205; ++r) {
        const BaseRowStep& step = Rows177To205[r - 177];
        if (step.newFull >= 0)
            full[step.newFull] = ToneFull;
        pattern[r] = full;
        if (step.between >= 0)
            pattern[r][step.between] = step.betweenTone;
    }
}

} // namespace

const std::array<int, PatternLength> SpreadOrder = MakeSpreadOrder();

void BuildToneTables(ToneTables& tables) {
    tables.DiffusionCurve = DiffusionCurveData;
    tables.CombinedCurve = CombinedCurveData;
    for (int g = 0; g < 256; ++g) {
        const int cursor = g <= 56 ? 57 - g : g <= 156 ? g - 57 : 255 - g;
        tables.PatternCursor[g] = static_cast<quint8>(cursor);
    }
    BuildBaseRows(tables.StrikePattern);
}

void RebuildStrikePattern(ToneTables& tables) {
    auto& p = tables.StrikePattern;
    for (int r = 25; r <= 55; ++r)
        p[r].fill(ToneWeak);
    for (int i = 0; i <= 49; ++i) {
        if (i >= 1)
            p[255 - i] = p[256 - i];
        p[225 - i][SpreadOrder[i]] = ToneStrong;
    }
    for (int i = 50; i <= 99; ++i) {
        p[225 - i] = p[226 - i];
        p[225 - i][SpreadOrder[i]] = ToneMedium;
    }
    for (int i = 0; i <= 99; ++i) {
        p[125 - i] = p[126 - i];
        p[125 - i][SpreadOrder[i]] = ToneWeak;
    }
}

ToneTables StartupToneTables() {
    ToneTables tables;
    BuildToneTables(tables);
    RebuildStrikePattern(tables);
    return tables;
}

quint8 NextStrikeTone(ToneTables& tables, int g) {
    const PatternRow& row = tables.StrikePattern[g];
    quint8& cursor = tables.PatternCursor[g];
    // One full turn finds the row's non-zero entry if it has one; an all-zero row (grey 0,
    // never asked) gives no strike instead of spinning forever.
    for (int n = 0; n < PatternLength; ++n) {
        const quint8 tone = row[cursor];
        cursor = static_cast<quint8>(cursor + 1 == PatternLength ? 0 : cursor + 1);
        if (tone != ToneNone)
            return tone;
    }
    return ToneNone;
}

} // namespace zeb
