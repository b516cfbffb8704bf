#include "platform/win32/preview.h"

#include "platform/win32/gdi_display.h"
#include "platform/win32/wide_text.h"
#include "startup/startup_dispatch.h"

namespace cindral::platform::win32 {

namespace {

constexpr wchar_t kClassName[] = L"CindralPreviewWindow";

struct PreviewState {
    saver::StillImage still;  // already scaled to the window
};

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* state = reinterpret_cast<PreviewState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (state && !state->still.pixels.empty()) {
                RECT client{0, 0, state->still.width, state->still.height};
                StretchImage(dc, client, state->still.pixels.data(), state->still.width,
                             state->still.height);
            }
            EndPaint(window, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, w, l);
    }
}

}  // namespace

bool RunPreview(HWND parent, const std::function<saver::StillImage()>& makeStill) {
    if (!IsWindow(parent)) return false;
    RECT area{};
    GetWindowRect(parent, &area);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PreviewProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);

    PreviewState state;
    const std::wstring caption = WideFromUtf8(startup::kPreviewCaption);
    HWND window = CreateWindowExW(0, kClassName, caption.c_str(), WS_CHILD, 0, 0, width, height,
                                  parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) return false;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    ShowWindow(window, SW_SHOW);
    // The host sees its child at once; the picture follows when it is made.
    if (width > 0 && height > 0) state.still = saver::ScaleNearest(makeStill(), width, height);
    InvalidateRect(window, nullptr, FALSE);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace cindral::platform::win32
