// The push button painted through the GDI canvas: the same documented pixels
// as on the other platforms' canvases (bevels, focus rectangle, hover edges,
// gradients, the embossed disabled picture, the oval clip).

#include "platform/win32/gdi_canvas.h"

#include <gtest/gtest.h>

#include <memory>

#include "button/fakes.h"

namespace cindral::platform::win32 {
namespace {

using namespace cindral::button;
using button::test::EventLog;
using button::test::FakeHost;
using button::test::FakeTimer;
using button::test::FakeWindow;

constexpr std::uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000, kGrey = 0x808080;
constexpr std::uint32_t kLight = 0xE9E9E9, kFace = 0xC8C8C8;

class GdiWindow final : public FakeWindow {
  public:
    std::unique_ptr<GdiCanvas> gdi;
    Canvas& Surface() override {
        if (!gdi) gdi = std::make_unique<GdiCanvas>(size);
        return *gdi;
    }
    void DropSurface() override { gdi.reset(); }
};

// A button of the settings window's size with a plain (200, 200, 200) face.
struct GdiRig {
    GdiWindow window;
    FakeTimer timer;
    FakeHost host;
    EventLog events;
    std::unique_ptr<zoButtons_H> button;
    GdiRig() {
        button = std::make_unique<zoButtons_H>(window, timer, host, events);
        timer.button = button.get();
        window.button = button.get();
        window.clockMs = &timer.nowMs;
        button->OnShow();
        button->OnResize();
        button->SetBackColor(Rgb(200, 200, 200));
    }
    zoButtons_H& b() { return *button; }
    std::uint32_t At(int x, int y) { return window.gdi->PixelAt(x, y); }
};

TEST(GdiCanvasPainting, Style0BevelsNormalFocusedAndPressed) {
    struct Probe {
        int x, y;
        std::uint32_t rgb;
    };
    struct Case {
        const char* state;
        void (*enter)(zoButtons_H&);
        std::vector<Probe> probes;
    } cases[] = {
        {"normal",
         [](zoButtons_H&) {},
         {{0, 10, kWhite},
          {10, 0, kWhite},
          {1, 10, kLight},
          {10, 1, kLight},
          {87, 10, kGrey},
          {10, 31, kGrey},
          {88, 10, kBlack},
          {10, 32, kBlack},
          {44, 3, kFace}}},
        // A black frame, and the focus rectangle four pixels in inverting
        // every other pixel of the face (55, 55, 55).
        {"focused",
         [](zoButtons_H& b) { b.OnGotFocus(); },
         {{0, 10, kBlack},
          {87, 10, kBlack},
          {1, 10, kWhite},
          {4, 4, 0x373737},
          {5, 4, kFace},
          {6, 4, 0x373737},
          {84, 28, 0x373737},
          {3, 3, kFace}}},
        {"pressed",
         [](zoButtons_H& b) {
             b.OnMouseMove(0, 0, 5, 5);
             b.OnMouseDown(1, 0, 5, 5);
         },
         {{1, 10, kGrey}, {87, 10, kGrey}, {2, 10, kFace}, {88, 10, kBlack}}},
    };
    for (const Case& c : cases) {
        GdiRig rig;
        c.enter(rig.b());
        for (const Probe& p : c.probes) {
            EXPECT_EQ(rig.At(p.x, p.y), p.rgb) << c.state << " at " << p.x << "," << p.y;
        }
    }
}

TEST(GdiCanvasPainting, Style2HoverEdgesAndStyle5BevelOnlyOnHover) {
    GdiRig two;
    two.b().SetButtonStyle(2);
    two.b().OnMouseMove(0, 0, 5, 5);
    EXPECT_EQ(two.At(2, 10), 0xFFCB6Bu);
    EXPECT_EQ(two.At(10, 2), 0xFFDB8Cu);
    EXPECT_EQ(two.At(10, 30), 0xFFB231u);

    GdiRig five;
    five.b().SetButtonStyle(5);
    EXPECT_EQ(five.At(0, 10), kFace);
    EXPECT_EQ(five.At(88, 10), kFace);
    five.b().OnMouseMove(0, 0, 5, 5);
    EXPECT_EQ(five.At(0, 10), kWhite);
    EXPECT_EQ(five.At(88, 10), kGrey);
}

TEST(GdiCanvasPainting, GradientRightToLeftStartsWithTheGradientColour) {
    GdiRig rig;
    rig.b().SetButtonStyle(4);
    rig.b().SetBackColor(Rgb(0, 88, 0));
    rig.b().SetGradientColor(Rgb(88, 0, 176));
    rig.b().SetGradientMode(GradientRightToLeft);
    // 89 bands of one pixel: columns 1 and 87 hold entries 87 and 1.
    EXPECT_EQ(rig.At(1, 16), 0x5701AEu);   // (87, 1, 174)
    EXPECT_EQ(rig.At(87, 16), 0x015702u);  // (1, 87, 2)
}

TEST(GdiCanvasPainting, DisabledPictureIsEmbossed) {
    GdiRig rig;
    auto pic = std::make_shared<Picture>();
    pic->width = pic->height = 16;
    pic->pixels.assign(256, 0xFF0000FF);
    pic->pixels[0] = 0xFFFFFFFF;
    rig.b().SetCaption("");
    rig.b().SetPicture(pic);
    const Rect r = rig.b().PictureRect();
    EXPECT_EQ(rig.At(r.left + 5, r.top + 5), 0x0000FFu);
    EXPECT_EQ(rig.At(r.left, r.top), kFace);  // the top-left colour is left out
    rig.b().SetEnabled(false);
    EXPECT_EQ(rig.At(r.left + 5, r.top + 5), 0x9C9C9Cu);
    EXPECT_EQ(rig.At(r.left, r.top), 0xE4E4E4u);
}

TEST(GdiCanvasPainting, DisabledCaptionInTwoGreys) {
    GdiRig rig;
    rig.b().SetCaption("Disabled");
    rig.b().SetEnabled(false);
    const Rect cap = rig.b().CaptionRect();
    int grey = 0, white = 0, other = 0;
    for (int y = cap.top; y < cap.bottom + 1; ++y) {
        for (int x = cap.left; x < cap.right + 1; ++x) {
            const std::uint32_t c = rig.At(x, y);
            if (c == kGrey) {
                ++grey;
            } else if (c == kWhite) {
                ++white;
            } else if (c != kFace) {
                ++other;
            }
        }
    }
    EXPECT_GT(grey, 20);
    EXPECT_GT(white, 5);
    EXPECT_EQ(other, 0);
}

}  // namespace
}  // namespace cindral::platform::win32
