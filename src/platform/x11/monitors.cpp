#include "platform/x11/monitors.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xinerama.h>

#include <algorithm>

namespace cindral::platform::x11 {

std::vector<MonitorRect> ChooseMonitors(const std::vector<MonitorRect>& screens,
                                        const std::vector<MonitorRect>& xineramaHeads) {
    std::vector<MonitorRect> heads;
    for (const auto& h : xineramaHeads) {
        if (h.w > 0 && h.h > 0 && std::find(heads.begin(), heads.end(), h) == heads.end()) {
            heads.push_back(h);
        }
    }
    if (heads.size() > screens.size()) return heads;
    return screens;
}

std::vector<MonitorRect> XineramaHeads(::Display* d) {
    std::vector<MonitorRect> out;
    if (!d) return out;
    int event = 0, error = 0;
    if (XineramaQueryExtension(d, &event, &error) && XineramaIsActive(d)) {
        int n = 0;
        if (XineramaScreenInfo* info = XineramaQueryScreens(d, &n)) {
            for (int i = 0; i < n; ++i) {
                out.push_back({info[i].x_org, info[i].y_org, info[i].width, info[i].height});
            }
            XFree(info);
        }
    }
    return out;
}

}  // namespace cindral::platform::x11
