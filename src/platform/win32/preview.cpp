#include "platform/win32/preview.h"

#include <algorithm>
#include <optional>

#include "platform/win32/gdi_display.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_class.h"
#include "saver/preview_picture.h"
#include "startup/startup_dispatch.h"

namespace cindral::platform::win32 {

namespace {

constexpr wchar_t kClassName[] = L"CindralPreviewWindow";
// A host may change size without a word to its children: its area is looked
// at this often.
constexpr UINT_PTR kHostTimer = 1;
constexpr UINT kHostCheckMs = 100;

struct PreviewState {
    HWND host;
    std::optional<saver::PreviewPicture> picture;  // once the still is made
};

SIZE HostArea(HWND host) {
    RECT area{};
    GetClientRect(host, &area);
    return {area.right - area.left, area.bottom - area.top};
}

void Paint(HWND window, const PreviewState& state) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (state.picture) {
        const RECT& r = paint.rcPaint;
        const saver::StillImage part =
            state.picture->Region(r.left, r.top, r.right - r.left, r.bottom - r.top);
        if (!part.pixels.empty()) {
            const int left = std::max<int>(r.left, 0), top = std::max<int>(r.top, 0);
            StretchImage(dc, RECT{left, top, left + part.width, top + part.height},
                         part.pixels.data(), part.width, part.height);
        }
    }
    EndPaint(window, &paint);
}

void FollowHost(HWND window, PreviewState& state) {
    const SIZE area = HostArea(state.host);
    if (!state.picture || !state.picture->FollowHost(area.cx, area.cy)) return;
    SetWindowPos(window, nullptr, 0, 0, area.cx, area.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* state = reinterpret_cast<PreviewState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_PAINT:
            if (!state) break;
            Paint(window, *state);
            return 0;
        case WM_TIMER:
            if (state && w == kHostTimer) FollowHost(window, *state);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, w, l);
}

}  // namespace

bool RunPreview(HWND parent, const std::function<saver::StillImage()>& makeStill) {
    if (!IsWindow(parent)) return false;
    const SIZE area = HostArea(parent);
    RegisterWindowClass(
        {kClassName, PreviewProc, 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))});

    PreviewState state{parent, std::nullopt};
    const std::wstring caption = WideFromUtf8(startup::kPreviewCaption);
    HWND window = CreateWindowExW(0, kClassName, caption.c_str(), WS_CHILD, 0, 0, area.cx, area.cy,
                                  parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) return false;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    ShowWindow(window, SW_SHOW);
    // The host sees its child at once; the picture follows when it is made.
    state.picture.emplace(makeStill(), area.cx, area.cy);
    InvalidateRect(window, nullptr, FALSE);
    SetTimer(window, kHostTimer, kHostCheckMs, nullptr);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace cindral::platform::win32
