#include "platform/x11/saver_display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <string_view>

#include "platform/x11/errors.h"
#include "platform/x11/keys.h"
#include "platform/x11/monitors.h"
#include "platform/x11/vertical_blank.h"
#include "platform/x11/window_presenter.h"
#include "startup/startup_dispatch.h"

namespace cindral::platform::x11 {

namespace {

Atom AtomOf(::Display* d, const char* name) { return XInternAtom(d, name, False); }

// The caption as WM_NAME and as _NET_WM_NAME in UTF-8, where window managers
// and the program's own window finder look.
void SetCaption(::Display* d, Window w, std::string_view caption) {
    const std::string text(caption);
    XStoreName(d, w, text.c_str());
    XChangeProperty(d, w, AtomOf(d, "_NET_WM_NAME"), AtomOf(d, "UTF8_STRING"), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data()),
                    static_cast<int>(text.size()));
}

// No frame, full screen and above the other windows, said before the window
// is mapped, which is how a window manager expects to be told.
void AskForFullScreen(::Display* d, Window w) {
    struct {
        unsigned long flags, functions, decorations;
        long inputMode;
        unsigned long status;
    } motif{2, 0, 0, 0, 0};  // decorations given: none
    const Atom motifHints = AtomOf(d, "_MOTIF_WM_HINTS");
    XChangeProperty(d, w, motifHints, motifHints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&motif), 5);
    Atom states[2] = {AtomOf(d, "_NET_WM_STATE_FULLSCREEN"), AtomOf(d, "_NET_WM_STATE_ABOVE")};
    XChangeProperty(d, w, AtomOf(d, "_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(states), 2);
    Atom deleteWindow = AtomOf(d, "WM_DELETE_WINDOW");
    XSetWMProtocols(d, w, &deleteWindow, 1);
    // A compositor may draw a full-screen window straight to the screen.
    const long bypass = 1;
    XChangeProperty(d, w, AtomOf(d, "_NET_WM_BYPASS_COMPOSITOR"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&bypass), 1);
}

// Who the window belongs to, for a window manager's rules and its "end
// program" command.
void NameOwner(::Display* d, Window w) {
    char name[] = "cindral";
    char className[] = "Cindral";
    XClassHint hint{name, className};
    XSetClassHint(d, w, &hint);
    const long pid = getpid();
    XChangeProperty(d, w, AtomOf(d, "_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
}

}  // namespace

X11SaverDisplay::X11SaverDisplay(::Display* x)
    : x_(x),
      back_(std::make_unique<display::MemorySurface>(display::kBackWidth, display::kBackHeight,
                                                     32)) {}

X11SaverDisplay::~X11SaverDisplay() {
    Unload();
    if (x_ && invisibleCursor_) XFreeCursor(x_, invisibleCursor_);
}

bool X11SaverDisplay::InitDisplay() {
    if (!x_) {
        failure_ = "no video display: no X connection";
        return false;
    }
    // A window destroyed under the saver (or while its windows close) must
    // not end the program through Xlib's default handler.
    RecordX11Errors();
    const int screen = DefaultScreen(x_);
    visual_ = DefaultVisual(x_, screen);
    depth_ = DefaultDepth(x_, screen);
    // The fire needs its 256 colours at once, in a true-colour format; a
    // colour-mapped desktop has neither.
    if (depth_ < 15) {
        failure_ = "the desktop has " + std::to_string(depth_) +
                   " bits per pixel; the fire needs at least 15";
        return false;
    }
    bpp_ = BackSurfaceBitsFor(visual_, depth_);
    if (bpp_ == 0) {
        failure_ = "the desktop's pixel format (depth " + std::to_string(depth_) +
                   ") is not one the fire can be drawn in";
        return false;
    }
    back_ =
        std::make_unique<display::MemorySurface>(display::kBackWidth, display::kBackHeight, bpp_);
    numLockMask_ = NumLockMask(x_);
    vsync_ = PresentsAtVerticalBlank(x_);

    const MonitorRect whole{0, 0, DisplayWidth(x_, screen), DisplayHeight(x_, screen)};
    for (const auto& m : ChooseMonitors({whole}, XineramaHeads(x_))) OpenOutput(m.x, m.y, m.w, m.h);
    if (outputs_.empty()) {
        failure_ = "no window could be opened";
        return false;
    }
    rendererName_ = outputs_.front().presenter->PathName();
    vsync_ = outputs_.front().presenter->Vsync();
    XFlush(x_);
    return true;
}

bool X11SaverDisplay::OpenOutput(int x, int y, int w, int h) {
    XSetWindowAttributes attr{};
    attr.background_pixel = BlackPixel(x_, DefaultScreen(x_));  // black until the first frame
    attr.event_mask = KeyPressMask | ButtonPressMask | ExposureMask | StructureNotifyMask;
    const int errorsBefore = X11Errors().count;
    const Window window = XCreateWindow(
        x_, DefaultRootWindow(x_), x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), 0,
        depth_, InputOutput, static_cast<Visual*>(visual_), CWBackPixel | CWEventMask, &attr);
    if (!window) return false;
    // The window manager places the window where the monitor is.
    XSizeHints* size = XAllocSizeHints();
    if (size) {
        size->flags = USPosition | USSize;
        size->x = x;
        size->y = y;
        size->width = w;
        size->height = h;
        XSetWMNormalHints(x_, window, size);
        XFree(size);
    }
    SetCaption(x_, window, startup::kSaverCaption);
    AskForFullScreen(x_, window);
    NameOwner(x_, window);
    Output out;
    out.window = window;
    out.presenter = CreateX11Presenter(x_, window, visual_, depth_, bpp_, w, h, vsync_);
    if (!out.presenter->PrepareImage() || X11Errors().count != errorsBefore) {
        out.presenter.reset();
        XDestroyWindow(x_, window);
        return false;
    }
    outputs_.push_back(std::move(out));
    ApplyCursor();
    return true;
}

void X11SaverDisplay::PresentFrame() {
    if (outputs_.empty()) return;
    display::LockedPixels px;
    if (!back_->Lock(px)) return;
    bool put = false;
    for (auto& out : outputs_) put = out.presenter->Present(px) || put;
    back_->Unlock();
    // The server has read the shared pixels before the next frame writes them.
    if (put) XSync(x_, False);
}

bool X11SaverDisplay::PresentPending() const {
    for (const auto& out : outputs_) {
        if (out.presenter->PresentPending()) return true;
    }
    return false;
}

void X11SaverDisplay::ShowTopmost() {
    for (auto& out : outputs_) XMapRaised(x_, out.window);
    // Keys must reach the saver: a window manager is asked to activate the
    // first window. Without one, keys go to the window under the pointer,
    // which is always one of ours; taking the focus explicitly would leave the
    // desktop with no focus at all once the saver's windows are gone.
    if (!outputs_.empty()) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = outputs_.front().window;
        e.xclient.message_type = AtomOf(x_, "_NET_ACTIVE_WINDOW");
        e.xclient.format = 32;
        e.xclient.data.l[0] = 1;  // from an application
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(x_, DefaultRootWindow(x_), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &e);
    }
    if (x_) XFlush(x_);
}

void X11SaverDisplay::Unload() {
    if (outputs_.empty()) return;
    for (auto& out : outputs_) {
        out.presenter.reset();
        XDestroyWindow(x_, out.window);
    }
    outputs_.clear();
    // Errors of requests already made for the destroyed windows arrive now,
    // while the tolerant handler is in place.
    XSync(x_, False);
}

std::uintptr_t X11SaverDisplay::Handle() const {
    return outputs_.empty() ? 0 : static_cast<std::uintptr_t>(outputs_.front().window);
}

std::vector<unsigned long> X11SaverDisplay::Windows() const {
    std::vector<unsigned long> windows;
    for (const auto& out : outputs_) windows.push_back(out.window);
    return windows;
}

void X11SaverDisplay::ShowCursor(bool visible) {
    cursorVisible_ = visible;
    ApplyCursor();
}

void X11SaverDisplay::ApplyCursor() {
    if (!x_ || outputs_.empty()) return;
    if (!cursorVisible_ && !invisibleCursor_) {
        // A cursor whose one pixel is masked out.
        const Pixmap empty = XCreatePixmap(x_, DefaultRootWindow(x_), 1, 1, 1);
        XColor black{};
        invisibleCursor_ = XCreatePixmapCursor(x_, empty, empty, &black, &black, 0, 0);
        XFreePixmap(x_, empty);
    }
    for (const auto& out : outputs_) {
        if (cursorVisible_) {
            XUndefineCursor(x_, out.window);
        } else {
            XDefineCursor(x_, out.window, invisibleCursor_);
        }
    }
    XFlush(x_);
}

int X11SaverDisplay::ConnectionFd() const { return x_ ? ConnectionNumber(x_) : -1; }

X11Presenter* X11SaverDisplay::PresenterOf(unsigned long window) {
    for (auto& out : outputs_) {
        if (out.window == window) return out.presenter.get();
    }
    return nullptr;
}

bool X11SaverDisplay::ServeEvents(saver::SaverInput& input) {
    if (!x_) return false;
    int read = 0;
    while (XPending(x_)) {
        XEvent e;
        XNextEvent(x_, &e);
        ++read;
        switch (e.type) {
            case KeyPress: {
                const KeySym keysym = XLookupKeysym(&e.xkey, 0);
                const bool numLock = (e.xkey.state & numLockMask_) != 0;
                input.KeyDown(SaverKeyOf(keysym, numLock));
                break;
            }
            case ButtonPress:
                input.MouseDown();
                break;
            case ClientMessage:
                // The desktop closed one of the saver's windows.
                if (PresenterOf(e.xclient.window) && e.xclient.format == 32 &&
                    static_cast<Atom>(e.xclient.data.l[0]) == AtomOf(x_, "WM_DELETE_WINDOW")) {
                    input.EndSaver();
                }
                break;
            case Expose:
                if (e.xexpose.count == 0) {
                    if (auto* p = PresenterOf(e.xexpose.window)) p->Invalidate();
                }
                break;
            case ConfigureNotify:
                if (auto* p = PresenterOf(e.xconfigure.window)) {
                    p->Resize(e.xconfigure.width, e.xconfigure.height);
                }
                break;
            case GenericEvent:
                // Present's completions pace the synchronised presenters.
                if (XGetEventData(x_, &e.xcookie)) {
                    for (auto& out : outputs_) {
                        if (out.presenter->HandleEvent(&e)) break;
                    }
                    XFreeEventData(x_, &e.xcookie);
                }
                break;
            case MappingNotify:
                XRefreshKeyboardMapping(&e.xmapping);
                if (e.xmapping.request == MappingModifier) numLockMask_ = NumLockMask(x_);
                break;
            default:
                break;  // pointer movement and everything else do nothing
        }
    }
    return read > 0;
}

}  // namespace cindral::platform::x11
