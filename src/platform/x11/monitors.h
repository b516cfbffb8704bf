#pragma once
// The monitors the saver must cover: the Xinerama heads (which a RandR
// server reports per output too), or the whole screen when there are none.

#include <vector>

typedef struct _XDisplay Display;

namespace cindral::platform::x11 {

struct MonitorRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const MonitorRect&) const = default;
};

// Heads take over when they split the `screens` more finely;
// duplicate heads (mirrored outputs) count once.
std::vector<MonitorRect> ChooseMonitors(const std::vector<MonitorRect>& screens,
                                        const std::vector<MonitorRect>& xineramaHeads);

// Xinerama heads of `display` (empty when it is null or has none).
std::vector<MonitorRect> XineramaHeads(::Display* display);

}  // namespace cindral::platform::x11
