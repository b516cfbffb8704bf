#include "platform/wayland/layer_display.h"

namespace cindral::platform::wayland {

SurfaceOptions LayerModeOptions(const std::optional<std::string>& outputName) {
    SurfaceOptions options;
    options.layerMode = true;
    if (outputName && !outputName->empty()) options.outputName = *outputName;
    return options;
}

}  // namespace cindral::platform::wayland
