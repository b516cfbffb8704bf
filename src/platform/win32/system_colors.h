#pragma once
// The button's system colours as the window system numbers them.

#include "button/types.h"

namespace cindral::platform::win32 {

// The COLOR_* index of a system colour, for GetSysColor.
int SystemColorIndex(button::SystemColor name);

}  // namespace cindral::platform::win32
