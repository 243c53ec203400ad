// The mouse on the work field and the tool move, checked at the virtual controller.
#include "picture/field_mouse.h"

#include "job/job_runner.h"
#include "link/link_rig.h"
#include "picture/open_command.h"
#include "picture/tool_move.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

using testing::LinkRig;

// Command names and the four code bytes of every frame the controller saw.
QStringList Sent(const LinkRig& rig) {
    QStringList sent;
    for (const sim::TracedCommand& c : rig.vc.Trace())
        sent << c.name + " " + QString::fromLatin1(c.frame.left(4).toHex(' ').toUpper());
    return sent;
}

TEST(ToolMoveTest, ThirtyRightTenDownWithTheNeedleUpForTheMove) {
    LinkRig rig;
    ToolMove(rig.dev, rig.timers, NeedleCarry::UpMove, 30, 10);
    EXPECT_EQ(Sent(rig), (QStringList{"Up 1B FF 01 01", "Left 1B 12 00 1D", "StepUp 1B 10 00 13",
                                      "Put 1B FE 00 00"}));
    EXPECT_TRUE(rig.timers.Running(TimerId::Timer2));
    EXPECT_EQ(rig.timers.Interval(TimerId::Timer2), 4000);
    EXPECT_EQ(rig.machine.CurrentCol, 30);
    EXPECT_EQ(rig.machine.CurrentRow, 10);
    EXPECT_EQ(rig.vc.HeadColumn(), 30);
    EXPECT_EQ(rig.vc.HeadRow(), 10);
    EXPECT_TRUE(rig.op.messages.isEmpty());
}

TEST(ToolMoveTest, NeedleStatesAndMovesBack) {
    struct Case {
        NeedleCarry carry;
        QStringList sent;
    };
    const std::vector<Case> cases = {
        {NeedleCarry::AllUp, {"Up 1B FF 01 01", "Right 1B 13 00 18", "StepDown 1B 11 00 0F"}},
        {NeedleCarry::AllDown, {"Put 1B FE 00 00", "Right 1B 13 00 18", "StepDown 1B 11 00 0F"}},
        {NeedleCarry::UpMove,
         {"Up 1B FF 01 01", "Right 1B 13 00 18", "StepDown 1B 11 00 0F", "Put 1B FE 00 00"}},
    };
    for (const Case& c : cases) {
        LinkRig rig;
        rig.machine.CurrentCol = 30;
        rig.machine.CurrentRow = 10;
        ToolMove(rig.dev, rig.timers, c.carry, 5, 2);
        EXPECT_EQ(Sent(rig), c.sent);
        EXPECT_EQ(rig.timers.Interval(TimerId::Timer2), (25 + 8) * 100);
        EXPECT_EQ(rig.machine.CurrentCol, 5);
        EXPECT_EQ(rig.machine.CurrentRow, 2);
    }
}

TEST(ToolMoveTest, StayingPutSendsOnlyTheNeedle) {
    LinkRig rig;
    ToolMove(rig.dev, rig.timers, NeedleCarry::UpMove, 0, 0);
    EXPECT_EQ(Sent(rig), (QStringList{"Up 1B FF 01 01", "Put 1B FE 00 00"}));
    EXPECT_TRUE(rig.timers.Running(TimerId::Timer2));
    EXPECT_EQ(rig.timers.Interval(TimerId::Timer2), 0);
}

TEST(ToolMoveTest, WithTheLinkDownNothingIsSentButThePositionFollows) {
    LinkRig rig;
    rig.link.DeviceReady = false;
    ToolMove(rig.dev, rig.timers, NeedleCarry::UpMove, 12, 7);
    EXPECT_TRUE(rig.vc.Trace().empty());
    EXPECT_EQ(rig.machine.CurrentCol, 12);
    EXPECT_EQ(rig.machine.CurrentRow, 7);
    EXPECT_EQ(rig.timers.Interval(TimerId::Timer2), 1900);
}

TEST(ToolMoveTest, ACountBeyondSixteenBitsIsRefusedAndTheAxisStays) {
    LinkRig rig;
    ToolMove(rig.dev, rig.timers, NeedleCarry::AllUp, 70000, 40000);
    EXPECT_EQ(Sent(rig), QStringList{"Up 1B FF 01 01"});
    EXPECT_EQ(rig.op.messages.size(), 2);
    EXPECT_EQ(rig.machine.CurrentCol, 0);
    EXPECT_EQ(rig.machine.CurrentRow, 0);
    // 32767 rows are 65534 steps and still go.
    ToolMove(rig.dev, rig.timers, NeedleCarry::AllUp, 65535, 32767);
    EXPECT_EQ(Sent(rig).mid(1),
              (QStringList{"Up 1B FF 01 01", "Left 1B 12 FF FE", "StepUp 1B 10 FF FD"}));
    EXPECT_EQ(rig.machine.CurrentCol, 65535);
    EXPECT_EQ(rig.machine.CurrentRow, 32767);
    // Travel 98302 taken as a 16-bit count: 32766.
    EXPECT_EQ(rig.timers.Interval(TimerId::Timer2), 32766 * 100);
}

TEST(ToolMoveTest, Timer2StopsItselfAndTimer3) {
    testing::ManualTimers timers;
    timers.Start(TimerId::Timer2, 300);
    timers.Start(TimerId::Timer3, 1);
    Timer2Timer(timers);
    EXPECT_FALSE(timers.Running(TimerId::Timer2));
    EXPECT_FALSE(timers.Running(TimerId::Timer3));
}

class FieldMouseTest : public ::testing::Test {
protected:
    FieldMouseTest() {
        CreateWorkField(view, 1930, 2330);
        picture = QImage(100, 50, QImage::Format_RGB32);
        picture.fill(qRgb(255, 255, 255));
        RedrawWorkField(view, placement, picture, resolution);
    }
    FieldMouseContext Ctx() { return {placement, resolution, view, picture, rig.dev, rig.timers}; }

    LinkRig rig;
    Placement placement;
    qint32 resolution = 0;
    FieldView view;
    QImage picture;
};

TEST_F(FieldMouseTest, APressProgramsTheStepSizeAndGrabsTheHandle) {
    resolution = 3;
    auto ctx = Ctx();
    const FieldMouseResult r = Image1MouseDown(ctx, 973, 1172, FieldButton::Left);
    EXPECT_EQ(Sent(rig), (QStringList{"ProgX_Motor 1B 40 60 13", "ProgY_Motor 1B 41 60 13"}));
    EXPECT_FALSE(r.showChangeBoxAt);
    EXPECT_TRUE(placement.MouseHeld);
    EXPECT_EQ(placement.GrabbedHandle, 5);
    EXPECT_EQ(placement.GrabOffsetX, 3);
    EXPECT_EQ(placement.GrabOffsetY, 2);
}

TEST_F(FieldMouseTest, AMarkerDragMovesThePictureOnReleaseAndOpenRestoresTheAlignment) {
    placement.MarkerChecked = true;
    auto ctx = Ctx();
    Image1MouseDown(ctx, 920, 1145, FieldButton::Left); // handle 1
    ASSERT_EQ(placement.GrabbedHandle, 1);
    EXPECT_TRUE(Image1MouseMove(ctx, 400, 300).repaint);
    EXPECT_TRUE(placement.Dragged);
    EXPECT_EQ(QPoint(placement.DragOffsetX, placement.DragOffsetY), QPoint(400, 300));
    EXPECT_EQ(placement.PictureOffsetX, 920);                     // committed only on release
    EXPECT_EQ(view.Image1.pixel(910, 1135), qRgb(0, 0, 0));       // old marker erased
    EXPECT_EQ(view.Image1.pixel(390, 290), 0xFFFFFF00u);          // new one drawn
    EXPECT_EQ(view.Image1.pixel(950, 1160), qRgb(255, 255, 255)); // picture not yet moved

    EXPECT_TRUE(Image1MouseUp(ctx).repaint);
    EXPECT_FALSE(placement.Dragged);
    EXPECT_FALSE(placement.MouseHeld);
    EXPECT_EQ(QPoint(placement.PictureOffsetX, placement.PictureOffsetY), QPoint(400, 300));
    EXPECT_EQ(view.Image1.pixel(430, 315), qRgb(255, 255, 255));
    EXPECT_EQ(view.Image1.pixel(950, 1160), qRgb(0, 0, 0));

    // The next Open (file dialog cancelled) places the picture by its alignment again.
    testing::RecordingOperator op;
    ToneTables tables = StartupToneTables();
    PictureState state;
    state.WorkPicture = picture;
    PictureMatrices matrices;
    MachineState machine;
    OpenCommandContext open{op, tables, state, matrices, placement, resolution, view, machine};
    OpenClick(open, OpenCommandDialogs{});
    EXPECT_EQ(QPoint(placement.PictureOffsetX, placement.PictureOffsetY), QPoint(920, 1145));
}

TEST_F(FieldMouseTest, WithTheNeedleChosenADragMovesNothing) {
    auto ctx = Ctx();
    Image1MouseDown(ctx, 920, 1145, FieldButton::Left);
    const QImage before = view.Image1;
    EXPECT_FALSE(Image1MouseMove(ctx, 400, 300).repaint);
    Image1MouseUp(ctx);
    EXPECT_EQ(view.Image1, before);
    EXPECT_EQ(placement.PictureOffsetX, 920);
}

TEST_F(FieldMouseTest, ARightPressOnAHandleOpensTheToolPanelBesideIt) {
    auto ctx = Ctx();
    EXPECT_EQ(Image1MouseDown(ctx, 1021, 1190, FieldButton::Right).showChangeBoxAt,
              QPoint(1041, 1190));
    EXPECT_FALSE(placement.MouseHeld);
    EXPECT_FALSE(Image1MouseDown(ctx, 700, 700, FieldButton::Right).showChangeBoxAt);
}

TEST_F(FieldMouseTest, ADoubleClickCarriesTheNeedleToTheGrabbedHandle) {
    auto ctx = Ctx();
    Image1MouseDown(ctx, 1018, 1196, FieldButton::Left); // handle 9 at (1020, 1195)
    Image1MouseUp(ctx);
    Image1DblClick(ctx);
    EXPECT_EQ(Sent(rig),
              (QStringList{"ProgX_Motor 1B 40 60 10", "ProgY_Motor 1B 41 60 10",
                           "ProgX_Motor 1B 40 60 10", "ProgY_Motor 1B 41 60 10", "Up 1B FF 01 01",
                           "Left 1B 12 03 FB", "StepUp 1B 10 09 55", "Put 1B FE 00 00"}));
    EXPECT_EQ(rig.machine.CurrentCol, 1020);
    EXPECT_EQ(rig.machine.CurrentRow, 1195);
    EXPECT_EQ(rig.timers.Interval(TimerId::Timer2), (1020 + 1195) * 100);
}

TEST_F(FieldMouseTest, WithNeedleMoveOnAPressMovesTheNeedleAndADoubleClickDoesNot) {
    placement.HeadMove = true;
    placement.Needle = NeedleCarry::AllDown;
    auto ctx = Ctx();
    Image1MouseDown(ctx, 40, 25, FieldButton::Left);
    EXPECT_EQ(Sent(rig),
              (QStringList{"ProgX_Motor 1B 40 60 10", "ProgY_Motor 1B 41 60 10", "Put 1B FE 00 00",
                           "Left 1B 12 00 27", "StepUp 1B 10 00 31"}));
    EXPECT_EQ(rig.timers.Interval(TimerId::Timer2), 6500);
    Image1MouseUp(ctx);
    Image1DblClick(ctx);
    EXPECT_EQ(Sent(rig).size(), 7);
}

TEST_F(FieldMouseTest, WhileAJobRunsTheMouseDoesNothing) {
    placement.JobRunning = true;
    placement.MarkerChecked = true;
    auto ctx = Ctx();
    const QImage before = view.Image1;
    Image1MouseDown(ctx, 920, 1145, FieldButton::Left);
    Image1MouseMove(ctx, 400, 300);
    Image1MouseUp(ctx);
    Image1DblClick(ctx);
    EXPECT_TRUE(rig.vc.Trace().empty());
    EXPECT_EQ(placement.GrabbedHandle, 0);
    EXPECT_EQ(view.Image1, before);
}

TEST(HeadMoveTest, CheckingWaitsForTheJobUncheckingNever) {
    Placement p;
    HeadMoveClick(p);
    EXPECT_TRUE(p.HeadMove);
    p.JobRunning = true;
    HeadMoveClick(p);
    EXPECT_FALSE(p.HeadMove);
    HeadMoveClick(p);
    EXPECT_FALSE(p.HeadMove);
    p.JobRunning = false;
    HeadMoveClick(p);
    EXPECT_TRUE(p.HeadMove);
}

} // namespace
} // namespace zeb
