#include "x_clients.h"

#include <X11/Xlib.h>

namespace cindral::e2e {

HeldConnections::HeldConnections(const XServer& x, int max) {
    while (static_cast<int>(held_.size()) < max) {
        ::Display* d = XOpenDisplay(x.Name().c_str());
        if (!d) break;
        held_.push_back(d);
    }
}

HeldConnections::~HeldConnections() { Close(held_.size()); }

void HeldConnections::Close(std::size_t n) {
    for (; n > 0 && !held_.empty(); --n) {
        XCloseDisplay(static_cast<::Display*>(held_.back()));
        held_.pop_back();
    }
}

ServerGrab::ServerGrab(const XServer& x) {
    ::Display* d = XOpenDisplay(x.Name().c_str());
    if (!d) return;
    XGrabServer(d);
    XSync(d, False);
    display_ = d;
}

ServerGrab::~ServerGrab() {
    if (!display_) return;
    auto* d = static_cast<::Display*>(display_);
    XUngrabServer(d);
    XCloseDisplay(d);
}

}  // namespace cindral::e2e
