#include "platform/x11/instance_claim.h"

#include <X11/Xlib.h>

namespace cindral::platform::x11 {

bool X11InstanceClaim::TryClaim() {
    if (!display_ || held_) return true;  // no display: nothing to share it with
    Atom selection = XInternAtom(display_, kInstanceSelection, False);
    // The root window names the owner, so a start creates no window of its
    // own; the server disowns every selection of a client whose connection
    // closes, whatever window names it.
    Window root = DefaultRootWindow(display_);
    // The selection always goes to the last client that asks, so the test and
    // the take must be one step: no other client is served during a grab.
    XGrabServer(display_);
    bool free = XGetSelectionOwner(display_, selection) == None;
    if (free) XSetSelectionOwner(display_, selection, root, CurrentTime);
    XUngrabServer(display_);
    XSync(display_, False);
    held_ = free;
    return held_;
}

bool X11InstanceClaim::HeldElsewhere() {
    if (!display_ || held_) return false;
    return XGetSelectionOwner(display_, XInternAtom(display_, kInstanceSelection, False)) != None;
}

}  // namespace cindral::platform::x11
