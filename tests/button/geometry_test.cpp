#include <gtest/gtest.h>

#include "fakes.h"

namespace cindral::button::test {
namespace {

PicturePtr Square(int n) {
    auto p = std::make_shared<Picture>();
    p->width = p->height = n;
    p->pixels.assign(static_cast<size_t>(n) * n, 0xFF00FF00);
    return p;
}

TEST(Region, RectangleCornersAreCutPerStyle) {
    Rig rig;  // 89 x 33
    const Region& r = rig.b().WindowRegion();
    EXPECT_TRUE(r.Contains(0, 0));
    EXPECT_TRUE(r.Contains(88, 32));

    rig.b().SetButtonStyle(2);  // triangles: legs of 2 at the top, 3 at the bottom
    for (Point p : {Point{0, 0}, Point{1, 0}, Point{0, 1}, Point{88, 0}, Point{87, 0}, Point{88, 1},
                    Point{0, 32}, Point{2, 32}, Point{0, 30}, Point{1, 31}, Point{88, 32},
                    Point{86, 32}, Point{88, 30}})
        EXPECT_FALSE(rig.window.region.Contains(p.x, p.y)) << p.x << "," << p.y;
    for (Point p : {Point{2, 0}, Point{1, 1}, Point{0, 2}, Point{3, 32}, Point{2, 31}, Point{0, 29},
                    Point{85, 32}})
        EXPECT_TRUE(rig.window.region.Contains(p.x, p.y)) << p.x << "," << p.y;

    rig.b().SetButtonStyle(1);  // single corner pixels
    EXPECT_FALSE(rig.window.region.Contains(0, 0));
    EXPECT_FALSE(rig.window.region.Contains(88, 32));
    EXPECT_TRUE(rig.window.region.Contains(1, 0));

    rig.b().SetButtonStyle(3);
    EXPECT_FALSE(rig.window.region.Contains(0, 0));
    rig.b().SetEnabled(false);  // notches only while enabled
    EXPECT_TRUE(rig.window.region.Contains(0, 0));
}

TEST(Region, DiagonalAndOvalShapes) {
    Rig rig;  // height 33: slant offset 34
    rig.b().SetButtonShape(ShapeLeftDiagonal);
    EXPECT_EQ(rig.b().LeftOffset(), 34);
    EXPECT_EQ(rig.b().RightPosition(), 89);
    EXPECT_FALSE(rig.window.region.Contains(5, 30));
    EXPECT_TRUE(rig.window.region.Contains(30, 5));
    EXPECT_TRUE(rig.window.region.Contains(88, 32));

    rig.b().SetButtonShape(ShapeRightDiagonal);
    EXPECT_EQ(rig.b().LeftOffset(), 0);
    EXPECT_EQ(rig.b().RightPosition(), 55);
    EXPECT_FALSE(rig.window.region.Contains(80, 2));
    EXPECT_TRUE(rig.window.region.Contains(57, 30));
    EXPECT_TRUE(rig.window.region.Contains(0, 32));

    rig.b().SetButtonShape(ShapeOval);
    EXPECT_FALSE(rig.window.region.Contains(0, 0));
    EXPECT_TRUE(rig.window.region.Contains(44, 16));
    EXPECT_TRUE(rig.window.region.Contains(1, 16));
}

TEST(Region, NarrowDiagonalButtonWidensInFivePixelSteps) {
    Rig rig({10, 20});  // slant offset 21
    rig.b().SetButtonShape(ShapeRightDiagonal);
    // 10 -> 15 -> 20 -> 25 -> 30: the first width at least offset + 5.
    EXPECT_EQ(rig.window.widthRequests, std::vector<int>{30});
    EXPECT_EQ(rig.window.size.width, 30);
    EXPECT_EQ(rig.b().RightPosition(), 9);

    Rig near({24, 20});
    near.b().SetButtonShape(ShapeLeftDiagonal);
    EXPECT_EQ(near.window.widthRequests, std::vector<int>{29});

    Rig wide({26, 20});
    wide.b().SetButtonShape(ShapeBothDiagonal);
    EXPECT_TRUE(wide.window.widthRequests.empty());
}

TEST(Layout, CaptionIsPlacedByItsAlignment) {
    Rig rig;  // 89 x 33, text 7 px per character, 13 px a line
    rig.b().SetCaption("OK");
    EXPECT_EQ(rig.b().CaptionRect(), (Rect{37, 10, 51, 23}));
    rig.b().SetCaptionAlign(CaptionLeft);
    EXPECT_EQ(rig.b().CaptionRect(), (Rect{6, 10, 20, 23}));
    rig.b().SetCaptionAlign(CaptionRight);
    EXPECT_EQ(rig.b().CaptionRect(), (Rect{69, 10, 83, 23}));
    rig.b().SetCaptionStyle(CaptionEmbossed);  // effects need 2 more pixels
    EXPECT_EQ(rig.b().CaptionRect(), (Rect{67, 9, 83, 24}));
}

TEST(Layout, LineBreaksAndAccessMarksAreMeasuredAsDrawn) {
    Rig rig({89, 60});
    rig.b().SetCaption("&One||Three");
    // Two lines, the longest 5 characters; "&" takes no room.
    EXPECT_EQ(rig.b().CaptionRect(), (Rect{27, 17, 62, 43}));
}

TEST(Layout, PictureSlotsBesideAboveAndBelow) {
    Rig rig;
    rig.b().SetCaption("OK");
    rig.b().SetPicture(Square(5));
    EXPECT_EQ(rig.b().PictureRect(), (Rect{6, 8, 22, 24}));  // a 16-pixel slot on the left edge
    EXPECT_EQ(rig.b().CaptionRect(), (Rect{48, 10, 62, 23}));

    rig.b().SetPictureAlign(PictureLeftOfCaption);
    EXPECT_EQ(rig.b().PictureRect(), (Rect{26, 8, 42, 24}));

    rig.b().SetPictureAlign(PictureRightEdge);
    EXPECT_EQ(rig.b().PictureRect(), (Rect{67, 8, 83, 24}));
    EXPECT_EQ(rig.b().CaptionRect(), (Rect{26, 10, 40, 23}));

    rig.b().SetPictureAlign(PictureRightOfCaption);
    EXPECT_EQ(rig.b().PictureRect(), (Rect{46, 8, 62, 24}));

    Rig tall({89, 60});
    tall.b().SetCaption("OK");
    tall.b().SetPicture(Square(5));
    tall.b().SetPictureAlign(PictureTopCenter);
    EXPECT_EQ(tall.b().PictureRect(), (Rect{36, 14, 52, 30}));
    EXPECT_EQ(tall.b().CaptionRect(), (Rect{37, 32, 51, 45}));
    tall.b().SetPictureAlign(PictureBottomCenter);
    EXPECT_EQ(tall.b().CaptionRect(), (Rect{37, 14, 51, 27}));
    EXPECT_EQ(tall.b().PictureRect(), (Rect{36, 29, 52, 45}));
}

TEST(Layout, StretchedPicturesTakeNoSlotAndMarginsClamp) {
    Rig rig;
    rig.b().SetCaption("OK");
    rig.b().SetPicture(Square(5));
    rig.b().SetPictureSize(PictureStretch);
    EXPECT_EQ(rig.b().CaptionRect(), (Rect{37, 10, 51, 23}));

    Rig small({40, 20});
    small.b().SetCaption("Wider than the button");
    const Rect r = small.b().CaptionRect();
    EXPECT_EQ(r.left, 6);
    EXPECT_EQ(r.top, 6);
    EXPECT_EQ(r.right, 40);
    EXPECT_EQ(r.bottom, 14);
}

TEST(Layout, DiagonalShapesNarrowTheSpace) {
    Rig rig;  // offset 34: left inset 34 - 11 = 23
    rig.b().SetCaption("OK");
    rig.b().SetButtonShape(ShapeLeftDiagonal);
    EXPECT_EQ(rig.b().CaptionRect(), (Rect{49, 10, 63, 23}));
    rig.b().SetCaptionAlign(CaptionLeft);
    EXPECT_EQ(rig.b().CaptionRect().left, 29);
    rig.b().SetButtonShape(ShapeRightDiagonal);  // right limit 55 + 34 / 3 = 66
    rig.b().SetCaptionAlign(CaptionRight);
    EXPECT_EQ(rig.b().CaptionRect(), (Rect{46, 10, 60, 23}));
}

TEST(CaptionFont, HeightFromPointSizeAndTwips) {
    Rig rig;
    rig.b().SetFont(Font{"ＭＳ Ｐゴシック", 9.75, 400, false, true, false, 128});
    EXPECT_EQ(rig.b().CaptionFont().height, -13);
    EXPECT_EQ(rig.b().CaptionFont().face, "ＭＳ Ｐゴシック");
    EXPECT_TRUE(rig.b().CaptionFont().underline);
    rig.b().SetFont(Font{std::string(40, 'x'), 12, 700, false, false, false, 0});
    EXPECT_EQ(rig.b().CaptionFont().face.size(), 31u);
    EXPECT_EQ(rig.b().CaptionFont().height, -16);
}

}  // namespace
}  // namespace cindral::button::test

namespace cindral::button::test {
namespace {

TEST(Picture, PixelsThatDoNotMatchTheSizeCountAsNoPicture) {
    auto broken = std::make_shared<Picture>();
    broken->width = 64;
    broken->height = 64;
    broken->pixels.assign(10, 0xFF000000);  // far fewer than 64 x 64
    Rig rig;
    rig.b().SetCaption("OK");
    rig.b().SetPicture(broken);
    EXPECT_EQ(rig.b().PictureRect(), Rect{});
    EXPECT_EQ(rig.b().CaptionRect(), (Rect{37, 10, 51, 23}));  // laid out as without one
    rig.b().SetEnabled(false);  // the embossed path reads no pixels either
    EXPECT_EQ(rig.px().At(10, 16), Rgb(212, 208, 200));
}

}  // namespace
}  // namespace cindral::button::test

namespace cindral::button::test {
namespace {

TEST(Region, AWideningDiagonalButtonPaintsOnASurfaceOfItsNewSize) {
    Rig rig({30, 33});  // slant offset 34: 30 -> 35 -> 40
    rig.b().SetButtonShape(ShapeLeftDiagonal);
    ASSERT_EQ(rig.window.size, (Size{40, 33}));
    EXPECT_EQ(rig.px().GetSize(), (Size{40, 33}));
    // The right edge of the outer ring (black, style 0) on the last column.
    EXPECT_EQ(rig.px().At(39, 10), Rgb(0, 0, 0));
}

TEST(Region, ARectangleAfterAnOvalIsPaintedWhole) {
    Rig rig;
    rig.b().SetButtonShape(ShapeOval);
    rig.b().SetButtonShape(ShapeRectangle);
    rig.b().OnGotFocus();
    auto& px = rig.px();
    // Focused style 0: black outer ring, white middle top-left, grey middle
    // bottom-right, light grey inner top-left, all outside the old ellipse.
    EXPECT_EQ(px.At(0, 0), Rgb(0, 0, 0));
    EXPECT_EQ(px.At(1, 1), Rgb(255, 255, 255));
    EXPECT_EQ(px.At(2, 2), Rgb(233, 233, 233));
    EXPECT_EQ(px.At(88, 32), Rgb(0, 0, 0));
    EXPECT_EQ(px.At(87, 31), Rgb(0, 0, 0));
    EXPECT_EQ(px.At(86, 30), Rgb(128, 128, 128));
    // The focus rectangle's corner, 4 pixels in, is the inverted face.
    EXPECT_EQ(px.At(4, 4), Rgb(212, 208, 200) ^ 0xFFFFFF);
}

}  // namespace
}  // namespace cindral::button::test
