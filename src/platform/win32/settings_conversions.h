#pragma once
// The settings window's plain values (rectangles, sizes, colours of the
// control table) as the Win32 calls take them.

#include "platform/win32/win32.h"
#include "settings_window/layout.h"

namespace cindral::platform::win32 {

inline RECT ToRect(const settings_window::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

inline SIZE ToSize(settings_window::Size s) { return {s.width, s.height}; }

inline COLORREF ToColorRef(const settings_window::Rgb& c) { return RGB(c.r, c.g, c.b); }

// A system colour is read when drawn, so the desktop's scheme decides it.
inline COLORREF ToColorRef(const settings_window::Colour& c) {
    switch (c.system) {
        case settings_window::SystemColour::WindowText:
            return GetSysColor(COLOR_WINDOWTEXT);
        case settings_window::SystemColour::Window:
            return GetSysColor(COLOR_WINDOW);
        case settings_window::SystemColour::None:
            break;
    }
    return ToColorRef(c.rgb);
}

}  // namespace cindral::platform::win32
