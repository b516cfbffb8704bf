#pragma once
// The preview window: a child of the host's preview area, sized to it, that
// shows the fire still scaled to fit, by the X server (RENDER) where it can,
// else stretched here where the window is exposed. It lives while the host
// window does.

#include <cstdint>
#include <functional>
#include <string>

#include "saver/still.h"

typedef struct _XDisplay Display;

namespace cindral::platform::x11 {

// Returns 0 when the preview window or its host is gone (or the X connection
// closes). A parent that is not a window ends it at once with 1, said on
// stderr, as does a window that cannot be made in it. The picture is made
// after the window is in place, so the host sees its child at once. `display`
// is the program's open X connection; it stays open. `onFirstPicture` hears,
// once the picture was first drawn, how: "xrender" or "ximage".
int RunPreview(::Display* display, std::uint32_t parentWindow,
               const std::function<saver::StillImage()>& makeStill,
               const std::function<void(const std::string&)>& onFirstPicture = {});

}  // namespace cindral::platform::x11
