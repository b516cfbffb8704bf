#include "platform/x11/preview.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "display/color565.h"
#include "platform/x11/errors.h"
#include "platform/x11/render_presenter.h"
#include "platform/x11/window_presenter.h"
#include "saver/preview_picture.h"
#include "startup/startup_dispatch.h"

namespace cindral::platform::x11 {

namespace {

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

// Rows drawn per image: the memory a redraw takes stays at a band of the
// exposed width, however large the host is.
constexpr int kBandRows = 64;

// Draws the preview's picture into the exposed rectangle of `self`.
void DrawExposed(::Display* d, Window self, GC gc, Visual* visual, int depth,
                 const saver::PreviewPicture& picture, const XExposeEvent& ex) {
    for (int top = ex.y; top < ex.y + ex.height; top += kBandRows) {
        const int rows = std::min(kBandRows, ex.y + ex.height - top);
        const saver::StillImage band = picture.Region(ex.x, top, ex.width, rows);
        if (band.pixels.empty()) return;
        XImage* img =
            XCreateImage(d, visual, depth, ZPixmap, 0, nullptr, band.width, band.height, 32, 0);
        if (!img) return;
        img->data = static_cast<char*>(
            std::malloc(static_cast<std::size_t>(img->bytes_per_line) * band.height));
        if (!img->data) {
            XDestroyImage(img);
            return;
        }
        for (int y = 0; y < band.height; ++y) {
            for (int x = 0; x < band.width; ++x) {
                XPutPixel(
                    img, x, y,
                    PackPixel(visual, band.pixels[static_cast<std::size_t>(y) * band.width + x]));
            }
        }
        XPutImage(d, self, gc, img, 0, 0, std::max(ex.x, 0), std::max(top, 0), band.width,
                  band.height);
        XDestroyImage(img);
    }
}

// The still in the pixel format the server's scaling takes from it (5-6-5 or
// 0x00RRGGBB, as the back surface), and its locked-pixels view.
struct StillPixels {
    std::vector<std::uint8_t> bytes;
    display::LockedPixels px;
};

StillPixels InFormat(const saver::StillImage& still, int bpp) {
    StillPixels out;
    const int bytesPerPixel = bpp / 8;
    out.bytes.resize(still.pixels.size() * bytesPerPixel);
    for (std::size_t i = 0; i < still.pixels.size(); ++i) {
        if (bpp == 16) {
            const auto p = static_cast<std::uint16_t>(display::ColorTo565(still.pixels[i]));
            std::memcpy(out.bytes.data() + 2 * i, &p, 2);
        } else {
            std::memcpy(out.bytes.data() + 4 * i, &still.pixels[i], 4);
        }
    }
    out.px = {out.bytes.data(), still.width * bytesPerPixel};
    return out;
}

// The server's scaling of the still onto the preview window where it offers
// RENDER and MIT-SHM; null otherwise, and the still is then stretched here,
// band by band, only where the window is exposed.
std::unique_ptr<X11RenderPresenter> ServerScaling(::Display* d, Window self,
                                                  const XWindowAttributes& pa,
                                                  const saver::StillImage& still, int w, int h) {
    const int bpp = BackSurfaceBitsFor(pa.visual, pa.depth);
    if (bpp == 0 || still.pixels.empty()) return nullptr;
    const int errorsBefore = X11Errors().count;
    auto p = X11RenderPresenter::Create(d, self, pa.visual, pa.depth, bpp, w, h, false, still.width,
                                        still.height);
    if (!p || !p->PrepareImage() || X11Errors().count != errorsBefore) return nullptr;
    return p;
}

void SetCaption(::Display* d, Window w, std::string_view caption) {
    std::string text(caption);
    XStoreName(d, w, text.c_str());
    XChangeProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False),
                    XInternAtom(d, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data()),
                    static_cast<int>(text.size()));
}

// The preview window's life: the host's size followed, exposures drawn, to
// the end of the window or its host.
struct PreviewWindow {
    ::Display* d;
    Window self, parent;
    const XWindowAttributes& pa;
    saver::PreviewPicture picture;

    void Serve(const std::function<void(const std::string&)>& onFirstPicture) {
        const saver::StillImage& still = picture.Still();
        std::unique_ptr<X11RenderPresenter> scaling =
            ServerScaling(d, self, pa, still, picture.Width(), picture.Height());
        const StillPixels source =
            scaling ? InFormat(still, BackSurfaceBitsFor(pa.visual, pa.depth)) : StillPixels{};
        GC gc = XCreateGC(d, self, 0, nullptr);
        bool drawn = false;
        for (;;) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == DestroyNotify &&
                (e.xdestroywindow.window == self || e.xdestroywindow.window == parent)) {
                break;
            }
            if (e.type == ConfigureNotify && e.xconfigure.window == parent &&
                picture.FollowHost(e.xconfigure.width, e.xconfigure.height)) {
                XResizeWindow(d, self, picture.Width(), picture.Height());
                if (scaling) scaling->Resize(picture.Width(), picture.Height());
                XClearArea(d, self, 0, 0, 0, 0, True);
            }
            if (e.type != Expose || e.xexpose.window != self) continue;
            if (!scaling) {
                DrawExposed(d, self, gc, pa.visual, pa.depth, picture, e.xexpose);
            } else if (e.xexpose.count == 0) {
                // The server draws only what shows of the window.
                scaling->Invalidate();
                scaling->Present(source.px);
                XFlush(d);
            }
            if (!drawn && e.xexpose.count == 0) {
                drawn = true;
                if (onFirstPicture) onFirstPicture(scaling ? scaling->PathName() : "ximage");
            }
        }
        XFreeGC(d, gc);
    }
};

}  // namespace

int RunPreview(::Display* d, std::uint32_t parentWindow,
               const std::function<saver::StillImage()>& makeStill,
               const std::function<void(const std::string&)>& onFirstPicture) {
    if (!d) {
        std::fprintf(stderr, "cindral: no X display: the preview cannot be shown\n");
        return 1;
    }
    RecordX11Errors();
    XSetIOErrorHandler(EndQuietly);

    Window parent = parentWindow;
    XWindowAttributes pa{};
    int errorsBefore = X11Errors().count;
    // A handle that names no window would leave a preview with no host that
    // never ends; end at once instead, and fail: there is nothing to draw in.
    if (parent == 0 || !XGetWindowAttributes(d, parent, &pa) || X11Errors().count != errorsBefore) {
        std::fprintf(stderr, "cindral: the preview host %lu is no window: nothing to show\n",
                     static_cast<unsigned long>(parent));
        return 1;
    }
    // Hear about the host's size changes and its end.
    XSelectInput(d, parent, StructureNotifyMask);

    XSetWindowAttributes attrs{};
    attrs.background_pixel = 0;
    attrs.border_pixel = 0;
    attrs.colormap = pa.colormap;
    attrs.event_mask = ExposureMask | StructureNotifyMask;
    errorsBefore = X11Errors().count;
    Window self =
        XCreateWindow(d, parent, 0, 0, pa.width, pa.height, 0, pa.depth, InputOutput, pa.visual,
                      CWBackPixel | CWBorderPixel | CWColormap | CWEventMask, &attrs);
    XSync(d, False);
    if (X11Errors().count != errorsBefore || !self) {
        std::fprintf(stderr, "cindral: the preview window cannot be made inside host %lu\n",
                     static_cast<unsigned long>(parent));
        return 1;
    }
    SetCaption(d, self, startup::kPreviewCaption);
    XMapWindow(d, self);
    XFlush(d);
    // The picture reaches the window through its exposures, only where it shows.
    PreviewWindow preview{d, self, parent, pa, {makeStill(), pa.width, pa.height}};
    preview.Serve(onFirstPicture);
    return 0;
}

}  // namespace cindral::platform::x11
