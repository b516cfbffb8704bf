#include "platform/win32/gdi_display.h"

namespace cindral::platform::win32 {

void StretchImage(HDC dc, const RECT& target, const void* pixels, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, target.left, target.top, target.right - target.left,
                  target.bottom - target.top, 0, 0, width, height, pixels, &info, DIB_RGB_COLORS,
                  SRCCOPY);
}

void GdiDisplay::PresentFrame() {
    for (HWND window : windows_) {
        RECT client{};
        if (!GetClientRect(window, &client)) continue;
        HDC dc = GetDC(window);
        if (!dc) continue;
        StretchImage(dc, client, back_.Bytes().data(), back_.Width(), back_.Height());
        ReleaseDC(window, dc);
    }
}

}  // namespace cindral::platform::win32
