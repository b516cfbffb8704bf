// A top-level X11 window for the end-to-end tests: a stand-in preview host or
// a window that carries one of the program's captions. Prints its id in
// decimal, then lives until its standard input closes or it is killed.
//
//   cindral-test-window [--name UTF8] [--width W] [--height H] [--legacy-name 1]
//                       [--background 0xRRGGBB]
//
// With --legacy-name the caption is only in WM_NAME, as compound text, the
// way older toolkits set it.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    std::string name = "host";
    int w = 200, h = 150;
    bool legacy = false;
    long background = -1;  // white
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--name")) name = argv[i + 1];
        if (!std::strcmp(argv[i], "--width")) w = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--height")) h = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--legacy-name")) legacy = std::atoi(argv[i + 1]) != 0;
        if (!std::strcmp(argv[i], "--background"))
            background = std::strtol(argv[i + 1], nullptr, 16);
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    // A colour of the default true-colour visual is its RGB value.
    unsigned long pixel = background < 0 ? WhitePixel(d, DefaultScreen(d)) : background;
    Window win = XCreateSimpleWindow(d, DefaultRootWindow(d), 10, 10, w, h, 0, 0, pixel);
    if (legacy) {
        char* list[1] = {name.data()};
        XTextProperty prop{};
        if (Xutf8TextListToTextProperty(d, list, 1, XCompoundTextStyle, &prop) != Success) return 2;
        XSetWMName(d, win, &prop);
        XFree(prop.value);
    } else {
        XChangeProperty(d, win, XInternAtom(d, "_NET_WM_NAME", False),
                        XInternAtom(d, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(name.data()),
                        static_cast<int>(name.size()));
    }
    XMapWindow(d, win);
    XSync(d, False);
    std::printf("%lu\n", static_cast<unsigned long>(win));
    std::fflush(stdout);
    pollfd fds[2] = {{0, POLLIN, 0}, {ConnectionNumber(d), POLLIN, 0}};
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
        }
        if (poll(fds, 2, -1) < 0) break;
        if (fds[0].revents) {
            char buf[64];
            if (read(0, buf, sizeof buf) <= 0) break;
        }
    }
    XCloseDisplay(d);
    return 0;
}
