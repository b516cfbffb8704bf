#include "platform/x11/window_finder.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>
#include <vector>

namespace cindral::platform::x11 {

namespace {

// Windows may vanish while the tree is walked; their errors mean "no name".
int IgnoreErrors(::Display*, XErrorEvent*) { return 0; }

std::string Utf8NetWmName(::Display* d, Window w) {
    Atom netWmName = XInternAtom(d, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(d, w, netWmName, 0, 1024, False, utf8, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        if (type == utf8 && format == 8) name.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return name;
}

std::string Utf8WmName(::Display* d, Window w) {
    XTextProperty prop{};
    std::string name;
    if (!XGetWMName(d, w, &prop) || !prop.value) return name;
    char** list = nullptr;
    int n = 0;
    if (Xutf8TextPropertyToTextList(d, &prop, &list, &n) >= Success && list) {
        if (n > 0 && list[0]) name = list[0];
        XFreeStringList(list);
    }
    XFree(prop.value);
    return name;
}

bool HasCaption(::Display* d, Window w, std::string_view caption) {
    std::string name = Utf8NetWmName(d, w);
    if (name == caption) return true;
    return Utf8WmName(d, w) == caption;
}

std::vector<Window> Children(::Display* d, Window w) {
    Window root = 0, parent = 0, *kids = nullptr;
    unsigned int n = 0;
    std::vector<Window> out;
    if (XQueryTree(d, w, &root, &parent, &kids, &n) && kids) {
        out.assign(kids, kids + n);
        XFree(kids);
    }
    return out;
}

}  // namespace

bool X11WindowFinder::WindowExists(std::string_view caption) {
    if (!display_) return false;
    XSync(display_, False);
    auto old = XSetErrorHandler(IgnoreErrors);
    bool found = false;
    for (int s = 0; s < ScreenCount(display_) && !found; ++s) {
        // Top-level windows are the root's children, or, under a reparenting
        // window manager, the children of its frames.
        for (Window top : Children(display_, RootWindow(display_, s))) {
            if (HasCaption(display_, top, caption)) {
                found = true;
                break;
            }
            for (Window inner : Children(display_, top)) {
                if (HasCaption(display_, inner, caption)) {
                    found = true;
                    break;
                }
            }
            if (found) break;
        }
    }
    XSync(display_, False);
    XSetErrorHandler(old);
    return found;
}

}  // namespace cindral::platform::x11
