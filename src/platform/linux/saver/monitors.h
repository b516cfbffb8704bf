#pragma once
// The monitors the saver must cover. SDL lists one display per RandR output;
// a server that has only Xinerama (two screens joined into one) shows SDL a
// single display spanning all heads, so its heads are asked for directly.

#include <vector>

typedef struct _XDisplay Display;

namespace cindral::platform::linux {

struct MonitorRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const MonitorRect&) const = default;
};

// Heads take over when they split the displays SDL reports more finely;
// duplicate heads (mirrored outputs) count once.
std::vector<MonitorRect> ChooseMonitors(const std::vector<MonitorRect>& sdlDisplays,
                                        const std::vector<MonitorRect>& xineramaHeads);

// Xinerama heads of `display` (empty when it is null or has none).
std::vector<MonitorRect> XineramaHeads(::Display* display);

}  // namespace cindral::platform::linux
