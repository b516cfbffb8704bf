#pragma once
// Layer mode, the Wayland counterpart of an X11 daemon's hack: a locker (or
// the user, with --layer) has the fire drawn on the background layer of every
// output, or of the one output the locker names, with no input; it ends on a
// termination signal or when the compositor closes the surface.

#include <optional>
#include <string>

#include "platform/wayland/saver_display.h"

namespace cindral::platform::wayland {

// The options of layer mode; `outputName` is SWAYLOCK_PLUGIN_OUTPUT_NAME
// when the locker set it.
SurfaceOptions LayerModeOptions(const std::optional<std::string>& outputName);

}  // namespace cindral::platform::wayland
