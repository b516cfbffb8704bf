#include "x_clients.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

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

FakeKeyboard::FakeKeyboard(const XServer& x) {
    ::Display* d = XOpenDisplay(x.Name().c_str());
    if (!d) return;
    int event, error, major, minor;
    if (!XTestQueryExtension(d, &event, &error, &major, &minor)) {
        XCloseDisplay(d);
        return;
    }
    display_ = d;
}

FakeKeyboard::~FakeKeyboard() {
    if (display_) XCloseDisplay(static_cast<::Display*>(display_));
}

Clock::time_point FakeKeyboard::Key(const char* keysym, bool down) {
    auto* d = static_cast<::Display*>(display_);
    // The key map is fetched (a round trip) before the clock starts.
    const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(keysym));
    XSync(d, False);
    const auto sent = Clock::now();
    // A name with no key sends nothing (code 0 would be an X error, fatal to
    // the test process); the program then never sees a key.
    if (code == 0) return sent;
    XTestFakeKeyEvent(d, code, down ? True : False, CurrentTime);
    XFlush(d);
    return sent;
}

}  // namespace cindral::e2e
