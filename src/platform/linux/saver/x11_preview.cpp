#include "platform/linux/saver/x11_preview.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "startup/startup_dispatch.h"

namespace cindral::platform::linux {

namespace {

bool g_xError = false;

int NoteError(::Display*, XErrorEvent*) {
    g_xError = true;
    return 0;
}

// The host killed the connection or the server went away: end quietly.
int EndQuietly(::Display*) { std::_Exit(0); }

int Shift(unsigned long mask) {
    int s = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++s;
    }
    return s;
}

int Bits(unsigned long mask) {
    int n = 0;
    for (; mask; mask >>= 1) n += mask & 1;
    return n;
}

// Packs one 0x00RRGGBB colour into the pixel layout of a true-colour visual.
unsigned long PackPixel(const Visual* v, std::uint32_t rgb) {
    auto part = [](std::uint32_t c8, unsigned long mask) {
        int bits = Bits(mask);
        unsigned long c = bits >= 8 ? c8 << (bits - 8) : c8 >> (8 - bits);
        return (c << Shift(mask)) & mask;
    };
    return part((rgb >> 16) & 0xFF, v->red_mask) | part((rgb >> 8) & 0xFF, v->green_mask) |
           part(rgb & 0xFF, v->blue_mask);
}

XImage* MakeImage(::Display* d, Visual* visual, int depth, const saver::StillImage& still, int w,
                  int h) {
    if (w <= 0 || h <= 0) return nullptr;
    saver::StillImage scaled = saver::ScaleNearest(still, w, h);
    if (scaled.pixels.empty()) return nullptr;
    XImage* img = XCreateImage(d, visual, depth, ZPixmap, 0, nullptr, w, h, 32, 0);
    if (!img) return nullptr;
    img->data = static_cast<char*>(std::malloc(static_cast<std::size_t>(img->bytes_per_line) * h));
    if (!img->data) {
        XDestroyImage(img);
        return nullptr;
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            XPutPixel(img, x, y,
                      PackPixel(visual, scaled.pixels[static_cast<std::size_t>(y) * w + x]));
        }
    }
    return img;
}

void SetCaption(::Display* d, Window w, std::string_view caption) {
    std::string text(caption);
    XStoreName(d, w, text.c_str());
    XChangeProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False),
                    XInternAtom(d, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data()),
                    static_cast<int>(text.size()));
}

}  // namespace

int RunPreview(std::uint32_t parentWindow, const std::function<saver::StillImage()>& makeStill) {
    ::Display* d = XOpenDisplay(nullptr);
    if (!d) return 0;
    XSetErrorHandler(NoteError);
    XSetIOErrorHandler(EndQuietly);

    Window parent = parentWindow;
    XWindowAttributes pa{};
    g_xError = false;
    // A handle that names no window would leave a preview with no host that
    // never ends; end at once instead.
    if (parent == 0 || !XGetWindowAttributes(d, parent, &pa) || g_xError) {
        XCloseDisplay(d);
        return 0;
    }
    // Hear about the host's size changes and its end.
    XSelectInput(d, parent, StructureNotifyMask);

    int w = pa.width, h = pa.height;
    XSetWindowAttributes attrs{};
    attrs.background_pixel = 0;
    attrs.border_pixel = 0;
    attrs.colormap = pa.colormap;
    attrs.event_mask = ExposureMask | StructureNotifyMask;
    Window self = XCreateWindow(d, parent, 0, 0, w, h, 0, pa.depth, InputOutput, pa.visual,
                                CWBackPixel | CWBorderPixel | CWColormap | CWEventMask, &attrs);
    XSync(d, False);
    if (g_xError || !self) {
        XCloseDisplay(d);
        return 0;
    }
    SetCaption(d, self, startup::kPreviewCaption);
    GC gc = XCreateGC(d, self, 0, nullptr);
    XMapWindow(d, self);
    XFlush(d);
    const saver::StillImage still = makeStill();
    XImage* image = MakeImage(d, pa.visual, pa.depth, still, w, h);
    if (image) XPutImage(d, self, gc, image, 0, 0, 0, 0, w, h);

    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == DestroyNotify &&
            (e.xdestroywindow.window == self || e.xdestroywindow.window == parent)) {
            break;
        }
        if (e.type == ConfigureNotify && e.xconfigure.window == parent &&
            (e.xconfigure.width != w || e.xconfigure.height != h)) {
            w = e.xconfigure.width;
            h = e.xconfigure.height;
            XResizeWindow(d, self, w, h);
            if (image) XDestroyImage(image);
            image = MakeImage(d, pa.visual, pa.depth, still, w, h);
            XClearArea(d, self, 0, 0, 0, 0, True);
        }
        if (e.type == Expose && e.xexpose.window == self && image) {
            XPutImage(d, self, gc, image, e.xexpose.x, e.xexpose.y, e.xexpose.x, e.xexpose.y,
                      e.xexpose.width, e.xexpose.height);
        }
    }
    if (image) XDestroyImage(image);
    XCloseDisplay(d);
    return 0;
}

}  // namespace cindral::platform::linux
