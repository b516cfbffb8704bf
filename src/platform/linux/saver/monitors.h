#pragma once
// The monitors the saver must cover. SDL lists one display per RandR output;
// a server that has only Xinerama (two screens joined into one) shows SDL a
// single display spanning all heads, so its heads are asked for directly.

#include <vector>

namespace cindral::platform::linux {

struct MonitorRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const MonitorRect&) const = default;
};

// Heads take over when they split the displays SDL reports more finely;
// duplicate heads (mirrored outputs) count once.
std::vector<MonitorRect> ChooseMonitors(const std::vector<MonitorRect>& sdlDisplays,
                                        const std::vector<MonitorRect>& xineramaHeads);

// Xinerama heads of the default X display (empty when there is none).
std::vector<MonitorRect> XineramaHeads();

}  // namespace cindral::platform::linux
