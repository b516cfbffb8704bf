#pragma once
// Dots per inch of the screen a window is on. The program declares itself
// aware of each monitor's density, so the system scales nothing: the settings
// window lays itself out for the density it is told. The per-monitor calls
// are looked up at run time; a system without them has one density for all.

#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

inline constexpr int kDefaultDpi = 96;

// The density of the primary screen (the one a new window opens on).
int SystemDpi();
// The density of the monitor `window` is on.
int WindowDpi(HWND window);
// The outer size of a window of `style` whose client area is `client`, with
// the frame measured at `dpi`.
SIZE OuterSizeForClient(SIZE client, DWORD style, int dpi);

}  // namespace cindral::platform::win32
