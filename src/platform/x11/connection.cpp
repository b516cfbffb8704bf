#include "platform/x11/connection.h"

#include <X11/Xlib.h>

#include <chrono>
#include <thread>

namespace cindral::platform::x11 {

XConnection OpenXConnection(int attempts, int spanMs) {
    XConnection c;
    const char* name = XDisplayName(nullptr);
    c.name = name ? name : "";
    if (c.name.empty()) attempts = 1;  // no display named: nothing to wait for
    const auto gap = std::chrono::milliseconds(attempts > 1 ? spanMs / (attempts - 1) : 0);
    for (int i = 0; i < attempts && !c.display; ++i) {
        if (i > 0) std::this_thread::sleep_for(gap);
        ++c.attempts;
        c.display = XOpenDisplay(nullptr);
    }
    return c;
}

}  // namespace cindral::platform::x11
