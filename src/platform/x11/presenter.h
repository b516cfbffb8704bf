#pragma once
// What presents the 320 x 240 back surface over one X window, and the choice
// made once at start between the server's scaling (RENDER) and the stretch on
// this side (shared-memory or ordinary images of the window's size).

#include <memory>
#include <string>

#include "display/ports.h"

typedef struct _XDisplay Display;

namespace cindral::platform::x11 {

class X11Presenter {
  public:
    virtual ~X11Presenter() = default;
    // The window's new size; the next frame fills it.
    virtual void Resize(int width, int height) = 0;
    // The server lost the window's contents: the next frame draws all of it.
    virtual void Invalidate() = 0;
    // Makes what the window's size needs unless it is there; false when it
    // cannot be made.
    virtual bool PrepareImage() = 0;
    // Sends what changed of `px`; true when anything was sent. Shared memory
    // must not be written again before the server has read it: sync the
    // connection after presenting every window.
    virtual bool Present(const display::LockedPixels& px) = 0;
    // "xrender" (the server scales), "xshm" or "ximage" (stretched here).
    virtual std::string PathName() const = 0;
    // Whether frames are presented at the display's vertical blank.
    virtual bool Vsync() const { return false; }
    // True while the frame last presented is not on the screen yet, or no
    // buffer is free for the next one: a frame presented now would be dropped.
    virtual bool PresentPending() const { return false; }
    // An X generic event whose data the display has fetched (an XEvent*
    // holding the cookie); true when it was this presenter's.
    virtual bool HandleEvent(const void* /*cookie*/) { return false; }
};

// The server's scaling where it offers RENDER and MIT-SHM and a picture
// format for the window's visual, else the stretch on this side. `bpp` is
// BackSurfaceBitsFor the window's visual (a Visual*) and depth. `vsync`:
// present at the vertical blank (PresentsAtVerticalBlank), with the server's
// scaling only.
std::unique_ptr<X11Presenter> CreateX11Presenter(::Display* x, unsigned long window, void* visual,
                                                 int depth, int bpp, int width, int height,
                                                 bool vsync);

}  // namespace cindral::platform::x11
