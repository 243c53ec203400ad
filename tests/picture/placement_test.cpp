// The picture's place on the work field, its handles and markers, and the portrait-properties
// dialog's choices.
#include "picture/placement.h"
#include "picture/portrait_properties.h"

#include "common/recording_operator.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

constexpr QRgb Yellow = 0xFFFFFF00u; // the blue inverting pen over black
constexpr QRgb Black = 0xFF000000u;

QImage Picture(int w, int h, QRgb colour = qRgb(255, 255, 255)) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST(FieldSizeTest, ShrinksWithTheResolutionIndex) {
    const QSize image1(1940, 2340);
    EXPECT_EQ(FieldSize(image1, 0), QSize(1940, 2340));
    EXPECT_EQ(FieldSize(image1, 8), QSize(1293, 1560));
    EXPECT_EQ(FieldSize(image1, 1), QSize(1825, 2202));
    // No resolution: taken as index 0, never a division by zero.
    EXPECT_EQ(FieldSize(image1, 9), QSize(1940, 2340));
    EXPECT_EQ(FieldSize(image1, -16), QSize(1940, 2340));
    EXPECT_EQ(FieldSize(QSize(0, 0), 3), QSize(0, 0));
}

TEST(WorkFieldTest, Image1IsTheFieldPlusTenBlack) {
    FieldView view;
    CreateWorkField(view, 1930, 2330);
    EXPECT_EQ(view.FieldBitmap.size(), QSize(1930, 2330));
    EXPECT_EQ(view.Image1.size(), QSize(1940, 2340));
    EXPECT_EQ(view.Image1.pixel(1939, 2339), Black);
    SetImage1Size(view, 2, -4); // a view without height shows nothing
    EXPECT_TRUE(view.Image1.isNull());
}

struct AlignmentCase {
    HorizontalAlignment h;
    VerticalAlignment v;
    int x;
    int y;
};

TEST(PlacePictureTest, NineAlignmentsOnTheDefaultField) {
    const std::vector<AlignmentCase> cases = {
        {HorizontalAlignment::Left, VerticalAlignment::Top, 0, 0},
        {HorizontalAlignment::Center, VerticalAlignment::Top, 920, 0},
        {HorizontalAlignment::Right, VerticalAlignment::Top, 1840, 0},
        {HorizontalAlignment::Left, VerticalAlignment::Center, 0, 1145},
        {HorizontalAlignment::Center, VerticalAlignment::Center, 920, 1145},
        {HorizontalAlignment::Right, VerticalAlignment::Center, 1840, 1145},
        {HorizontalAlignment::Left, VerticalAlignment::Bottom, 0, 2290},
        {HorizontalAlignment::Center, VerticalAlignment::Bottom, 920, 2290},
        {HorizontalAlignment::Right, VerticalAlignment::Bottom, 1840, 2290},
    };
    for (const AlignmentCase& c : cases) {
        Placement p;
        p.Horizontal = c.h;
        p.Vertical = c.v;
        p.DragOffsetX = 5; // a previous drag is forgotten
        PlacePicture(p, FieldSize(QSize(1940, 2340), 0), QSize(100, 50));
        EXPECT_EQ(QPoint(p.PictureOffsetX, p.PictureOffsetY), QPoint(c.x, c.y));
        EXPECT_EQ(QPoint(p.DragOffsetX, p.DragOffsetY), QPoint(c.x, c.y));
        EXPECT_EQ(QSize(p.PictureWidth, p.PictureHeight), QSize(100, 50));
    }
}

TEST(PlacePictureTest, CentreAtTheCoarsestResolution) {
    Placement p;
    PlacePicture(p, FieldSize(QSize(1940, 2340), 8), QSize(100, 50));
    EXPECT_EQ(QPoint(p.PictureOffsetX, p.PictureOffsetY), QPoint(596, 755));
}

TEST(PlacePictureTest, APictureWiderThanTheFieldGoesNegative) {
    Placement p;
    p.Horizontal = HorizontalAlignment::Right;
    p.Vertical = VerticalAlignment::Bottom;
    PlacePicture(p, QSize(1940, 2340), QSize(2001, 2500));
    EXPECT_EQ(QPoint(p.PictureOffsetX, p.PictureOffsetY), QPoint(-61, -160));
    p.Horizontal = HorizontalAlignment::Center;
    PlacePicture(p, QSize(1940, 2340), QSize(2001, 50));
    EXPECT_EQ(p.PictureOffsetX, 970 - 1000);
}

TEST(PlacePictureTest, AnUnfinishedJobKeepsItsPosition) {
    Placement p;
    p.RecoveryPending = true;
    p.RecoveryOffsetX = 123;
    p.RecoveryOffsetY = -4;
    p.Horizontal = HorizontalAlignment::Right;
    PlacePicture(p, QSize(1940, 2340), QSize(100, 50));
    EXPECT_EQ(QPoint(p.PictureOffsetX, p.PictureOffsetY), QPoint(123, -4));
}

TEST(HandlesTest, NinePointsAndTheHitTest) {
    Placement p;
    PlacePicture(p, QSize(1940, 2340), QSize(101, 51));
    RecomputeHandles(p);
    const std::array<QPoint, 9> expected = {
        QPoint(920, 1145), QPoint(970, 1145), QPoint(1021, 1145),
        QPoint(920, 1170), QPoint(970, 1170), QPoint(1021, 1170),
        QPoint(920, 1196), QPoint(970, 1196), QPoint(1021, 1196)};
    EXPECT_EQ(p.HandlePoints, expected);
    EXPECT_EQ(HitTest(p, 920, 1145), 1);
    EXPECT_EQ(HitTest(p, 911, 1154), 1);
    EXPECT_EQ(HitTest(p, 910, 1145), 0); // the edge itself is outside
    EXPECT_EQ(HitTest(p, 929, 1145), 1);
    EXPECT_EQ(HitTest(p, 1030, 1205), 9);
    EXPECT_EQ(HitTest(p, 1031, 1205), 0);
    EXPECT_EQ(HitTest(p, 500, 500), 0);
}

TEST(HandlesTest, TheLowerNumberedHandleWins) {
    Placement p;
    p.Horizontal = HorizontalAlignment::Left;
    p.Vertical = VerticalAlignment::Top;
    PlacePicture(p, QSize(1940, 2340), QSize(10, 6));
    RecomputeHandles(p);
    // Handles 1, 2, 3 at x 0, 5, 10; 4..6 at y 3.
    EXPECT_EQ(HitTest(p, 5, 3), 1);
    EXPECT_EQ(HitTest(p, 12, 0), 2);
    EXPECT_EQ(HitTest(p, 16, 3), 3);
    EXPECT_EQ(HitTest(p, 16, 12), 6);
    EXPECT_EQ(HitTest(p, 16, 14), 9);
}

TEST(MarkersTest, InvertingSquaresWithACrossThatErasesItself) {
    QImage view(60, 60, QImage::Format_RGB32);
    view.fill(Black);
    view.setPixel(30, 30, qRgb(128, 128, 128));
    const QImage before = view;
    Placement p;
    p.DragOffsetX = 20;
    p.DragOffsetY = 20;
    p.PictureWidth = 0;
    p.PictureHeight = 0;
    RecomputeHandles(p); // all nine at (20, 20): markers at (10, 10) and (9, 10)
    for (auto& point : p.HandlePoints)
        point = QPoint(-100, -100); // only handle 1 on the view
    p.HandlePoints[0] = QPoint(20, 20);
    DrawHandleMarkers(view, p);
    EXPECT_EQ(view.pixel(10, 10), Yellow);      // corner
    EXPECT_EQ(view.pixel(10, 30), Yellow);      // lower left corner
    EXPECT_EQ(view.pixel(30, 10), Yellow);      // upper right corner
    EXPECT_EQ(view.pixel(30, 30), 0xFF7F7F80u); // grey under the corner, inverted
    EXPECT_EQ(view.pixel(20, 12), Yellow);      // cross, vertical stroke
    EXPECT_EQ(view.pixel(20, 27), Yellow);
    EXPECT_EQ(view.pixel(20, 28), Black);  // the end of a stroke is not drawn
    EXPECT_EQ(view.pixel(20, 20), Black);  // the strokes cross and cancel out
    EXPECT_EQ(view.pixel(15, 20), Yellow); // cross, horizontal stroke
    EXPECT_EQ(view.pixel(11, 11), Black);  // inside the square
    DrawHandleMarkers(view, p);
    EXPECT_EQ(view, before);
}

TEST(MarkersTest, HandlesTwoToNineSitOnePixelFurtherLeft) {
    QImage view(80, 40, QImage::Format_RGB32);
    view.fill(Black);
    Placement p;
    p.HandlePoints.fill(QPoint(-100, -100));
    p.HandlePoints[1] = QPoint(50, 20);
    DrawHandleMarkers(view, p);
    EXPECT_EQ(view.pixel(39, 10), Yellow);
    EXPECT_EQ(view.pixel(40, 10), Yellow);
    EXPECT_EQ(view.pixel(59, 10), Yellow);
    EXPECT_EQ(view.pixel(60, 10), Black);
}

TEST(RedrawTest, PictureUnscaledAtItsPlaceWithMarkers) {
    FieldView view;
    CreateWorkField(view, 1930, 2330);
    Placement p;
    RedrawWorkField(view, p, Picture(100, 50), 0);
    EXPECT_EQ(QPoint(p.PictureOffsetX, p.PictureOffsetY), QPoint(920, 1145));
    EXPECT_EQ(view.Image1.pixel(950, 1160), qRgb(255, 255, 255));
    EXPECT_EQ(view.Image1.pixel(1019, 1170), qRgb(255, 255, 255));
    EXPECT_EQ(view.Image1.pixel(1040, 1170), Black);
    EXPECT_EQ(view.Image1.pixel(910, 1135), Yellow);          // handle 1's marker
    EXPECT_EQ(view.Image1.pixel(925, 1155), qRgb(0, 0, 255)); // marker over white
    // A redraw at the coarsest resolution moves it.
    RedrawWorkField(view, p, Picture(100, 50), 8);
    EXPECT_EQ(QPoint(p.PictureOffsetX, p.PictureOffsetY), QPoint(596, 755));
    EXPECT_EQ(view.Image1.pixel(950, 1160), Black);
}

TEST(RedrawTest, AnEmptyPictureLeavesTheFieldBlackWithMarkers) {
    FieldView view;
    CreateWorkField(view, 100, 60);
    Placement p;
    RedrawWorkField(view, p, QImage(), 0);
    EXPECT_EQ(QPoint(p.PictureOffsetX, p.PictureOffsetY), QPoint(55, 35));
    EXPECT_EQ(view.Image1.pixel(0, 0), Black);
}

TEST(PortraitPropertiesTest, ResolutionListTextsExactly) {
    const QStringList items = ResolutionBoxItems();
    ASSERT_EQ(items.size(), 10);
    EXPECT_EQ(items[0], "101.6  dpi  =  40.0 т/см");
    EXPECT_EQ(items[1], "  95.6  dpi  =  37.6 т/см");
    EXPECT_EQ(items[4], "  81.3  dpi  =  32.0 т/см");
    EXPECT_EQ(items[8], "  67.7  dpi  =  26.7 т/см");
    EXPECT_EQ(items[9], "");
    EXPECT_EQ(AlignmentButtonCaptions(),
              (QStringList{"Left Top", "Center Top", "Right Top", "Left Center", "Center Center",
                           "Right Center", "Left Bottom", "Center Bottom", "Right Bottom"}));
}

TEST(PortraitPropertiesTest, CloseTakesTheSelectionOrKeepsTheIndexHeld) {
    struct Case {
        int held;
        int selected;
        int after;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {0, 3, 3, "  85.6  dpi  =  33.7 т/см"},
        {5, -1, 5, "  77.4  dpi  =  30.5 т/см"}, // nothing selected
        {2, 9, 2, "  90.3  dpi  =  35.6 т/см"},  // the empty item is no resolution
        {8, 0, 0, "101.6  dpi  =  40.0 т/см"},
    };
    for (const Case& c : cases) {
        qint32 index = c.held;
        QString caption = "ZEB-5.5 ";
        Form5FormClose(index, c.selected, "C:\\pictures\\cat.bmp", caption);
        EXPECT_EQ(index, c.after);
        EXPECT_EQ(caption,
                  QString("ZEB-5.5 ") + QString::fromUtf8(c.shown) + "    (C:\\pictures\\cat.bmp)");
    }
    qint32 index = 4;
    ResolutionBoxChange(index, 7);
    EXPECT_EQ(index, 7);
    ResolutionBoxChange(index, -1);
    EXPECT_EQ(index, 7);
}

TEST(PortraitPropertiesTest, NineButtonsSetBothAlignments) {
    const std::vector<std::pair<HorizontalAlignment, VerticalAlignment>> expected = {
        {HorizontalAlignment::Left, VerticalAlignment::Top},
        {HorizontalAlignment::Center, VerticalAlignment::Top},
        {HorizontalAlignment::Right, VerticalAlignment::Top},
        {HorizontalAlignment::Left, VerticalAlignment::Center},
        {HorizontalAlignment::Center, VerticalAlignment::Center},
        {HorizontalAlignment::Right, VerticalAlignment::Center},
        {HorizontalAlignment::Left, VerticalAlignment::Bottom},
        {HorizontalAlignment::Center, VerticalAlignment::Bottom},
        {HorizontalAlignment::Right, VerticalAlignment::Bottom}};
    for (int button = 1; button <= 9; ++button) {
        Placement p;
        Form5AlignmentButtonClick(p, button);
        EXPECT_EQ(p.Horizontal, expected[button - 1].first) << button;
        EXPECT_EQ(p.Vertical, expected[button - 1].second) << button;
    }
}

TEST(PortraitPropertiesTest, AnIndexOutsideTheListBecomesZeroAndIsReportedOnce) {
    testing::RecordingOperator op;
    qint32 index = 12;
    EXPECT_TRUE(NormalizeResolutionIndex(index, op));
    EXPECT_EQ(index, 0);
    ASSERT_EQ(op.messages.size(), 1);
    EXPECT_TRUE(op.messages[0].contains("12"));
    EXPECT_FALSE(NormalizeResolutionIndex(index, op));
    index = 8;
    EXPECT_FALSE(NormalizeResolutionIndex(index, op));
    EXPECT_EQ(index, 8);
    EXPECT_EQ(op.messages.size(), 1);
}

} // namespace
} // namespace zeb
