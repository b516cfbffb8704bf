#include <gtest/gtest.h>

#include "fakes.h"

namespace cindral::button::test {
namespace {

PicturePtr SolidPicture(int w, int h, std::uint32_t argb = 0xFF0000FF) {
    auto p = std::make_shared<Picture>();
    p->width = w;
    p->height = h;
    p->pixels.assign(static_cast<size_t>(w) * h, argb);
    return p;
}

TEST(AccessKey, LastSingleAmpersandMarksTheKey) {
    Rig rig;
    rig.b().SetCaption("&Apply");
    EXPECT_EQ(rig.b().AccessKey(), "A");
    EXPECT_EQ(rig.window.accessKey, "A");

    rig.b().SetCaption("Salt && &Pepper &Cumin");
    EXPECT_EQ(rig.b().AccessKey(), "C");

    rig.b().SetCaption("&&&Both");  // a doubled pair, then a marker
    EXPECT_EQ(rig.b().AccessKey(), "B");
}

TEST(AccessKey, CaptionWithoutMarkerKeepsThePreviousKey) {
    Rig rig;
    rig.b().SetCaption("&Keep");
    rig.b().SetCaption("Fish && Chips");
    EXPECT_EQ(rig.b().AccessKey(), "K");
    EXPECT_EQ(rig.b().GetCaption(), "Fish && Chips");
    rig.b().SetCaption("Plain");
    EXPECT_EQ(rig.b().AccessKey(), "K");
}

TEST(AccessKey, TrailingMarkerGivesEmptyKeyAndMultibyteKeysStayWhole) {
    Rig rig;
    rig.b().SetCaption("&X");
    rig.b().SetCaption("End&");
    EXPECT_EQ(rig.b().AccessKey(), "");
    rig.b().SetCaption("設定(&設)");
    EXPECT_EQ(rig.b().AccessKey(), "設");
}

TEST(CaptionAlignRule, RefusedBesideATopOrBottomPictureAndMessagedOnlyInDesignMode) {
    for (bool design : {false, true}) {
        Rig rig({89, 33}, design);
        rig.b().SetPicture(SolidPicture(16, 16));
        rig.b().SetPictureAlign(PictureTopCenter);
        rig.host.messages.clear();
        rig.host.changed.clear();
        rig.b().SetCaptionAlign(CaptionLeft);
        EXPECT_EQ(rig.b().GetCaptionAlign(), CaptionCenter);
        EXPECT_TRUE(rig.host.changed.empty());
        ASSERT_EQ(rig.host.messages.size(), design ? 1u : 0u);
        if (design) {
            EXPECT_EQ(rig.host.messages[0].first,
                      "When button images are aligned top/bottom center, \r\n"
                      "button captions can only be center aligned");
        }
    }
}

TEST(CaptionAlignRule, AcceptedWithoutPictureOrBesideALeftPicture) {
    Rig rig;
    rig.b().SetPictureAlign(PictureBottomCenter);
    rig.b().SetCaptionAlign(CaptionRight);  // no picture: accepted
    EXPECT_EQ(rig.b().GetCaptionAlign(), CaptionRight);
    EXPECT_EQ(rig.host.changed.back(), "CapAlign");

    rig.b().SetPicture(SolidPicture(8, 8));
    rig.b().SetPictureAlign(PictureLeftOfCaption);
    rig.b().SetCaptionAlign(CaptionLeft);
    EXPECT_EQ(rig.b().GetCaptionAlign(), CaptionLeft);
}

TEST(CaptionAlignRule, TopBottomPictureAndBothDiagonalShapeForceCentre) {
    Rig rig;
    rig.b().SetCaptionAlign(CaptionLeft);
    rig.b().SetPictureAlign(PictureBottomCenter);
    EXPECT_EQ(rig.b().GetCaptionAlign(), CaptionCenter);

    rig.b().SetPictureAlign(PictureLeftEdge);
    rig.b().SetCaptionAlign(CaptionRight);
    rig.b().SetButtonShape(ShapeLeftDiagonal);
    EXPECT_EQ(rig.b().GetCaptionAlign(), CaptionRight);
    rig.b().SetButtonShape(ShapeBothDiagonal);
    EXPECT_EQ(rig.b().GetCaptionAlign(), CaptionCenter);
}

TEST(Setters, OutOfRangeValuesAreIgnoredSilently) {
    Rig rig;
    rig.b().SetButtonStyle(8);
    rig.b().SetButtonStyle(-1);
    rig.b().SetCaptionAlign(3);
    rig.b().SetCaptionStyle(3);
    rig.b().SetButtonShape(7);
    rig.b().SetPictureAlign(6);
    rig.b().SetPictureSize(5);
    rig.b().SetGradientMode(5);
    EXPECT_EQ(rig.b().GetButtonStyle(), 0);
    EXPECT_EQ(rig.b().GetCaptionAlign(), CaptionCenter);
    EXPECT_EQ(rig.b().GetCaptionStyle(), 0);
    EXPECT_EQ(rig.b().GetButtonShape(), 0);
    EXPECT_EQ(rig.b().GetPictureAlign(), 0);
    EXPECT_EQ(rig.b().GetPictureSize(), 0);
    EXPECT_EQ(rig.b().GetGradientMode(), 0);
    EXPECT_TRUE(rig.host.changed.empty());
    EXPECT_TRUE(rig.host.messages.empty());
}

TEST(HoverLocks, DistinctHoverColoursReleaseTheLocksOneByOne) {
    Rig rig;
    ASSERT_EQ(rig.b().GetHoverColorLocks(), LockBoth);
    rig.b().SetHoverForeColor(Rgb(255, 0, 0));
    EXPECT_EQ(rig.b().GetHoverColorLocks(), LockBackColor);
    rig.b().SetHoverBackColor(Rgb(0, 255, 0));
    EXPECT_EQ(rig.b().GetHoverColorLocks(), LockNone);

    // Released: normal colours no longer drag the hover colours along.
    rig.b().SetForeColor(Rgb(1, 1, 1));
    rig.b().SetBackColor(Rgb(2, 2, 2));
    EXPECT_EQ(rig.b().GetHoverForeColor(), Rgb(255, 0, 0));
    EXPECT_EQ(rig.b().GetHoverBackColor(), Rgb(0, 255, 0));
}

TEST(HoverLocks, LockedHoverColoursFollowTheNormalOnes) {
    Rig rig;
    rig.b().SetForeColor(Rgb(10, 20, 30));
    rig.b().SetBackColor(Rgb(40, 50, 60));
    EXPECT_EQ(rig.b().GetHoverForeColor(), Rgb(10, 20, 30));
    EXPECT_EQ(rig.b().GetHoverBackColor(), Rgb(40, 50, 60));
    EXPECT_EQ(rig.b().GetHoverColorLocks(), LockBoth);
    // Setting a hover colour equal to the normal one keeps the lock.
    rig.b().SetHoverForeColor(Rgb(10, 20, 30));
    EXPECT_EQ(rig.b().GetHoverColorLocks(), LockBoth);
}

TEST(HoverLocks, WithAGradientTheBackLockFollowsTheGradientColour) {
    Rig rig;
    rig.b().SetGradientMode(GradientLeftToRight);
    rig.b().SetGradientColor(Rgb(200, 0, 0));
    EXPECT_EQ(rig.b().GetHoverBackColor(), Rgb(200, 0, 0));
    // A new back colour leaves the gradient-locked hover colour and its lock alone.
    rig.b().SetBackColor(Rgb(0, 0, 90));
    EXPECT_EQ(rig.b().GetHoverBackColor(), Rgb(200, 0, 0));
    EXPECT_EQ(rig.b().GetHoverColorLocks(), LockBoth);
    rig.b().SetGradientMode(GradientNone);
    EXPECT_EQ(rig.b().GetHoverBackColor(), Rgb(0, 0, 90));
}

TEST(HoverLocks, ChoosingLocksAgainResynchronisesWithoutRepainting) {
    Rig rig;
    rig.b().SetHoverForeColor(Rgb(9, 9, 9));
    rig.b().SetHoverBackColor(Rgb(8, 8, 8));
    const int presents = rig.window.presents;
    rig.host.changed.clear();
    rig.b().SetHoverColorLocks(LockForeColor);
    EXPECT_EQ(rig.b().GetHoverForeColor(), kSysButtonText);
    EXPECT_EQ(rig.b().GetHoverBackColor(), Rgb(8, 8, 8));
    EXPECT_EQ(rig.host.changed, (std::vector<std::string>{"cFHover", "LockHover"}));
    EXPECT_EQ(rig.window.presents, presents);
}

TEST(PictureSizeCodes, StoredAsSixteenPlusEightTimesTheValue) {
    Rig rig;
    EXPECT_EQ(rig.b().GetPictureSize(), Picture16);  // code 0 reads as 16
    const int codes[] = {16, 24, 32, 40, 48};
    for (int v = 0; v <= 4; ++v) {
        rig.b().SetPictureSize(v);
        EXPECT_EQ(rig.b().GetPictureSizeCode(), codes[v]);
        EXPECT_EQ(rig.b().GetPictureSize(), v);
    }
}

TEST(DesignOnlyActions, ResetDefaultColorsAndShowFocusRect) {
    Rig run;
    run.b().SetBackColor(Rgb(1, 2, 3));
    run.b().SetResetDefaultColors(true);
    EXPECT_EQ(run.b().GetBackColor(), Rgb(1, 2, 3));
    EXPECT_FALSE(run.b().GetResetDefaultColors());

    Rig design({89, 33}, true);
    design.b().SetBackColor(Rgb(1, 2, 3));
    design.b().SetForeColor(Rgb(4, 5, 6));
    design.b().SetGradientMode(GradientTopToBottom);
    design.b().SetHoverColorLocks(LockNone);
    design.b().SetResetDefaultColors(true);
    EXPECT_EQ(design.b().GetBackColor(), kSysButtonFace);
    EXPECT_EQ(design.b().GetForeColor(), kSysButtonText);
    EXPECT_EQ(design.b().GetGradientColor(), kSysButtonFace);
    EXPECT_EQ(design.b().GetGradientMode(), GradientNone);
    EXPECT_EQ(design.b().GetHoverColorLocks(), LockBoth);
}

TEST(DesignOnlyActions, FocusRectSwitchClearsRunTimeFocusButOnlyWarnsInDesign) {
    Rig run;
    run.b().OnGotFocus();
    run.b().SetShowFocusRect(false);
    EXPECT_EQ(run.b().ButtonState() & StateFocused, 0);
    EXPECT_TRUE(run.host.messages.empty());

    Rig design({89, 33}, true);
    design.b().OnGotFocus();
    design.b().SetShowFocusRect(false);
    EXPECT_EQ(design.b().ButtonState() & StateFocused, StateFocused);
    ASSERT_EQ(design.host.messages.size(), 1u);
    EXPECT_EQ(design.host.changed.back(), "Focus");
}

TEST(MouseIcon, RefusedIconKeepsTheOldOneAndWarnsOnlyInDesign) {
    for (bool design : {false, true}) {
        Rig rig({89, 33}, design);
        auto icon = SolidPicture(32, 32);
        rig.b().SetMouseIcon(icon);
        EXPECT_EQ(rig.b().GetMousePointer(), 99);
        rig.window.refuseIcon = true;
        rig.host.messages.clear();
        rig.b().SetMouseIcon(SolidPicture(3, 3));
        EXPECT_EQ(rig.b().GetMouseIcon(), icon);
        ASSERT_EQ(rig.host.messages.size(), design ? 1u : 0u);
        if (design) {
            EXPECT_EQ(rig.host.messages[0].second, "Select .ico Or .cur Files Only");
        }
    }
}

TEST(FontStyle, BitsMapToBoldItalicUnderline) {
    Rig rig;
    rig.b().SetFontStyle(2 | 8);
    EXPECT_EQ(rig.window.font.weight, 700);
    EXPECT_FALSE(rig.window.font.italic);
    EXPECT_TRUE(rig.window.font.underline);
    EXPECT_EQ(rig.b().GetFontStyle(), 10);
}

TEST(DerivedFaces, ShadedPerStyle) {
    Rig rig;
    rig.b().SetBackColor(Rgb(100, 100, 96));
    rig.b().SetButtonStyle(7);
    EXPECT_EQ(rig.b().FaceColor(), Rgb(131, 131, 127));
    EXPECT_EQ(rig.b().FacePressedColor(), Rgb(68, 68, 64));
    rig.b().SetButtonStyle(2);
    // +48 with blue in proportion: 96 + 48*96/192 = 120; then -32: 120 - 20 = 100.
    EXPECT_EQ(rig.b().FaceColor(), Rgb(148, 148, 120));
    EXPECT_EQ(rig.b().FacePressedColor(), Rgb(116, 116, 100));
    rig.b().SetButtonStyle(3);
    EXPECT_EQ(rig.b().FaceColor(), Rgb(100, 100, 96));
    EXPECT_EQ(rig.b().FacePressedColor(), Rgb(140, 140, 140));
}

}  // namespace
}  // namespace cindral::button::test

namespace cindral::button::test {
namespace {

// The window's font of 8.25 points at 15 twips per pixel is 11 pixels high:
// -(8.25 x 20) / 15.
const FontDescription kDefaultCaptionFont{"MS Sans Serif", -11, 400, false, false, false, 0};

TEST(CaptionFont, AControlNeverGivenAFontDrawsInTheWindowsFont) {
    Rig rig;  // resized once, no font set, no property set read
    EXPECT_EQ(rig.b().CaptionFont(), kDefaultCaptionFont);
    rig.b().SetCaption("Button");
    EXPECT_EQ(rig.px().font, kDefaultCaptionFont);

    // A host that lays the control out with painting delayed, the first
    // resize included, still gets the window's font for the caption.
    FakeWindow window;
    FakeTimer timer;
    FakeHost host;
    EventLog events;
    zoButtons_H b(window, timer, host, events);
    b.DelayDrawing(true);
    b.OnResize();
    b.SetCaption("Button");
    b.DelayDrawing(false);
    EXPECT_EQ(window.Pixels().font, kDefaultCaptionFont);
    ASSERT_FALSE(window.Pixels().texts.empty());
    EXPECT_EQ(window.Pixels().texts.back().text, "Button");
}

}  // namespace
}  // namespace cindral::button::test
