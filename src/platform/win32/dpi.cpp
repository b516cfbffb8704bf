#include "platform/win32/dpi.h"

namespace cindral::platform::win32 {

namespace {

template <typename F>
F User32(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                  : nullptr;
}

}  // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDefaultDpi;
}

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = User32<GetDpiForWindowFn>("GetDpiForWindow");
    const int dpi = getDpi && window ? static_cast<int>(getDpi(window)) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}

SIZE OuterSizeForClient(SIZE client, DWORD style, int dpi) {
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = User32<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    RECT outer{0, 0, client.cx, client.cy};
    if (!adjust || !adjust(&outer, style, FALSE, 0, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&outer, style, FALSE, 0);
    }
    return {outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace cindral::platform::win32
