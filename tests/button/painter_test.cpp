#include <gtest/gtest.h>

#include "fakes.h"

namespace cindral::button::test {
namespace {

// The fake system face colour, 212, 208, 200.
const Color kFace = Rgb(212, 208, 200);
const Color kWhite = Rgb(255, 255, 255), kBlack = 0, kGrey = Rgb(128, 128, 128);
const Color kLight = Rgb(233, 233, 233);

TEST(Style0, FocusedHasABlackFrameAndADottedRectangleFourPixelsIn) {
    Rig rig;
    rig.b().OnGotFocus();
    auto& px = rig.px();
    EXPECT_EQ(px.At(0, 10), kBlack);
    EXPECT_EQ(px.At(10, 0), kBlack);
    EXPECT_EQ(px.At(1, 10), kWhite);
    EXPECT_EQ(px.At(87, 10), kBlack);
    EXPECT_EQ(px.At(2, 10), kLight);
    EXPECT_EQ(px.At(86, 10), kGrey);
    const Color inverted = kFace ^ 0xFFFFFF;
    EXPECT_EQ(px.At(4, 4), inverted);
    EXPECT_EQ(px.At(5, 4), kFace);
    EXPECT_EQ(px.At(6, 4), inverted);
    EXPECT_EQ(px.At(84, 10), inverted);
    EXPECT_EQ(px.At(84, 28), inverted);
    EXPECT_EQ(px.At(3, 4), kFace);
    EXPECT_EQ(px.At(85, 10), kFace);
    EXPECT_EQ(px.At(10, 29), kFace);

    rig.b().SetShowFocusRect(false);  // run time: focus look dropped
    EXPECT_EQ(px.At(4, 4), kFace);
}

TEST(Caption, PressedWithTheMouseOverShiftsCaptionDownRight) {
    Rig rig;
    rig.b().SetCaption("OK");
    rig.b().OnMouseMove(0, 0, 10, 10);
    const Rect cap = rig.b().CaptionRect();
    rig.b().OnMouseDown(1, 0, 10, 10);
    EXPECT_EQ(rig.px().texts.back().rect, cap.Offset(1, 1));
    rig.b().SetButtonShape(ShapeOval);  // ovals move down only
    EXPECT_EQ(rig.px().texts.back().rect, rig.b().CaptionRect().Offset(0, 1));
    rig.b().SetButtonShape(ShapeRectangle);
    rig.b().SetButtonStyle(3);  // style 3 does not move at all
    EXPECT_EQ(rig.px().texts.back().rect, rig.b().CaptionRect());
}
TEST(Style2, FocusEdgeColoursAndShadedFace) {
    Rig focused;
    focused.b().SetButtonStyle(2);
    focused.b().OnGotFocus();
    auto& fp = focused.px();
    EXPECT_EQ(fp.At(2, 10), Rgb(181, 209, 240));
    EXPECT_EQ(fp.At(10, 2), Rgb(189, 215, 247));
    EXPECT_EQ(fp.At(10, 30), Rgb(140, 174, 231));
    EXPECT_EQ(fp.At(1, 10), Rgb(140, 174, 231));
    // No focus rectangle: the edge colours show the focus. The face, the
    // system face lightened by 48 (255, 255, 250), darkens downwards: row 4
    // by -(25/33)*4, rounded -3, blue in proportion 250 - 750/192.
    EXPECT_EQ(fp.At(4, 4), Rgb(252, 252, 247));
}

TEST(Style5, DesignModeShowsADottedOutlineInTheLightenedContainerColour) {
    Rig rig({89, 33}, true);
    rig.host.ambientBack = Rgb(0, 0, 30);
    rig.b().OnAmbientBackColorChanged();
    rig.b().SetButtonStyle(5);
    const Color dot = Rgb(172, 172, 202);
    auto& px = rig.px();
    EXPECT_EQ(px.At(0, 32), dot);
    EXPECT_NE(px.At(0, 31), dot);
    EXPECT_EQ(px.At(0, 30), dot);
}

TEST(Gradient, LargeButtonsUseTwoPixelBands) {
    Rig rig({100, 33});
    rig.window.screen = {300, 768};  // 300 / 100 < 4
    rig.b().SetButtonStyle(4);
    rig.b().SetBackColor(Rgb(0, 0, 0));
    rig.b().SetGradientColor(Rgb(49, 0, 0));
    rig.b().SetGradientMode(GradientLeftToRight);
    auto& px = rig.px();
    // 50 bands of 2 pixels, one unit apart.
    EXPECT_EQ(px.At(2, 16), Rgb(1, 0, 0));
    EXPECT_EQ(px.At(3, 16), Rgb(1, 0, 0));
    EXPECT_EQ(px.At(4, 16), Rgb(2, 0, 0));
    EXPECT_EQ(px.At(98, 16), Rgb(49, 0, 0));
}

TEST(Caption, DisabledIsDrawnInTwoGreys) {
    Rig rig;
    rig.b().SetCaption("OK");
    rig.b().SetEnabled(false);
    auto& texts = rig.px().texts;
    ASSERT_GE(texts.size(), 2u);
    const Rect cap = rig.b().CaptionRect();
    const auto& shadow = texts[texts.size() - 2];
    const auto& text = texts.back();
    EXPECT_EQ(shadow.color, kWhite);
    EXPECT_EQ(shadow.rect, cap.Offset(1, 1));
    EXPECT_EQ(text.color, kGrey);
    EXPECT_EQ(text.rect, cap);

    rig.b().SetGradientMode(GradientTopToBottom);
    EXPECT_EQ(rig.px().texts[rig.px().texts.size() - 2].color, ShadeColor(kFace, 172));
}

TEST(Caption, EngravedDrawsLighterUpLeftAndDarkerDownRight) {
    Rig rig;
    rig.b().SetCaption("OK||two");
    rig.b().SetCaptionStyle(CaptionEngraved);
    rig.b().SetForeColor(Rgb(0, 0, 255));
    auto& t = rig.px().texts;
    ASSERT_GE(t.size(), 3u);
    const Rect cap = rig.b().CaptionRect();
    const size_t n = t.size();
    EXPECT_EQ(t[n - 3].rect, cap.Offset(-1, 0));
    EXPECT_EQ(t[n - 3].color, Rgb(252, 248, 240));
    EXPECT_EQ(t[n - 2].rect, cap.Offset(1, 2));
    EXPECT_EQ(t[n - 2].color, Rgb(172, 168, 160));
    EXPECT_EQ(t[n - 1].rect, cap.Offset(0, 1));
    EXPECT_EQ(t[n - 1].color, Rgb(0, 0, 255));
    EXPECT_EQ(t[n - 1].text, "OK\r\ntwo");
    EXPECT_EQ(t[n - 1].align, TextAlign::Center);
}

TEST(Caption, HoverColourWhileTracking) {
    Rig rig;
    rig.b().SetCaption("OK");
    rig.b().SetHoverForeColor(Rgb(200, 0, 0));
    rig.b().OnMouseMove(0, 0, 5, 5);
    EXPECT_EQ(rig.px().texts.back().color, Rgb(200, 0, 0));
    rig.b().OnMouseDown(1, 0, 5, 5);
    EXPECT_EQ(rig.px().texts.back().color, kBlack);
}

TEST(Oval, GradientRingAroundTheClippedFace) {
    Rig rig;
    rig.b().SetButtonShape(ShapeOval);
    auto& px = rig.px();
    // Row 16 of 33 one-pixel bands from (255,255,255) by steps -2, -2, -3.
    EXPECT_EQ(px.At(1, 16), Rgb(223, 223, 207));
    EXPECT_EQ(px.At(44, 16), kFace);
    EXPECT_EQ(px.At(44, 0), Rgb(255, 255, 255));
}

TEST(Oval, FocusRingInTheForeColourNeverPureBlack) {
    Rig rig;
    rig.b().SetButtonShape(ShapeOval);
    rig.b().OnGotFocus();
    // Ellipse inset 3: its leftmost pixels sit on column 3 at mid height.
    EXPECT_EQ(rig.px().At(3, 16), Rgb(64, 64, 64));
}

TEST(Picture, StretchCoversTheWholeButtonWhateverTheAlignment) {
    auto pic = std::make_shared<Picture>();
    pic->width = pic->height = 2;
    pic->pixels = {0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
    Rig rig;
    rig.b().SetButtonStyle(5);  // no bevel over the picture
    rig.b().SetPicture(pic);
    rig.b().SetPictureAlign(PictureRightEdge);
    rig.b().SetPictureSize(PictureStretch);
    auto& px = rig.px();
    EXPECT_EQ(px.At(80, 2), Rgb(255, 0, 0));
    EXPECT_EQ(px.At(2, 30), Rgb(0, 255, 0));
    EXPECT_EQ(px.At(80, 30), Rgb(0, 0, 255));
    EXPECT_EQ(px.At(2, 2), kFace);
}

}  // namespace
}  // namespace cindral::button::test

namespace cindral::button::test {
namespace {

// Entry i of a gradient from (0, 0, 0) to (149, 0, 0) over 150 entries is
// (i, 0, 0): the step is 149 / 149 = 1.
TEST(Gradient, TwoPixelBandsCoverAnOddSizedFaceToItsLastPixel) {
    struct Case {
        Size size;
        int mode;
        Point first, last;  // the pixels at either end of the gradient's direction
        Color atFirst, atLast;
    };
    // 301 pixels on a 1024 x 768 screen: 1024 / 301 and 768 / 301 are below
    // 4, so bands are 2 pixels wide and there are 150 of them.
    const Case cases[] = {
        {{301, 33}, GradientLeftToRight, {0, 16}, {300, 16}, Rgb(0, 0, 0), Rgb(149, 0, 0)},
        {{301, 33}, GradientRightToLeft, {0, 16}, {300, 16}, Rgb(149, 0, 0), Rgb(0, 0, 0)},
        {{89, 301}, GradientTopToBottom, {44, 0}, {44, 300}, Rgb(0, 0, 0), Rgb(149, 0, 0)},
        {{89, 301}, GradientBottomToTop, {44, 0}, {44, 300}, Rgb(149, 0, 0), Rgb(0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Rig rig(c.size);
        rig.b().SetButtonStyle(5);  // no lines over the face at run time
        rig.b().SetBackColor(Rgb(0, 0, 0));
        rig.b().SetGradientColor(Rgb(149, 0, 0));
        rig.b().SetGradientMode(c.mode);
        auto& px = rig.px();
        EXPECT_EQ(px.At(c.first.x, c.first.y), c.atFirst);
        EXPECT_EQ(px.At(c.last.x, c.last.y), c.atLast);
        // The last band is the one before the odd pixel: the same entry.
        const Point before{c.last.x - (c.size.width == 301 ? 1 : 0),
                           c.last.y - (c.size.height == 301 ? 1 : 0)};
        EXPECT_EQ(px.At(before.x, before.y), c.atLast);
    }
}

}  // namespace
}  // namespace cindral::button::test
