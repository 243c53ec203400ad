// The tone and dot tables against the machine's own check rows and example compositions.
#include "picture/tone_tables.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace zeb {
namespace {

// Tone -> number of entries in a row.
std::map<int, int> Composition(const std::array<quint8, PatternLength>& row) {
    std::map<int, int> counts;
    for (quint8 t : row)
        ++counts[t];
    return counts;
}

// The spreading order, spelled out: groups 0, 5, 9, 3, 7, 2, 6, 1, 4, 8, each with the
// offsets 0, 50, 20, 70, 90, 40, 10, 60, 30, 80.
const std::vector<int> kSpread = {
    0, 50, 20, 70, 90, 40, 10, 60, 30, 80, 5, 55, 25, 75, 95, 45, 15, 65, 35, 85,
    9, 59, 29, 79, 99, 49, 19, 69, 39, 89, 3, 53, 23, 73, 93, 43, 13, 63, 33, 83,
    7, 57, 27, 77, 97, 47, 17, 67, 37, 87, 2, 52, 22, 72, 92, 42, 12, 62, 32, 82,
    6, 56, 26, 76, 96, 46, 16, 66, 36, 86, 1, 51, 21, 71, 91, 41, 11, 61, 31, 81,
    4, 54, 24, 74, 94, 44, 14, 64, 34, 84, 8, 58, 28, 78, 98, 48, 18, 68, 38, 88};

class ToneTablesTest : public ::testing::Test {
protected:
    ToneTables t = StartupToneTables();
    const std::array<quint8, PatternLength>& Row(int r) const { return t.StrikePattern[r]; }
};

TEST_F(ToneTablesTest, CurvesKeepTheirEndsAndTheirTwoDips) {
    EXPECT_EQ(t.DiffusionCurve[0], 0);
    EXPECT_EQ(t.DiffusionCurve[255], 255);
    EXPECT_EQ(t.CombinedCurve[0], 0);
    EXPECT_EQ(t.CombinedCurve[255], 255);
    EXPECT_EQ(t.DiffusionCurve[232], 220);
    EXPECT_EQ(t.DiffusionCurve[233], 211);
    EXPECT_EQ(t.CombinedCurve[113], 79);
    EXPECT_EQ(t.CombinedCurve[114], 78);
    EXPECT_EQ(t.DiffusionCurve[128], 69);
    EXPECT_EQ(t.CombinedCurve[210], 189);
    EXPECT_EQ(t.CombinedCurve[3], 5);
    EXPECT_EQ(t.DiffusionCurve[39], 10);
}

TEST_F(ToneTablesTest, CurvesSumToTheirTablesTotals) {
    // Totals of the two 256-entry tables, added up from the printed tables.
    long diffusion = 0;
    long combined = 0;
    for (int g = 0; g < 256; ++g) {
        diffusion += t.DiffusionCurve[g];
        combined += t.CombinedCurve[g];
    }
    EXPECT_EQ(diffusion, 23115);
    EXPECT_EQ(combined, 26153);
    const std::vector<int> diffusionRow224 = {205, 207, 209, 210, 212, 214, 216, 218,
                                              220, 211, 222, 224, 226, 228, 229, 230};
    const std::vector<int> combinedRow64 = {39, 40, 41, 41, 41, 41, 43, 43,
                                            43, 44, 44, 45, 45, 46, 47, 47};
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(t.DiffusionCurve[224 + k], diffusionRow224[k]) << 224 + k;
        EXPECT_EQ(t.CombinedCurve[64 + k], combinedRow64[k]) << 64 + k;
    }
}

TEST_F(ToneTablesTest, OrdersAreTheMachinesOwn) {
    const std::vector<int> fill = {11, 77, 91, 37, 33, 99, 73, 19, 5, 50, 25, 52,
                                   85, 58, 22, 88, 82, 28, 70, 46, 3, 66, 30, 7};
    EXPECT_EQ(std::vector<int>(FillOrder.begin(), FillOrder.end()), fill);
    EXPECT_EQ(std::vector<int>(SpreadOrder.begin(), SpreadOrder.end()), kSpread);
}

TEST_F(ToneTablesTest, CursorStartsAsAZigZag) {
    const std::vector<std::pair<int, int>> cases = {{0, 57},   {1, 56},   {56, 1},   {57, 0},
                                                    {58, 1},   {100, 43}, {156, 99}, {157, 98},
                                                    {200, 55}, {255, 0}};
    for (auto [g, cursor] : cases)
        EXPECT_EQ(t.PatternCursor[g], cursor) << "grey " << g;
}

TEST_F(ToneTablesTest, EveryEntryIsAStrikeToneAndEveryRowButZeroStrikes) {
    EXPECT_EQ(Composition(Row(0)), (std::map<int, int>{{0, 100}}));
    for (int r = 0; r < 256; ++r) {
        for (quint8 tone : Row(r)) {
            EXPECT_TRUE(tone == 0 || tone == 64 || tone == 128 || tone == 192 || tone == 255)
                << "row " << r << " tone " << int(tone);
        }
        if (r > 0) {
            EXPECT_LT(Composition(Row(r))[0], 100) << "row " << r;
        }
    }
}

TEST_F(ToneTablesTest, WeakRowsFollowTheFillOrder) {
    const std::vector<int> fill = {11, 77, 91, 37, 33, 99, 73, 19, 5, 50, 25, 52,
                                   85, 58, 22, 88, 82, 28, 70, 46, 3, 66, 30, 7};
    for (int r = 1; r <= 24; ++r) {
        std::array<quint8, PatternLength> expected{};
        for (int k = 0; k < r; ++k)
            expected[fill[k]] = 64;
        EXPECT_EQ(Row(r), expected) << "row " << r;
    }
}

TEST_F(ToneTablesTest, RebuiltRowsMatchTheCheckTable) {
    const auto& row176 = Row(176);
    for (int r = 25; r <= 26; ++r)
        EXPECT_EQ(Composition(Row(r)), (std::map<int, int>{{64, 100}})) << r;
    for (int r = 27; r <= 75; ++r) {
        for (int k = 0; k < 100; ++k) {
            const int expected = k >= 50 && k >= 126 - r ? 128 : 64;
            EXPECT_EQ(Row(r)[kSpread[k]], expected) << "row " << r << " index " << k;
        }
        EXPECT_EQ(Composition(Row(r))[128], r - 26) << r;
    }
    for (int k = 0; k < 100; ++k)
        EXPECT_EQ(Row(76)[kSpread[k]], k < 50 ? 64 : 128) << k;
    for (int r = 77; r <= 125; ++r) {
        for (int k = 0; k < 100; ++k) {
            const int pos = kSpread[k];
            const int expected = k <= 125 - r ? 64 : k <= 49 ? row176[pos] : 128;
            EXPECT_EQ(Row(r)[pos], expected) << "row " << r << " index " << k;
        }
    }
    for (int r = 126; r <= 175; ++r) {
        for (int k = 0; k < 100; ++k) {
            const int pos = kSpread[k];
            const int expected = k >= 50 && k <= 225 - r ? 128 : row176[pos];
            EXPECT_EQ(Row(r)[pos], expected) << "row " << r << " index " << k;
        }
    }
    for (int r = 206; r <= 255; ++r)
        EXPECT_EQ(Composition(Row(r)), (std::map<int, int>{{255, 100}})) << r;
}

TEST_F(ToneTablesTest, StrongRowsCarryTheirOne192) {
    EXPECT_EQ(Row(176)[87], 192);
    EXPECT_EQ(Row(176)[14], 128);
    EXPECT_EQ(Composition(Row(176)), (std::map<int, int>{{0, 44}, {128, 1}, {192, 1}, {255, 54}}));
    // Row 177: 14 becomes full, 96 holds 128, and position 37 (index 48) is struck at 192.
    EXPECT_EQ(Row(177)[14], 255);
    EXPECT_EQ(Row(177)[96], 128);
    EXPECT_EQ(Row(177)[37], 192);
    EXPECT_EQ(Composition(Row(177)), (std::map<int, int>{{0, 44}, {128, 1}, {192, 1}, {255, 54}}));
    // Row 189: the in-between entry at 29 is taken as 192; index 36 (position 13) adds one more.
    EXPECT_EQ(Row(189)[29], 192);
    EXPECT_EQ(Row(189)[13], 192);
    EXPECT_EQ(Composition(Row(189)), (std::map<int, int>{{0, 37}, {192, 2}, {255, 61}}));
    // Row 205: 71 full positions, and position 9 (index 20) at 192.
    EXPECT_EQ(Row(205)[9], 192);
    EXPECT_EQ(Composition(Row(205)), (std::map<int, int>{{0, 28}, {192, 1}, {255, 71}}));
}

TEST_F(ToneTablesTest, ExampleCompositions) {
    const std::vector<std::pair<int, std::map<int, int>>> cases = {
        {1, {{0, 99}, {64, 1}}},
        {24, {{0, 76}, {64, 24}}},
        {27, {{64, 99}, {128, 1}}},
        {78, {{64, 48}, {128, 50}, {192, 1}, {255, 1}}},
        {126, {{0, 23}, {128, 50}, {192, 1}, {255, 26}}},
        {204, {{0, 29}, {128, 1}, {192, 1}, {255, 69}}},
        {206, {{255, 100}}},
    };
    for (const auto& [row, composition] : cases)
        EXPECT_EQ(Composition(Row(row)), composition) << "row " << row;
}

TEST_F(ToneTablesTest, NextToneSkipsZerosAndWraps) {
    // Grey 1 has a single 64 at position 11; its cursor starts at 56 and wraps past 99.
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(NextStrikeTone(t, 1), 64);
        EXPECT_EQ(t.PatternCursor[1], 12);
    }
    // Grey 57 starts at position 0 (index 0 of the spreading order: 64).
    EXPECT_EQ(NextStrikeTone(t, 57), 64);
    EXPECT_EQ(t.PatternCursor[57], 1);
    // Grey 156 starts at 99 (full in row 176) and wraps to 0.
    EXPECT_EQ(NextStrikeTone(t, 156), 255);
    EXPECT_EQ(t.PatternCursor[156], 0);
    // Grey 27 holds its one 128 at position 88 (index 99): 99 lookups later it comes round.
    t.PatternCursor[27] = 88;
    EXPECT_EQ(NextStrikeTone(t, 27), 128);
    for (int n = 0; n < 99; ++n)
        EXPECT_EQ(NextStrikeTone(t, 27), 64);
    EXPECT_EQ(NextStrikeTone(t, 27), 128);
}

TEST_F(ToneTablesTest, OnlyTheCursorChangesWithUse) {
    const ToneTables fresh = StartupToneTables();
    for (int g = 1; g < 256; ++g)
        NextStrikeTone(t, g);
    EXPECT_EQ(t.StrikePattern, fresh.StrikePattern);
    EXPECT_EQ(t.DiffusionCurve, fresh.DiffusionCurve);
    EXPECT_EQ(t.CombinedCurve, fresh.CombinedCurve);
    EXPECT_NE(t.PatternCursor, fresh.PatternCursor);
}

} // namespace
} // namespace zeb
