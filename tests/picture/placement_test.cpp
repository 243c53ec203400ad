// The picture's place on the work field, its handles and markers, and the portrait-properties
// dialog's choices.
#include "picture/field_overhang.h"
#include "picture/placement.h"
#include "picture/portrait_properties.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

constexpr QRgb Yellow = 0xFFFFFF00u; // the blue inverting pen over black
constexpr QRgb Black = 0xFF000000u;
constexpr QRgb White = 0xFFFFFFFFu;

QImage WhitePicture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(White);
    return image;
}

QPoint Offset(const Placement& p) {
    return {p.PictureOffsetX, p.PictureOffsetY};
}

TEST(WorkFieldTest, Image1IsTheFieldPlusTenAndThePictureIsDrawnUnscaledWithMarkers) {
    FieldView view;
    CreateWorkField(view, 1930, 2330);
    EXPECT_EQ(view.FieldBitmap.size(), QSize(1930, 2330));
    EXPECT_EQ(view.Image1.size(), QSize(1940, 2340));
    EXPECT_EQ(view.Image1.pixel(1939, 2339), Black);
    SetImage1Size(view, 2, -4); // a view without height shows nothing
    EXPECT_TRUE(view.Image1.isNull());
    const QSize image1(1940, 2340);
    EXPECT_EQ(FieldSize(image1, 8), QSize(1293, 1560));
    // No resolution: taken as index 0, never a division by zero.
    for (int index : {0, 9, -16})
        EXPECT_EQ(FieldSize(image1, index), image1) << index;
    EXPECT_EQ(FieldSize(QSize(0, 0), 3), QSize(0, 0));

    // The picture unscaled at its place, with markers.
    CreateWorkField(view, 1930, 2330);
    Placement p;
    RedrawWorkField(view, p, WhitePicture(100, 50), 0, std::nullopt);
    EXPECT_EQ(Offset(p), QPoint(920, 1145));
    EXPECT_EQ(view.Image1.pixel(1019, 1170), White);
    EXPECT_EQ(view.Image1.pixel(1040, 1170), Black);
    EXPECT_EQ(view.Image1.pixel(910, 1135), Yellow); // handle 1's marker
    RedrawWorkField(view, p, WhitePicture(100, 50), 8, std::nullopt);
    EXPECT_EQ(Offset(p), QPoint(596, 755));
    EXPECT_EQ(view.Image1.pixel(950, 1160), Black);
    // No picture: the markers of an empty one at the centre.
    CreateWorkField(view, 100, 60);
    RedrawWorkField(view, p, QImage(), 0, std::nullopt);
    EXPECT_EQ(Offset(p), QPoint(55, 35));
}

TEST(PlacePictureTest, TheNineButtonsLargerPicturesAndAnUnfinishedJobsPlace) {
    // Buttons 1..9: left, centre, right along each row of top, centre, bottom.
    const QPoint expected[] = {{0, 0},       {920, 0},  {1840, 0},   {0, 1145},   {920, 1145},
                               {1840, 1145}, {0, 2290}, {920, 2290}, {1840, 2290}};
    for (int button = 1; button <= 9; ++button) {
        Placement p;
        ChooseAlignment(p, button);
        RecomputeHandles(p, QPoint(5, 0)); // where a previous drag had them
        PlacePicture(p, FieldSize(QSize(1940, 2340), 0), QSize(100, 50), std::nullopt);
        EXPECT_EQ(Offset(p), expected[button - 1]) << button;
        RecomputeHandles(p); // the drag is forgotten
        EXPECT_EQ(p.HandlePoints[0], expected[button - 1]) << button;
        EXPECT_EQ(QSize(p.PictureWidth, p.PictureHeight), QSize(100, 50));
    }
    // Larger pictures go negative; an unfinished job keeps its place.
    Placement p;
    ChooseAlignment(p, 9);
    PlacePicture(p, QSize(1940, 2340), QSize(2001, 2500), std::nullopt);
    EXPECT_EQ(Offset(p), QPoint(-61, -160));
    ChooseAlignment(p, 8);
    PlacePicture(p, QSize(1940, 2340), QSize(2001, 50), std::nullopt);
    EXPECT_EQ(p.PictureOffsetX, 970 - 1000);
    PlacePicture(p, QSize(1940, 2340), QSize(100, 50), QPoint(123, -4));
    EXPECT_EQ(Offset(p), QPoint(123, -4));
}

TEST(HandlesTest, NinePointsAndTheHitTest) {
    Placement p;
    PlacePicture(p, QSize(1940, 2340), QSize(101, 51), std::nullopt);
    RecomputeHandles(p);
    const std::array<QPoint, 9> expected = {
        QPoint(920, 1145), QPoint(970, 1145), QPoint(1021, 1145),
        QPoint(920, 1170), QPoint(970, 1170), QPoint(1021, 1170),
        QPoint(920, 1196), QPoint(970, 1196), QPoint(1021, 1196)};
    EXPECT_EQ(p.HandlePoints, expected);
    const std::tuple<int, int, int> hits[] = {
        {920, 1145, 1}, {911, 1154, 1},  {910, 1145, 0}, // the edge itself is outside
        {929, 1145, 1}, {1030, 1205, 9}, {1031, 1205, 0}, {500, 500, 0}};
    for (auto [x, y, handle] : hits)
        EXPECT_EQ(HitTest(p, x, y), handle) << x << "," << y;

    // Overlapping squares: the lower-numbered handle wins.
    ChooseAlignment(p, 1);
    PlacePicture(p, QSize(1940, 2340), QSize(10, 6), std::nullopt);
    RecomputeHandles(p); // handles 1, 2, 3 at x 0, 5, 10; 4..6 at y 3
    for (auto [x, y, handle] : std::initializer_list<std::tuple<int, int, int>>{
             {5, 3, 1}, {12, 0, 2}, {16, 3, 3}, {16, 12, 6}, {16, 14, 9}})
        EXPECT_EQ(HitTest(p, x, y), handle) << x << "," << y;
}

TEST(MarkersTest, InvertingSquaresWithACrossThatErasesItself) {
    QImage view(80, 60, QImage::Format_RGB32);
    view.fill(Black);
    view.setPixel(30, 30, qRgb(128, 128, 128));
    const QImage before = view;
    Placement p;
    p.HandlePoints.fill(QPoint(-100, -100));
    p.HandlePoints[0] = QPoint(20, 20); // handle 1: square (10, 10) .. (30, 30)
    p.HandlePoints[1] = QPoint(60, 20); // handles 2..9 sit one pixel further left
    DrawHandleMarkers(view, p);
    const std::tuple<int, int, QRgb> pixels[] = {
        {10, 10, Yellow},      {10, 30, Yellow}, {30, 10, Yellow}, // corners
        {30, 30, 0xFF7F7F80u},                                     // grey under a corner, inverted
        {20, 12, Yellow},      {20, 27, Yellow}, {15, 20, Yellow}, // the cross
        {20, 28, Black},                                           // a stroke's end is not drawn
        {20, 20, Black},                                           // the strokes cancel out
        {11, 11, Black},                                           // inside the square
        {49, 10, Yellow},      {69, 10, Yellow}, {70, 10, Black}};
    for (auto [x, y, colour] : pixels)
        EXPECT_EQ(view.pixel(x, y), colour) << x << "," << y;
    DrawHandleMarkers(view, p);
    EXPECT_EQ(view, before);
}

TEST(PortraitPropertiesTest, CloseTakesTheSelectionOrKeepsTheIndexHeld) {
    const std::tuple<int, int, int, const char*> cases[] = {
        // held, selected, after, shown in the caption
        {0, 3, 3, "  85.6  dpi  =  33.7 т/см"},
        {5, -1, 5, "  77.4  dpi  =  30.5 т/см"}, // nothing selected
        {2, 9, 2, "  90.3  dpi  =  35.6 т/см"},  // the empty item is no resolution
        {8, 0, 0, "101.6  dpi  =  40.0 т/см"},
    };
    for (auto [held, selected, after, shown] : cases) {
        qint32 index = held;
        QString caption = "ZEB-5.5 ";
        ConfirmPortraitProperties(index, selected, "C:\\pictures\\cat.bmp", caption);
        EXPECT_EQ(index, after);
        EXPECT_EQ(caption,
                  QString("ZEB-5.5 ") + QString::fromUtf8(shown) + "    (C:\\pictures\\cat.bmp)");
    }
}

TEST(FieldOverhangTest, EachSideInDotsAndInTenthsOfACentimetreRoundedUp) {
    using Sides = std::array<int, 4>; // left, top, right, bottom
    const struct {
        QSize picture;
        QPoint offset;
        QSize field;
        int resolution;
        Sides dots;
        Sides tenths;
    } cases[] = {
        {{100, 50}, {0, 0}, {100, 50}, 0, {}, {}}, // fits exactly
        {{100, 50}, {-1, 0}, {101, 50}, 0, {1, 0, 0, 0}, {1, 0, 0, 0}},
        {{100, 50}, {0, -1}, {100, 51}, 0, {0, 1, 0, 0}, {0, 1, 0, 0}},
        {{100, 50}, {1, 0}, {101, 50}, 0, {0, 0, 0, 0}, {}}, // one dot short of the edge
        {{100, 50}, {1, 0}, {100, 50}, 0, {0, 0, 1, 0}, {0, 0, 1, 0}},
        {{100, 50}, {0, 1}, {100, 50}, 0, {0, 0, 0, 1}, {0, 0, 0, 1}},
        // The 4000 x 3000 photo centred at 40 dots per cm: 25.75 cm and 8.25 cm go up.
        {{4000, 3000}, {-1030, -330}, {1940, 2340}, 0, {1030, 330, 1030, 330}, {258, 83, 258, 83}},
        // 26.7 dots per cm: 40 dots are 1.5 cm exactly, 41 a little more.
        {{40, 41}, {-40, -41}, {100, 100}, 8, {40, 41, 0, 0}, {15, 16, 0, 0}},
        {{10, 10}, {-5, -7}, {3, 3}, 0, {5, 7, 2, 0}, {2, 2, 1, 0}},
        // Sums that would wrap an int are held at its limit.
        {{10, 10}, {2147483647, 0}, {3, 10}, 0, {0, 0, 2147483647, 0}, {0, 0, 536870912, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.offset.x() << "," << c.offset.y());
        const FieldOverhang o = Overhang(c.picture, c.offset, c.field, c.resolution);
        EXPECT_EQ(o.dots, c.dots);
        EXPECT_EQ(o.tenthsOfCm, c.tenths);
        EXPECT_EQ(o.Fits(), c.dots == Sides{});
    }
}

TEST(FieldOverhangTest, WhatTheDialogAndTheJobStartSayBeyondTheOtherEdgesOrInside) {
    TextCatalogue texts;
    const QSize field(1940, 2340);
    Placement leftTop;
    ChooseAlignment(leftTop, 1);
    // Right and bottom only: the head stays at positions the controller reports.
    const FieldOverhang beyond = OverhangAligned(leftTop, {4000, 3000}, field, 0, std::nullopt);
    EXPECT_EQ(OutsideFieldText(texts, beyond),
              "Изображение выходит за рабочее поле: справа на 51.5 см, снизу на 16.5 см.");
    const FieldOverhang fits = OverhangAligned(leftTop, {100, 50}, field, 0, std::nullopt);
    EXPECT_EQ(FieldFitText(texts, fits, field, 0), "Помещается на рабочем поле (48.5 x 58.5 см).");
    // An unfinished job's place wins over the alignment.
    EXPECT_EQ(OverhangAligned(leftTop, {100, 50}, field, 0, QPoint(1841, 0)).dots,
              (std::array<int, 4>{0, 0, 1, 0}));
    EXPECT_TRUE(OutsideFieldText(texts, fits).isEmpty());
}

} // namespace
} // namespace zeb
