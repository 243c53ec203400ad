// Pure functions, worked out by hand: frames of odd length, strike-line packing, the four
// phase cases of a strike profile and the column time.

#include "link/device.h"
#include "link/frames.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

TEST(Frames, AFrameIsAlwaysFiveBytes) {
    // A short code is padded with 0, a long one cut.
    EXPECT_EQ(CommandFrame(Bytes({0x1B, 0x37}), 2), Bytes({0x1B, 0x37, 0x00, 0x00, 0x2E}));
    EXPECT_EQ(CommandFrame(Bytes({0x1B, 0x39, 0x00, 0x00, 0x77}), 1),
              Bytes({0x1B, 0x39, 0x00, 0x00, 0x23}));
}

TEST(Frames, StrikeLinesArePaddedAndPackedTwoDotsAByte) {
    const struct {
        const char* digits;
        QByteArray packed;
    } rows[] = {
        {"", QByteArray()},
        {"0000000000000003", Bytes({0, 0, 0, 0, 0, 0, 0, 0x03})},
        // Only 1..4 strike; anything else is no strike.
        {"a4 x", Bytes({0x04, 0x00, 0x00, 0x00})},
        {"5678", Bytes({0x00, 0x00, 0x00, 0x00})},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PackLine(QByteArray(row.digits)).toHex(' '), row.packed.toHex(' ')) << row.digits;
}

TEST(StrikeProfiles, EachPhaseCaseInItsLevel) {
    // P = 12 at the start values, TickA 32, TickB 23.
    // level 1, F 5:   2F <= P       (8, 1) (7, 2) (5, 2) (1, 2)       T = 279   -> 30 + 130
    // level 2, F 10:  P < 2F, F <= P (7, 4) (8, 1) (5, 5) (1, 5)      T = 631   -> 68 + 130
    // level 3, F 12:  F = P          (7, 6) (8, 0) (5, 6) (1, 6)      T = 768   -> 83 + 130
    // level 4, F 200: F > P          (7, 100) (5, 94) (8, 6) (1, 100) T = 12746 -> 1382 + 130
    const StrikeProfiles p =
        BuildStrikeProfiles(StrikeLevelSet{{0, 5, 10, 12, 200}}, 12, 1, 32, 23);
    const QByteArray expected = Bytes({8, 1,   7, 2,  5, 2, 1, 2,     //
                                       7, 4,   8, 1,  5, 5, 1, 5,     //
                                       7, 6,   8, 0,  5, 6, 1, 6,     //
                                       7, 100, 5, 94, 8, 6, 1, 100}); //
    EXPECT_EQ(p.bytes.toHex(' '), expected.toHex(' '));
    EXPECT_EQ(p.columnTime, (std::array<int, 5>{59, 160, 198, 213, 1512}));
}

TEST(StrikeProfiles, ColumnTimeTruncatesExactlyAtWholeValues) {
    // P = 20 x 20 = 400, F = 0: (8, 200) and nothing else, so T = 200 x TickB; TickB 50
    // gives T = 10000, and 10000 x 100 x 0.001085 is exactly 1085.
    const StrikeProfiles p = BuildStrikeProfiles(StrikeLevelSet{}, 20, 20, 64, 50);
    EXPECT_EQ(p.columnTime[1], 1085 + 130);
    // 400 x 2.4375 + 30 = 1005 exactly.
    EXPECT_EQ(p.columnTime[0], 1005);
}

TEST(StrikeProfiles, DurationsAbove255HaveNoProfile) {
    // P = 510 with force 0 leaves 255: fine. P = 512 leaves 256: refused.
    EXPECT_TRUE(CheckStrikeProfiles(TextCatalogue(), StrikeLevelSet{}, 30, 17));
    EXPECT_TRUE(CheckStrikeProfiles(TextCatalogue(), StrikeLevelSet{{0, 10, 20, 40, 200}}, 12, 17));
    EXPECT_FALSE(CheckStrikeProfiles(TextCatalogue(), StrikeLevelSet{}, 32, 16));
    // The first level refused is told, "8" being level 1.
    EXPECT_EQ(CheckStrikeProfiles(TextCatalogue(), StrikeLevelSet{}, 32, 16).Message(),
              QStringLiteral("Нет профиля удара для уровня \"8\" (KnockHelth1): сила удара 0 не "
                             "подходит к скорости двигателя 32 (масштаб 16), длительность фазы "
                             "256 больше 255. Увеличьте силу удара или уменьшите скорость "
                             "двигателя."));
    // In the language file's words when it gives them.
    TextCatalogue english;
    english.SetLanguageLoaded(true);
    english.Define(*TextCatalogue::LanguageCode(TextKey::LinkNoStrikeProfile), "No profile: %1");
    EXPECT_EQ(CheckStrikeProfiles(english, StrikeLevelSet{}, 32, 16).Message(), "No profile: 8");
}

} // namespace
} // namespace zeb
