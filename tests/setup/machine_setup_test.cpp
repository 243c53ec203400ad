// "Геометрия" and "Разогрев" against the virtual controller, and the field-size panel's rules.
#include "setup/machine_setup.h"

#include "link/link_rig.h"
#include "setup/warm_up.h"
#include "text/text_catalogue.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

using testing::LinkRig;

// A 40 x 20 picture placed at (100, 50): point 1 is (100, 50), the centre (120, 60), point 9
// (140, 70).
Placement PlacedPicture() {
    Placement place;
    place.PictureOffsetX = 100;
    place.PictureOffsetY = 50;
    place.PictureWidth = 40;
    place.PictureHeight = 20;
    RecomputeHandles(place);
    return place;
}

TEST(PositionToolTest, CentreToTopLeftWithTheNeedleUpForTheMoveThenTheSamePointAgain) {
    LinkRig rig;
    rig.machine.CurrentCol = 120;
    rig.machine.CurrentRow = 60;
    PositionTool(rig.dev, PlacedPicture(), 2, NeedleCarry::UpMove, 1);
    // Point 1 raises the needle before the motor scale; 20 columns right, 10 rows down.
    EXPECT_EQ(rig.NamedCodes().join(", "), "Up 1B FF 01 01, ProgX_Motor 1B 40 60 12, "
                                           "ProgY_Motor 1B 41 60 12, Right 1B 13 00 13, "
                                           "StepDown 1B 11 00 13, Put 1B FE 00 00");
    EXPECT_EQ(QPoint(rig.machine.CurrentCol, rig.machine.CurrentRow), QPoint(100, 50));
    EXPECT_EQ(rig.machine.MotorSpeedScale, 18);
    // The same point again: needle and motor scale, no move.
    PositionTool(rig.dev, PlacedPicture(), 2, NeedleCarry::UpMove, 1);
    EXPECT_EQ(rig.NamedCodes().mid(6).join(", "),
              "Up 1B FF 01 01, ProgX_Motor 1B 40 60 12, ProgY_Motor 1B 41 60 12, Put 1B FE 00 00");
}

TEST(PositionToolTest, OtherPointsTakeTheMotorScaleFirstAndTheNeedleAsChosen) {
    using N = NeedleCarry;
    const std::tuple<NeedleCarry, int, QPoint, const char*> cases[] = {
        {N::AllUp, 9, {140, 70}, "Up 1B FF 01 01, Left 1B 12 00 8B, StepUp 1B 10 00 8B"},
        {N::AllDown, 2, {120, 50}, "Put 1B FE 00 00, Left 1B 12 00 77, StepUp 1B 10 00 63"},
        {N::UpMove,
         4,
         {100, 60},
         "Up 1B FF 01 01, Left 1B 12 00 63, StepUp 1B 10 00 77, Put 1B FE 00 00"},
    };
    for (const auto& [needle, point, end, sent] : cases) {
        SCOPED_TRACE(point);
        LinkRig rig;
        PositionTool(rig.dev, PlacedPicture(), 0, needle, point);
        EXPECT_EQ(rig.NamedCodes().join(", "),
                  QString("ProgX_Motor 1B 40 60 10, ProgY_Motor 1B 41 60 10, ") + sent);
        EXPECT_EQ(QPoint(rig.machine.CurrentCol, rig.machine.CurrentRow), end);
        EXPECT_EQ(QPoint(rig.vc.HeadColumn(), rig.vc.HeadRow()), end);
    }
    // Offline nothing is sent but the count follows.
    LinkRig rig;
    rig.link.DeviceReady = false;
    PositionTool(rig.dev, PlacedPicture(), 0, NeedleCarry::UpMove, 5);
    EXPECT_TRUE(rig.vc.Trace().empty());
    EXPECT_EQ(QPoint(rig.machine.CurrentCol, rig.machine.CurrentRow), QPoint(120, 60));
}

TEST(PositionToolTest, ACountPastSixteenBitsIsRefusedAndThatAxisKeepsItsCount) {
    LinkRig rig;
    Placement place;
    place.PictureOffsetX = 70000;
    place.PictureOffsetY = 10;
    RecomputeHandles(place);
    PositionTool(rig.dev, place, 0, NeedleCarry::AllUp, 1);
    EXPECT_EQ(rig.NamedCodes().join(", "), "Up 1B FF 01 01, ProgX_Motor 1B 40 60 10, "
                                           "ProgY_Motor 1B 41 60 10, StepUp 1B 10 00 13");
    ASSERT_EQ(rig.op.messages.size(), 1);
    EXPECT_TRUE(rig.op.messages[0].contains("70000")) << rig.op.messages[0].toStdString();
    EXPECT_EQ(QPoint(rig.machine.CurrentCol, rig.machine.CurrentRow), QPoint(0, 10));
}

// Status entry 8 as the program starts with it.
QString WarmUpText() {
    return TextCatalogue().Status(8);
}

TEST(WarmUpTest, AFullWarmUpStrikesSixtyTimesAndCountsToNinetyFive) {
    LinkRig rig;
    WarmUp(rig.dev, WarmUpText());
    EXPECT_EQ(rig.vc.WarmUpStrikes(), 60);
    EXPECT_TRUE(rig.vc.Workpiece().empty());
    QStringList expected;
    for (int value = 0; value <= 95; value += 5)
        expected << QStringLiteral("Разогрев головки - %1").arg(value);
    EXPECT_EQ(rig.op.statuses, expected << expected.last());
    EXPECT_EQ(rig.op.progressTrail.size(), 22);
    EXPECT_EQ(rig.op.progressTrail[20], 100);
    EXPECT_TRUE(rig.op.messages.isEmpty());
}

TEST(WarmUpTest, OfflineTheGaugeRunsThroughAndTheTextStandsAlone) {
    LinkRig rig;
    rig.link.DeviceReady = false;
    WarmUp(rig.dev, WarmUpText());
    EXPECT_TRUE(rig.vc.Trace().empty());
    EXPECT_EQ(rig.op.statuses, QStringList{"Разогрев головки - "});
    QList<int> trail;
    for (int value = 0; value <= 100; value += 5)
        trail << value;
    EXPECT_EQ(rig.op.progressTrail, trail << 0);
}

TEST(WarmUpTest, ALinkLostInTheMiddleLeavesTheLastValueShown) {
    sim::ControllerOptions options;
    options.faults.silentAfter = 7; // the eighth strike goes unanswered
    LinkRig rig(options);
    WarmUp(rig.dev, WarmUpText());
    EXPECT_EQ(rig.vc.WarmUpStrikes(), 7);
    EXPECT_FALSE(rig.link.DeviceReady);
    EXPECT_EQ(rig.op.messages.size(), 1);
    // The third round began with the link up; after it nothing more reaches the controller.
    EXPECT_EQ(rig.op.statuses, (QStringList{"Разогрев головки - 0", "Разогрев головки - 5",
                                            "Разогрев головки - 10", "Разогрев головки - 10"}));
    EXPECT_EQ(rig.op.progress, 0);
}

TEST(SizePanelTest, TheViewKeepsWhatItShowedWhenResized) {
    FieldView view;
    CreateWorkField(view, 20, 10); // Image1 30 x 20
    view.Image1.setPixel(3, 4, qRgb(255, 0, 0));
    view.Image1.setPixel(29, 19, qRgb(0, 255, 0));
    ResizeFieldView(view, 40, 15);
    EXPECT_EQ(view.Image1.size(), QSize(40, 15));
    EXPECT_EQ(view.Image1.pixel(3, 4), qRgb(255, 0, 0));
    EXPECT_EQ(view.Image1.pixel(35, 5), qRgb(0, 0, 0));
    EXPECT_EQ(view.FieldBitmap.size(), QSize(20, 10));
    // A size no memory holds leaves the view as it was.
    EXPECT_FALSE(ResizeFieldView(view, 2000000000, 2000000000));
    EXPECT_EQ(view.Image1.size(), QSize(40, 15));
    EXPECT_EQ(view.Image1.pixel(3, 4), qRgb(255, 0, 0));
}

} // namespace
} // namespace zeb
