// Asks a top-level X11 window to close, as a window manager does when its
// close box is clicked: a WM_DELETE_WINDOW message of the WM_PROTOCOLS kind.
// The test servers run no window manager, so there is no close box to click.
//
//   cindral-close-box WINDOW_ID

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: cindral-close-box WINDOW_ID\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "cindral-close-box: cannot open the display\n");
        return 1;
    }
    const Window w = std::strtoul(argv[1], nullptr, 0);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(d, w, False, NoEventMask, &e);
    XSync(d, False);
    XCloseDisplay(d);
    return sent ? 0 : 1;
}
