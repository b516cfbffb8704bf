#include "platform/x11/hack_display.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

#include "platform/x11/errors.h"
#include "platform/x11/vertical_blank.h"
#include "platform/x11/window_presenter.h"

namespace cindral::platform::x11 {

namespace {

std::string Hex(std::uint32_t id) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", id);
    return text;
}

}  // namespace

X11HackDisplay::X11HackDisplay()
    : back_(std::make_unique<display::MemorySurface>(display::kBackWidth, display::kBackHeight,
                                                     32)) {}

X11HackDisplay::~X11HackDisplay() {
    Unload();
    if (x_) XCloseDisplay(x_);
}

bool X11HackDisplay::Open(bool root, std::uint32_t id, std::string& error) {
    x_ = XOpenDisplay(nullptr);
    if (!x_) {
        const char* name = std::getenv("DISPLAY");
        error = std::string("cannot open the X display '") + (name ? name : "") + "'";
        return false;
    }
    RecordX11Errors();
    window_ = root ? DefaultRootWindow(x_) : static_cast<Window>(id);
    const std::string name = root ? "the root window" : "window " + Hex(id);
    XWindowAttributes attr{};
    if (!XGetWindowAttributes(x_, window_, &attr)) {
        error = name + " does not exist";
        return false;
    }
    visual_ = attr.visual;
    depth_ = attr.depth;
    bpp_ = BackSurfaceBitsFor(attr.visual, depth_);
    if (bpp_ == 0) {
        error = name + " has a pixel format the fire cannot be drawn in (depth " +
                std::to_string(depth_) + ")";
        return false;
    }
    // Size changes, exposures and destruction only: input stays with whoever
    // owns the window.
    const int errorsBefore = X11Errors().count;
    XSelectInput(x_, window_, StructureNotifyMask | ExposureMask);
    if (!XGetWindowAttributes(x_, window_, &attr) || X11Errors().count != errorsBefore) {
        error = name + " disappeared";
        return false;
    }
    width_ = attr.width;
    height_ = attr.height;
    return true;
}

bool X11HackDisplay::InitDisplay() {
    if (!x_ || bpp_ == 0) return false;
    back_ =
        std::make_unique<display::MemorySurface>(display::kBackWidth, display::kBackHeight, bpp_);
    presenter_ = CreateX11Presenter(x_, window_, visual_, depth_, bpp_, width_, height_,
                                    PresentsAtVerticalBlank(x_));
    return presenter_->PrepareImage();
}

void X11HackDisplay::PresentFrame() {
    if (!presenter_ || gone_) return;
    display::LockedPixels px;
    if (!back_->Lock(px)) return;
    const bool put = presenter_->Present(px);
    back_->Unlock();
    // The server has read the shared pixels before the next frame writes them.
    if (put) XSync(x_, False);
    NoteWindowError();
}

void X11HackDisplay::Unload() {
    if (!x_) return;
    presenter_.reset();
    XFlush(x_);
}

int X11HackDisplay::ConnectionFd() const { return x_ ? ConnectionNumber(x_) : -1; }

void X11HackDisplay::NoteWindowError() {
    if (X11WindowGone(window_)) gone_ = true;
}

bool X11HackDisplay::ServeEvents(saver::SaverInput& input) {
    bool read = false;
    while (x_ && !gone_ && XPending(x_)) {
        XEvent e;
        XNextEvent(x_, &e);
        read = true;
        switch (e.type) {
            case ConfigureNotify:
                if (e.xconfigure.window == window_) {
                    width_ = e.xconfigure.width;
                    height_ = e.xconfigure.height;
                    if (presenter_) presenter_->Resize(width_, height_);
                }
                break;
            case Expose:
                if (e.xexpose.count == 0 && presenter_) presenter_->Invalidate();
                break;
            case GenericEvent:
                // Present's completions pace a synchronised presenter.
                if (presenter_ && XGetEventData(x_, &e.xcookie)) {
                    presenter_->HandleEvent(&e);
                    XFreeEventData(x_, &e.xcookie);
                }
                break;
            case DestroyNotify:
                if (e.xdestroywindow.window == window_) gone_ = true;
                break;
            default:
                break;
        }
    }
    NoteWindowError();
    if (!x_ || gone_) {
        input.EndSaver();
        return true;
    }
    return read;
}

}  // namespace cindral::platform::x11
