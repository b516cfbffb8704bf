#include <gtest/gtest.h>

#include "fakes.h"

namespace cindral::button::test {
namespace {

TEST(PropertySet, DefaultValuedPropertiesAreLeftOutAndReadBackUnchanged) {
    Rig rig;
    rig.b().SetForeColor(kSysButtonText);
    rig.b().SetGradientColor(kSysButtonFace);
    ASSERT_EQ(rig.b().GetCaptionAlign(), CaptionCenter);

    MemoryPropertyBag bag;
    rig.b().WriteProperties(bag);
    for (const char* key : {"CapAlign", "cFore", "cGradient", "BackStyle", "Shape", "Focus",
                            "LockHover", "Gradient", "CapStyle", "ImgAlign", "Image", "ImgSize",
                            "Enabled", "mPointer", "mIcon", "cBHover", "Font"}) {
        EXPECT_FALSE(bag.Has(key)) << key;
    }
    // The back colour has no default and is always written.
    EXPECT_TRUE(bag.Has("cBack"));

    Rig loaded;
    loaded.b().ReadProperties(bag);
    EXPECT_EQ(loaded.b().GetCaptionAlign(), CaptionCenter);
    EXPECT_EQ(loaded.b().GetForeColor(), kSysButtonText);
    EXPECT_EQ(loaded.b().GetGradientColor(), kSysButtonFace);
    EXPECT_EQ(loaded.b().GetBackColor(), kSysButtonFace);
    EXPECT_EQ(loaded.b().GetHoverBackColor(), kSysButtonFace);
}

TEST(PropertySet, EveryChangedPropertyRoundTrips) {
    Rig rig;
    auto pic = std::make_shared<Picture>();
    pic->width = pic->height = 2;
    pic->pixels = {1, 2, 3, 4};
    Font font{"Times New Roman", 9.75, 700, false, false, false, 0};
    rig.b().SetCaption("&Go||now");
    rig.b().SetButtonStyle(6);
    rig.b().SetButtonShape(ShapeOval);
    rig.b().SetFont(font);
    rig.b().SetForeColor(Rgb(1, 2, 3));
    rig.b().SetHoverForeColor(Rgb(4, 5, 6));
    rig.b().SetBackColor(Rgb(255, 255, 255));
    rig.b().SetHoverBackColor(Rgb(7, 8, 9));
    rig.b().SetShowFocusRect(false);
    rig.b().SetGradientColor(Rgb(10, 11, 12));
    rig.b().SetGradientMode(GradientBottomToTop);
    rig.b().SetCaptionStyle(CaptionEngraved);
    rig.b().SetPicture(pic);
    rig.b().SetPictureAlign(PictureRightOfCaption);
    rig.b().SetPictureSize(PictureStretch);
    rig.b().SetCaptionAlign(CaptionLeft);
    rig.b().SetEnabled(false);
    rig.b().SetMousePointer(11);

    MemoryPropertyBag bag;
    rig.b().WriteProperties(bag);
    EXPECT_EQ(AsInt(bag.Read("ImgSize", std::int64_t{0}), 0), 40);

    Rig loaded;
    loaded.b().ReadProperties(bag);
    auto& b = loaded.b();
    EXPECT_EQ(b.GetCaption(), "&Go||now");
    EXPECT_EQ(b.AccessKey(), "G");
    EXPECT_EQ(b.GetButtonStyle(), 6);
    EXPECT_EQ(b.GetButtonShape(), ShapeOval);
    EXPECT_EQ(b.GetFont(), font);
    EXPECT_EQ(b.GetForeColor(), Rgb(1, 2, 3));
    EXPECT_EQ(b.GetHoverForeColor(), Rgb(4, 5, 6));
    EXPECT_EQ(b.GetBackColor(), Rgb(255, 255, 255));
    EXPECT_EQ(b.GetHoverBackColor(), Rgb(7, 8, 9));
    EXPECT_FALSE(b.GetShowFocusRect());
    EXPECT_EQ(b.GetGradientColor(), Rgb(10, 11, 12));
    EXPECT_EQ(b.GetGradientMode(), GradientBottomToTop);
    EXPECT_EQ(b.GetCaptionStyle(), CaptionEngraved);
    ASSERT_TRUE(b.GetPicture());
    EXPECT_EQ(*b.GetPicture(), *pic);
    EXPECT_EQ(b.GetPictureAlign(), PictureRightOfCaption);
    EXPECT_EQ(b.GetPictureSize(), PictureStretch);
    EXPECT_EQ(b.GetCaptionAlign(), CaptionLeft);
    EXPECT_EQ(b.GetHoverColorLocks(), rig.b().GetHoverColorLocks());
    EXPECT_FALSE(b.GetEnabled());
    EXPECT_EQ(b.GetMousePointer(), 11);
}

TEST(PropertySet, MissingKeysTakeTheirDefaultsAndKeysIgnoreCase) {
    MemoryPropertyBag bag;
    bag.Set("cback", std::int64_t{Rgb(255, 255, 255)});
    bag.Set("backstyle", std::int64_t{2});
    bag.Set("caption", std::string("..."));
    FakeHost host;
    Rig rig;
    rig.b().ReadProperties(bag);
    EXPECT_EQ(rig.b().GetButtonStyle(), 2);
    EXPECT_EQ(rig.b().GetCaption(), "...");
    EXPECT_EQ(rig.b().GetBackColor(), Rgb(255, 255, 255));
    EXPECT_EQ(rig.b().GetHoverBackColor(), Rgb(255, 255, 255));  // the back colour just read
    EXPECT_EQ(rig.b().GetHoverForeColor(), kSysButtonText);
    EXPECT_EQ(rig.b().GetGradientColor(), kSysButtonFace);
    EXPECT_EQ(rig.b().GetPictureSizeCode(), 16);
    EXPECT_TRUE(rig.b().GetShowFocusRect());
    EXPECT_TRUE(rig.b().GetEnabled());
}

TEST(PropertySet, WithoutBackColourTheContainersOneIsUsed) {
    MemoryPropertyBag bag;
    Rig rig;
    rig.host.ambientBack = Rgb(0, 0, 30);
    rig.b().ReadProperties(bag);
    EXPECT_EQ(rig.b().GetBackColor(), Rgb(0, 0, 30));
    EXPECT_EQ(rig.b().GetHoverBackColor(), Rgb(0, 0, 30));
}

TEST(PropertySet, LoadingPaintsOnceAtTheEnd) {
    MemoryPropertyBag bag;
    bag.Set("Caption", std::string("x"));
    bag.Set("BackStyle", std::int64_t{3});
    Rig rig;
    const int before = rig.window.presents;
    rig.b().ReadProperties(bag);
    EXPECT_EQ(rig.window.presents, before + 1);
    EXPECT_FALSE(rig.b().Delayed());
}

TEST(PropertySet, AStoredSizeCodeOfNoSizeIsDrawnAsSixteen) {
    auto pic = std::make_shared<Picture>();
    pic->width = pic->height = 4;
    pic->pixels.assign(16, 0xFF00FF00);
    MemoryPropertyBag bag;
    bag.Set("Image", pic);
    bag.Set("ImgSize", std::int64_t{2000000000});
    Rig rig;
    rig.b().ReadProperties(bag);
    EXPECT_EQ(rig.b().GetPictureSizeCode(), 2000000000);  // kept as read
    EXPECT_EQ(rig.b().PictureRect().Width(), 16);
}

TEST(NewInstance, AFreshlyPlacedControlShowsItsInstanceName) {
    FakeWindow window;
    FakeTimer timer;
    FakeHost host;
    host.name = "zoButtons_H3";
    EventLog events;
    zoButtons_H b(window, timer, host, events);
    EXPECT_EQ(b.GetCaption(), NewInstanceCaption);
    b.OnResize();
    EXPECT_EQ(b.GetCaption(), "zoButtons_H3");
    // Only the placeholder is replaced.
    b.SetCaption("Mine");
    b.OnResize();
    EXPECT_EQ(b.GetCaption(), "Mine");
}

TEST(DelayDrawing, BracketsManyChangesIntoOnePaint) {
    Rig rig;
    const int before = rig.window.presents;
    rig.b().DelayDrawing(true);
    rig.b().SetCaption("a");
    rig.b().SetButtonStyle(4);
    rig.b().SetPictureAlign(2);
    EXPECT_EQ(rig.window.presents, before);
    rig.b().DelayDrawing(false);
    EXPECT_EQ(rig.window.presents, before + 1);
}

}  // namespace
}  // namespace cindral::button::test
