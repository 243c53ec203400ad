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

TEST(ToolMoveTest, NeedleStatesMovesAndTheFollowUpTimer) {
    struct Case {
        int fromX, fromY, toX, toY;
        NeedleCarry carry;
        bool linkUp;
        int timer2; // ms: travel x 100
        const char* sent;
    };
    const Case cases[] = {
        {0, 0, 30, 10, NeedleCarry::UpMove, true, 4000,
         "Up 1B FF 01 01, Left 1B 12 00 1D, StepUp 1B 10 00 13, Put 1B FE 00 00"},
        {30, 10, 5, 2, NeedleCarry::AllUp, true, 3300,
         "Up 1B FF 01 01, Right 1B 13 00 18, StepDown 1B 11 00 0F"},
        {30, 10, 5, 2, NeedleCarry::AllDown, true, 3300,
         "Put 1B FE 00 00, Right 1B 13 00 18, StepDown 1B 11 00 0F"},
        {0, 0, 0, 0, NeedleCarry::UpMove, true, 0, "Up 1B FF 01 01, Put 1B FE 00 00"},
        {0, 0, 12, 7, NeedleCarry::UpMove, false, 1900, ""}, // the position follows all the same
        // 32767 rows are 65534 steps and still go; the travel 98302 is taken as 16 bits. The
        // refusal of a count past 65535 is the position tool's test.
        {0, 0, 65535, 32767, NeedleCarry::AllUp, true, 32766 * 100,
         "Up 1B FF 01 01, Left 1B 12 FF FE, StepUp 1B 10 FF FD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sent);
        LinkRig rig;
        rig.link.DeviceReady = c.linkUp;
        rig.machine.CurrentCol = c.fromX;
        rig.machine.CurrentRow = c.fromY;
        ToolMove(rig.dev, rig.timers, c.carry, c.toX, c.toY);
        EXPECT_EQ(rig.NamedCodes().join(", "), c.sent);
        EXPECT_TRUE(rig.timers.Running(TimerId::Timer2));
        EXPECT_EQ(rig.timers.Interval(TimerId::Timer2), c.timer2);
        EXPECT_EQ(QPoint(rig.machine.CurrentCol, rig.machine.CurrentRow), QPoint(c.toX, c.toY));
        if (c.linkUp && c.fromX == 0) { // the controller's head starts at 0, 0
            EXPECT_EQ(QPoint(rig.vc.HeadColumn(), rig.vc.HeadRow()), QPoint(c.toX, c.toY));
        }
        EXPECT_TRUE(rig.op.messages.isEmpty());
        // Timer2's tick stops itself and Timer3.
        rig.timers.Start(TimerId::Timer3, 1);
        StopFollowUpTimers(rig.timers);
        EXPECT_FALSE(rig.timers.Running(TimerId::Timer2));
        EXPECT_FALSE(rig.timers.Running(TimerId::Timer3));
    }
}

// A white 100 x 50 picture centred on the 1930 x 2330 field: handle 1 at (920, 1145),
// handle 9 at (1020, 1195).
class FieldMouseTest : public ::testing::Test {
protected:
    FieldMouseTest() {
        CreateWorkField(view, 1930, 2330);
        picture = QImage(100, 50, QImage::Format_RGB32);
        picture.fill(qRgb(255, 255, 255));
        RedrawWorkField(view, placement, picture, resolution, std::nullopt);
    }

    LinkRig rig;
    Placement placement;
    FieldDrag drag;
    FieldMouseModes modes;
    bool jobRunning = false;
    qint32 resolution = 0;
    FieldView view;
    QImage picture;
    FieldMouseContext ctx{placement, drag,    modes,   jobRunning, resolution,
                          view,      picture, rig.dev, rig.timers};
};

TEST_F(FieldMouseTest, APressProgramsTheStepSizeAndGrabsAHandleARightPressOpensChangeBox) {
    resolution = 3;
    EXPECT_FALSE(PressOnField(ctx, 973, 1172, FieldButton::Left).showChangeBoxAt);
    EXPECT_EQ(rig.NamedCodes(),
              (QStringList{"ProgX_Motor 1B 40 60 13", "ProgY_Motor 1B 41 60 13"}));
    EXPECT_TRUE(drag.MouseHeld);
    EXPECT_EQ(drag.GrabbedHandle, 5);
    EXPECT_EQ(QPoint(drag.GrabOffsetX, drag.GrabOffsetY), QPoint(3, 2));
    ReleaseOnField(ctx);
    EXPECT_EQ(PressOnField(ctx, 1021, 1190, FieldButton::Right).showChangeBoxAt,
              QPoint(1041, 1190));
    EXPECT_FALSE(drag.MouseHeld);
    EXPECT_FALSE(PressOnField(ctx, 700, 700, FieldButton::Right).showChangeBoxAt);
}

TEST_F(FieldMouseTest, AMarkerDragMovesThePictureOnReleaseAndOpenRestoresTheAlignment) {
    modes.DragMovesPicture = true;
    PressOnField(ctx, 920, 1145, FieldButton::Left); // handle 1
    ASSERT_EQ(drag.GrabbedHandle, 1);
    EXPECT_TRUE(DragOnField(ctx, 400, 300).repaint);
    EXPECT_TRUE(drag.Dragged);
    EXPECT_EQ(QPoint(drag.OffsetX, drag.OffsetY), QPoint(400, 300));
    EXPECT_EQ(placement.PictureOffsetX, 920);               // committed only on release
    EXPECT_EQ(view.Image1.pixel(910, 1135), qRgb(0, 0, 0)); // old marker erased
    EXPECT_EQ(view.Image1.pixel(390, 290), 0xFFFFFF00u);    // new one drawn

    EXPECT_TRUE(ReleaseOnField(ctx).repaint);
    EXPECT_FALSE(drag.Dragged || drag.MouseHeld);
    EXPECT_EQ(QPoint(placement.PictureOffsetX, placement.PictureOffsetY), QPoint(400, 300));
    EXPECT_EQ(view.Image1.pixel(430, 315), qRgb(255, 255, 255));

    // The next Open (file dialog cancelled) places the picture by its alignment again.
    ToneTables tables = StartupToneTables();
    PictureState state;
    state.WorkPicture = picture;
    PictureMatrices matrices;
    OpenCommandContext open{rig.op,    tables,     state, matrices,
                            placement, resolution, view,  rig.machine};
    ASSERT_TRUE(OpenPicture(open, OpenCommandDialogs{}));
    EXPECT_EQ(QPoint(placement.PictureOffsetX, placement.PictureOffsetY), QPoint(920, 1145));
}

TEST_F(FieldMouseTest, WithTheNeedleChosenOrAJobRunningADragMovesNothing) {
    for (bool running : {true, false}) {
        SCOPED_TRACE(running ? "job running" : "needle chosen");
        jobRunning = running;
        modes.DragMovesPicture = running;
        const QImage before = view.Image1;
        PressOnField(ctx, 920, 1145, FieldButton::Left);
        EXPECT_FALSE(DragOnField(ctx, 400, 300).repaint);
        ReleaseOnField(ctx);
        if (running) { // not even a double click reaches the controller
            DoubleClickOnField(ctx);
            EXPECT_TRUE(rig.vc.Trace().empty());
            EXPECT_EQ(drag.GrabbedHandle, 0);
        }
        EXPECT_EQ(view.Image1, before);
        EXPECT_EQ(placement.PictureOffsetX, 920);
    }
}

TEST_F(FieldMouseTest, ADoubleClickCarriesTheNeedleToTheGrabbedHandle) {
    PressOnField(ctx, 1018, 1196, FieldButton::Left); // handle 9
    ReleaseOnField(ctx);
    DoubleClickOnField(ctx);
    EXPECT_EQ(rig.NamedCodes().join(", "), "ProgX_Motor 1B 40 60 10, ProgY_Motor 1B 41 60 10, "
                                           "ProgX_Motor 1B 40 60 10, ProgY_Motor 1B 41 60 10, "
                                           "Up 1B FF 01 01, Left 1B 12 03 FB, StepUp 1B 10 09 55, "
                                           "Put 1B FE 00 00");
    EXPECT_EQ(QPoint(rig.machine.CurrentCol, rig.machine.CurrentRow), QPoint(1020, 1195));
    EXPECT_EQ(rig.timers.Interval(TimerId::Timer2), (1020 + 1195) * 100);
}

TEST_F(FieldMouseTest, WithNeedleMoveOnAPressMovesTheNeedleAndADoubleClickDoesNot) {
    // "Перемещение иглы" is not checked while a job runs, and unchecked at any time.
    jobRunning = true;
    ToggleHeadMove(modes, jobRunning);
    EXPECT_FALSE(modes.HeadMove);
    jobRunning = false;
    ToggleHeadMove(modes, jobRunning);
    ASSERT_TRUE(modes.HeadMove);
    modes.Needle = NeedleCarry::AllDown;
    PressOnField(ctx, 40, 25, FieldButton::Left);
    EXPECT_EQ(rig.NamedCodes().join(", "), "ProgX_Motor 1B 40 60 10, ProgY_Motor 1B 41 60 10, "
                                           "Put 1B FE 00 00, Left 1B 12 00 27, StepUp 1B 10 00 31");
    EXPECT_EQ(rig.timers.Interval(TimerId::Timer2), 6500);
    ReleaseOnField(ctx);
    DoubleClickOnField(ctx);
    EXPECT_EQ(rig.NamedCodes().size(), 7);
}

} // namespace
} // namespace zeb
