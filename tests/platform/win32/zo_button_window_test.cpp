// The zoButtons_H window class: its shape becomes the window region, and the
// hover timer (id 237, 50 ms) finds its control through the window's
// "zo_ClassID" and "zo_TimerID" properties and ends the hover look once the
// cursor is elsewhere.

#include "platform/win32/zo_button_window.h"

#include <gtest/gtest.h>

namespace cindral::platform::win32 {
namespace {

using namespace cindral::button;

struct Host {
    HWND parent = CreateWindowExW(0, L"STATIC", L"button host", WS_POPUP, 0, 0, 200, 100, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ~Host() { DestroyWindow(parent); }
};

void PumpFor(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    while (static_cast<int>(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(5);
    }
}

TEST(ZoButtonWindow, TheShapeBecomesTheWindowRegion) {
    Host host;
    ASSERT_NE(host.parent, nullptr);
    ZoButtonWindow button(host.parent, RECT{10, 10, 99, 43}, Rgb(200, 200, 200));
    button.Control().SetButtonShape(ShapeOval);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(button.Handle(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, 44, 16));
    DeleteObject(region);
}

TEST(ZoButtonWindow, HoverTimerFindsItsControlThroughTheWindowProperties) {
    Host host;
    ZoButtonWindow button(host.parent, RECT{10, 10, 99, 43}, Rgb(200, 200, 200));
    SetCursorPos(1000, 700);  // far from the hidden button
    button.Control().OnMouseMove(0, 0, 5, 5);
    ASSERT_TRUE(button.Control().HoverTracking());
    EXPECT_EQ(GetPropW(button.Handle(), L"zo_ClassID"), &button.Control());
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(GetPropW(button.Handle(), L"zo_TimerID")),
              kHoverTimerId);
    // A tick or two of the 50 ms timer: the cursor is not over the button.
    PumpFor(200);
    EXPECT_FALSE(button.Control().HoverTracking());
}

TEST(ZoButtonWindow, CaptionPointsFollowTheDensityItIsGiven) {
    Host host;
    ZoButtonWindow button(host.parent, RECT{10, 10, 99, 43}, Rgb(200, 200, 200));
    Font font = button.Control().GetFont();
    font.pointSize = 9.75;
    // 9.75 points are 195 twips: 13 pixels at 96 dpi, 19.5 (to even: 20) at 144.
    for (const auto& [twips, pixels] : {std::pair{15.0, 13}, {10.0, 20}, {7.5, 26}}) {
        button.SetTwipsPerPixelY(twips);
        button.Control().SetFont(font);
        EXPECT_EQ(button.Control().CaptionFont().height, -pixels) << twips;
    }
}

}  // namespace
}  // namespace cindral::platform::win32
