// Strike profiles and column times, worked out by hand.

#include "link/device.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

StrikeLevelSet Levels(int l1, int l2, int l3, int l4) {
    StrikeLevelSet levels;
    levels[1] = static_cast<quint8>(l1);
    levels[2] = static_cast<quint8>(l2);
    levels[3] = static_cast<quint8>(l3);
    levels[4] = static_cast<quint8>(l4);
    return levels;
}

TEST(StrikeProfiles, WorkedCaseGivesTheSameProfileFourTimes) {
    // P = 12 x 17 = 204, F = 14: (8, 88), (7, 7), (5, 7), (1, 7);
    // T = 88*46 + 7*64 + 7*64 + 7*128 = 5840, ColumnTime = 633 + 130.
    const StrikeProfiles p = BuildStrikeProfiles(Levels(14, 14, 14, 14), 12, 17, 64, 46);
    const QByteArray one = Bytes({0x08, 88, 0x07, 7, 0x05, 7, 0x01, 7});
    EXPECT_EQ(p.bytes.toHex(' '), (one + one + one + one).toHex(' '));
    EXPECT_EQ(p.columnTime, (std::array<int, 5>{527, 763, 763, 763, 763}));
}

TEST(StrikeProfiles, EachPhaseCaseInItsLevel) {
    // P = 12 at the start values, TickA 32, TickB 23.
    // level 1, F 5:   2F <= P       (8, 1) (7, 2) (5, 2) (1, 2)       T = 279   -> 30 + 130
    // level 2, F 10:  P < 2F, F <= P (7, 4) (8, 1) (5, 5) (1, 5)      T = 631   -> 68 + 130
    // level 3, F 12:  F = P          (7, 6) (8, 0) (5, 6) (1, 6)      T = 768   -> 83 + 130
    // level 4, F 200: F > P          (7, 100) (5, 94) (8, 6) (1, 100) T = 12746 -> 1382 + 130
    const StrikeProfiles p = BuildStrikeProfiles(Levels(5, 10, 12, 200), 12, 1, 32, 23);
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
    const StrikeProfiles p = BuildStrikeProfiles(Levels(0, 0, 0, 0), 20, 20, 64, 50);
    EXPECT_EQ(p.columnTime[1], 1085 + 130);
    // 400 x 2.4375 + 30 = 1005 exactly.
    EXPECT_EQ(p.columnTime[0], 1005);
}

TEST(StrikeProfiles, DurationsAbove255HaveNoProfile) {
    // 510 - 0 leaves 255: fine. 512 - 0 leaves 256: refused.
    EXPECT_EQ(ProfileProblem(Levels(0, 0, 0, 0), 30, 17), std::nullopt);
    EXPECT_EQ(ProfileProblem(Levels(10, 20, 40, 200), 12, 17), std::nullopt);
    EXPECT_NE(ProfileProblem(Levels(0, 0, 0, 0), 32, 16), std::nullopt);

    // Motor speed 30 at resolution index 4: P = 600, force 2 leaves (600 - 4) div 2 = 298.
    const std::optional<QString> problem = ProfileProblem(Levels(100, 2, 100, 100), 30, 20);
    ASSERT_TRUE(problem.has_value());
    EXPECT_TRUE(problem->contains(QStringLiteral("\"16\""))) << problem->toStdString();
    EXPECT_TRUE(problem->contains(QStringLiteral("KnockHelth2")));
    EXPECT_TRUE(problem->contains(QStringLiteral("сила удара 2 ")));
    EXPECT_TRUE(problem->contains(QStringLiteral("скорости двигателя 30")));
    EXPECT_TRUE(problem->contains(QStringLiteral("298")));
}

} // namespace
} // namespace zeb
