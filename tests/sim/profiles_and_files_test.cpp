// Reading forces back from strike profiles, the timing of struck dots, and the lines and
// picture zeb-sim writes.
#include "sim/run_files.h"
#include "sim/strike_profile.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zeb::sim {
namespace {

TEST(StrikeProfile, RecoverForce) {
    const struct {
        const char* name;
        Phases phases;
        int stepTimeP; // of the controller's own X driver
        int force;
    } rows[] = {
        {"WorkedCase", {8, 88, 7, 7, 5, 7, 1, 7}, 204, 14}, // first row of the table
        {"OddForceWithKnownP", {8, 87, 7, 7, 5, 7, 1, 7}, 204, 15},
        // Without the right P the phases fit 14 (P 202) as well as 15 (P 204).
        {"OddForceWithWrongP", {8, 87, 7, 7, 5, 7, 1, 7}, 192, 14},
        // Second row, F = 151 at P = 204: (302 - 204) div 2 = 49, (204 - 151) div 2 = 26.
        {"SecondRowOdd", {7, 49, 8, 26, 5, 75, 1, 75}, 204, 151},
        // Third row (F > P): F = 40 and 41 give the same phases at P = 16.
        {"ThirdRowAmbiguous", {7, 20, 5, 12, 8, 8, 1, 20}, 16, 40},
        {"NotFromTheTable", {1, 1, 1, 1, 1, 1, 1, 9}, 204, 18},
    };
    for (const auto& row : rows)
        EXPECT_EQ(RecoverForce(row.phases, row.stepTimeP), row.force) << row.name;
}

TEST(StrikeProfile, StruckDotFollowsTheHostsColumnTime) {
    // The host's column time for the worked case is 763 x 10 us; ours 5840 units x 1.085 us
    // plus 1.3 ms. An empty column at P = 204: 527 x 10 us for the host.
    EXPECT_EQ(StruckColumnUs({8, 88, 7, 7, 5, 7, 1, 7}, 64, 46), 7636);
    EXPECT_EQ(EmptyColumnUs(204), 5272);
}

TEST(RunFiles, TraceMarksRepeatedAndRejectedFrames) {
    EXPECT_EQ(TraceLine({12, "data", QByteArray::fromHex("120400001e"), FrameVerdict::Repeated}),
              QByteArray("12 data 12 04 00 00 1E repeated\r\n"));
    EXPECT_EQ(TraceLine({-1, "?", QByteArray::fromHex("0011223344"), FrameVerdict::Rejected}),
              QByteArray("- ? 00 11 22 33 44 rejected\r\n"));
}

TEST(RunFiles, WorkpiecePictureHasOnePixelPerDot) {
    QTemporaryDir dir;
    const QString path = dir.filePath("work.png");
    const std::vector<Strike> strikes{
        {0, 0, 1, 10}, {1, 3, 4, 90}, {1, 3, 2, 50}, {0, 2, 3, 70}, {-1, 5, 4, 90}};
    QString error;
    ASSERT_TRUE(WriteWorkpiecePicture(strikes, path, &error)) << error.toStdString();
    const QImage picture(path);
    ASSERT_EQ(picture.size(), QSize(6, 2));
    EXPECT_EQ(qGray(picture.pixel(0, 0)), 64);
    EXPECT_EQ(qGray(picture.pixel(1, 0)), 0);
    EXPECT_EQ(qGray(picture.pixel(3, 1)), 255); // struck twice: the stronger counts
    EXPECT_EQ(qGray(picture.pixel(5, 0)), 255); // off the field above: drawn on its top edge

    EXPECT_FALSE(WriteWorkpiecePicture({}, dir.filePath("no/such/dir/work.png"), &error));
    EXPECT_TRUE(error.contains("no/such/dir/work.png"));
}

} // namespace
} // namespace zeb::sim
