#pragma once
// The preview: a child window of the host's preview area, sized to it and
// following its size, showing the still picture scaled to fit. It lives while
// the host does.

#include <functional>

#include "platform/win32/win32.h"
#include "saver/still.h"

namespace cindral::platform::win32 {

// Runs until the preview window is destroyed (with its host). A parent that
// names no window ends at once with false.
bool RunPreview(HWND parent, const std::function<saver::StillImage()>& makeStill);

}  // namespace cindral::platform::win32
