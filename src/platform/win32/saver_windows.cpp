#include "platform/win32/saver_windows.h"

#include "platform/win32/keys.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_class.h"
#include "startup/startup_dispatch.h"

namespace cindral::platform::win32 {

namespace {

constexpr wchar_t kClassName[] = L"CindralSaverWindow";

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
    reinterpret_cast<std::vector<RECT>*>(list)->push_back(*rect);
    return TRUE;
}

}  // namespace

std::vector<RECT> MonitorRects() {
    std::vector<RECT> rects;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&rects));
    if (rects.empty()) {
        const int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
        const int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
        rects.push_back({x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                         y + GetSystemMetrics(SM_CYVIRTUALSCREEN)});
    }
    return rects;
}

SaverWindows::SaverWindows(const std::vector<RECT>& monitors) {
    // Each window's procedure is set on it after it is made.
    RegisterWindowClass(
        {kClassName, DefWindowProcW, CS_DBLCLKS, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))});
    const std::wstring caption = WideFromUtf8(startup::kSaverCaption);
    for (const RECT& r : monitors) {
        HWND window = CreateWindowExW(WS_EX_TOPMOST, kClassName, caption.c_str(), WS_POPUP, r.left,
                                      r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
        if (!window) continue;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
        windows_.push_back(window);
    }
}

SaverWindows::~SaverWindows() {
    for (HWND window : windows_) DestroyWindow(window);
}

void SaverWindows::ShowTopmost() {
    for (HWND window : windows_) {
        ShowWindow(window, SW_SHOWNORMAL);
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    // Keys reach a window only when it is active.
    if (!windows_.empty()) SetForegroundWindow(windows_.front());
}

void SaverWindows::Unload() {
    // The windows stop reporting input at once and go with the process, which
    // ends right after the saver: destroying a shown window can wait for the
    // desktop to confirm it is gone (two seconds under Wine with no window
    // manager), and the end must follow a key within moments.
    for (HWND window : windows_) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    unloaded_ = true;
}

std::uintptr_t SaverWindows::Handle() const {
    if (unloaded_ || windows_.empty()) return 0;
    return reinterpret_cast<std::uintptr_t>(windows_.front());
}

LRESULT CALLBACK SaverWindows::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<SaverWindows*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, w, l);
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (self->input_) self->input_->KeyDown(SaverKeyOf(w));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            if (self->input_) self->input_->MouseDown();
            return 0;
        case WM_CLOSE:
            if (self->input_) self->input_->EndSaver();
            return 0;
        case WM_ENDSESSION:
            if (w && self->input_) self->input_->EndSaver();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the next frame covers the whole window
        default:
            return DefWindowProcW(window, message, w, l);
    }
}

}  // namespace cindral::platform::win32
