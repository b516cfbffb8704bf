#include "platform/x11/vertical_blank.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xpresent.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

namespace cindral::platform::x11 {

double ModeRefreshHz(unsigned long dotClock, unsigned hTotal, unsigned vTotal) {
    if (dotClock == 0 || hTotal == 0 || vTotal == 0) return 0;
    return static_cast<double>(dotClock) / (static_cast<double>(hTotal) * vTotal);
}

double CrtcRefreshHz(::Display* x) {
    int event = 0, error = 0, major = 0, minor = 0;
    if (!x || !XRRQueryExtension(x, &event, &error) || !XRRQueryVersion(x, &major, &minor) ||
        major * 100 + minor < 102) {
        return 0;
    }
    XRRScreenResources* res = XRRGetScreenResourcesCurrent(x, DefaultRootWindow(x));
    if (!res) return 0;
    double best = 0;
    for (int c = 0; c < res->ncrtc; ++c) {
        XRRCrtcInfo* crtc = XRRGetCrtcInfo(x, res, res->crtcs[c]);
        if (!crtc) continue;
        for (int m = 0; crtc->mode != None && m < res->nmode; ++m) {
            const XRRModeInfo& mode = res->modes[m];
            if (mode.id == crtc->mode) {
                best = std::max(best, ModeRefreshHz(mode.dotClock, mode.hTotal, mode.vTotal));
            }
        }
        XRRFreeCrtcInfo(crtc);
    }
    XRRFreeScreenResources(res);
    return best;
}

bool PresentsAtVerticalBlank(::Display* x) {
    int opcode = 0, event = 0, error = 0;
    return x && XPresentQueryExtension(x, &opcode, &event, &error) && CrtcRefreshHz(x) > 0;
}

}  // namespace cindral::platform::x11
