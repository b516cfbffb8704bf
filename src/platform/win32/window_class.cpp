#include "platform/win32/window_class.h"

namespace cindral::platform::win32 {

bool RegisterWindowClass(const WindowClass& c) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, c.name, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = c.style;
    wc.lpfnWndProc = c.procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hIcon = c.icon;
    wc.hbrBackground = c.background;
    wc.lpszClassName = c.name;
    return RegisterClassExW(&wc) != 0;
}

}  // namespace cindral::platform::win32
