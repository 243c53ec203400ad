// The tone and dot tables against the machine's own check rows and example compositions.
#include "picture/tone_tables.h"

#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <vector>

namespace zeb {
namespace {

using Composition = std::map<int, int>; // tone -> entries in a row

Composition Count(const std::array<quint8, PatternLength>& row) {
    Composition counts;
    for (quint8 t : row)
        ++counts[t];
    return counts;
}

// The two orders, spelled out; the rows below are checked through them.
const std::vector<int> kFill = {11, 77, 91, 37, 33, 99, 73, 19, 5, 50, 25, 52,
                                85, 58, 22, 88, 82, 28, 70, 46, 3, 66, 30, 7};
// Index k of a rebuilt row is position Spread(k): groups 0, 5, 9, 3, 7, 2, 6, 1, 4, 8, each
// with the offsets 0, 50, 20, 70, 90, 40, 10, 60, 30, 80.
int Spread(int k) {
    static const int group[] = {0, 5, 9, 3, 7, 2, 6, 1, 4, 8};
    static const int offset[] = {0, 50, 20, 70, 90, 40, 10, 60, 30, 80};
    return group[k / 10] + offset[k % 10];
}

class ToneTablesTest : public ::testing::Test {
protected:
    ToneTables t = StartupToneTables();
    int At(int row, int pos) const { return t.StrikePattern[row][pos]; }
};

TEST_F(ToneTablesTest, CurvesMatchTheirPrintedRowsAndTotals) {
    // The totals catch a mistyped entry; the rows and the two dips catch swapped ones.
    EXPECT_EQ(std::accumulate(t.DiffusionCurve.begin(), t.DiffusionCurve.end(), 0L), 23115);
    EXPECT_EQ(std::accumulate(t.CombinedCurve.begin(), t.CombinedCurve.end(), 0L), 26153);
    const int diffusion224[] = {205, 207, 209, 210, 212, 214, 216, 218,
                                220, 211, 222, 224, 226, 228, 229, 230};
    const int combined64[] = {39, 40, 41, 41, 41, 41, 43, 43, 43, 44, 44, 45, 45, 46, 47, 47};
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(t.DiffusionCurve[224 + k], diffusion224[k]) << 224 + k;
        EXPECT_EQ(t.CombinedCurve[64 + k], combined64[k]) << 64 + k;
    }
    EXPECT_EQ(t.CombinedCurve[113], 79);
    EXPECT_EQ(t.CombinedCurve[114], 78);
}

TEST_F(ToneTablesTest, WeakRowsFollowTheFillOrderAndEveryEntryIsAStrikeTone) {
    for (int r = 0; r <= 24; ++r) {
        std::array<quint8, PatternLength> expected{};
        for (int k = 0; k < r; ++k)
            expected[kFill[k]] = 64;
        EXPECT_EQ(t.StrikePattern[r], expected) << "row " << r;
    }
    for (int r = 1; r < 256; ++r) {
        for (quint8 tone : t.StrikePattern[r])
            EXPECT_TRUE(tone == 0 || tone == 64 || tone == 128 || tone == 192 || tone == 255)
                << "row " << r << " tone " << int(tone);
        EXPECT_LT(Count(t.StrikePattern[r])[0], 100) << "row " << r;
    }
}

TEST_F(ToneTablesTest, RebuiltRowsMatchTheCheckTable) {
    // Row 176 is a base row the rebuild leans on.
    for (int r = 25; r <= 175; ++r) {
        for (int k = 0; k < 100; ++k) {
            const int pos = Spread(k);
            int expected = At(176, pos);
            if (r <= 26)
                expected = 64;
            else if (r <= 76)
                expected = k >= 50 && k >= 126 - r ? 128 : 64;
            else if (r <= 125)
                expected = k <= 125 - r ? 64 : k <= 49 ? At(176, pos) : 128;
            else if (k >= 50 && k <= 225 - r)
                expected = 128;
            EXPECT_EQ(At(r, pos), expected) << "row " << r << " index " << k;
        }
    }
    for (int r = 206; r <= 255; ++r)
        EXPECT_EQ(Count(t.StrikePattern[r]), (Composition{{255, 100}})) << r;
}

TEST_F(ToneTablesTest, StrongRowsAndTheirSingle192) {
    struct Case {
        int row;
        Composition composition;
        std::vector<std::pair<int, int>> entries; // position, tone
    };
    const Case cases[] = {
        {176, {{0, 44}, {128, 1}, {192, 1}, {255, 54}}, {{87, 192}, {14, 128}}},
        // 14 becomes full, 96 holds 128, position 37 (index 48) is struck at 192.
        {177, {{0, 44}, {128, 1}, {192, 1}, {255, 54}}, {{14, 255}, {96, 128}, {37, 192}}},
        // The in-between entry at 29 is taken as 192; position 13 (index 36) adds one more.
        {189, {{0, 37}, {192, 2}, {255, 61}}, {{29, 192}, {13, 192}}},
        {205, {{0, 28}, {192, 1}, {255, 71}}, {{9, 192}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Count(t.StrikePattern[c.row]), c.composition) << "row " << c.row;
        for (auto [pos, tone] : c.entries)
            EXPECT_EQ(At(c.row, pos), tone) << "row " << c.row << " position " << pos;
    }
}

TEST_F(ToneTablesTest, NextToneSkipsZerosWrapsAndChangesOnlyTheCursor) {
    const ToneTables fresh = t;
    // Grey 1 has a single 64 at position 11; its cursor starts at 56 and wraps past 99.
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(NextStrikeTone(t, 1), 64);
        EXPECT_EQ(t.PatternCursor[1], 12);
    }
    EXPECT_EQ(NextStrikeTone(t, 57), 64); // starts at position 0
    EXPECT_EQ(t.PatternCursor[57], 1);
    EXPECT_EQ(NextStrikeTone(t, 156), 255); // starts at 99, full in row 176, wraps to 0
    EXPECT_EQ(t.PatternCursor[156], 0);
    // Grey 27 holds its one 128 at position 88: 99 lookups later it comes round.
    t.PatternCursor[27] = 88;
    EXPECT_EQ(NextStrikeTone(t, 27), 128);
    for (int n = 0; n < 99; ++n)
        EXPECT_EQ(NextStrikeTone(t, 27), 64);
    EXPECT_EQ(NextStrikeTone(t, 27), 128);
    EXPECT_EQ(t.StrikePattern, fresh.StrikePattern);
    EXPECT_EQ(t.DiffusionCurve, fresh.DiffusionCurve);
}

} // namespace
} // namespace zeb
