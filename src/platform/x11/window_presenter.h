#pragma once
// The 320 x 240 back surface stretched over one X window by whole pixels:
// a shared-memory image of the window's size when the server offers one
// (an ordinary image sent over the connection otherwise), into which only
// the rows that changed are written and put.

#include <cstdint>
#include <memory>
#include <vector>

#include "display/ports.h"
#include "platform/x11/frame_scaler.h"

// Xlib stays out of this header: its macros (None, Status ...) clash with the
// core's names.
typedef struct _XDisplay Display;
struct _XGC;

namespace cindral::platform::x11 {

// Bits per pixel of the back surface for a window of this visual (a Visual*)
// and depth: 16 for 5-6-5 and 32 for 0x00RRGGBB, copied as they are, and 32
// for a 5-5-5 window, converted when presented; 0 when the fire cannot be
// shown in it.
int BackSurfaceBitsFor(const void* visual, int depth);

class X11WindowPresenter {
  public:
    // `bpp` is BackSurfaceBitsFor the window's visual and depth.
    X11WindowPresenter(::Display* x, unsigned long window, void* visual, int depth, int bpp,
                       int width, int height);
    ~X11WindowPresenter();
    X11WindowPresenter(const X11WindowPresenter&) = delete;
    X11WindowPresenter& operator=(const X11WindowPresenter&) = delete;

    // The window's new size; the next frame fills it.
    void Resize(int width, int height);
    // The server lost the window's contents: the next frame writes every row.
    void Invalidate() { scaler_.Invalidate(); }
    // Makes the image for the window's size unless there is one; false when
    // none can be made in the window's format.
    bool PrepareImage();
    // Writes and puts the changed rows of `px`; true when any row was put.
    // Shared pixels must not be written again before the server has read
    // them: sync the connection after presenting every window.
    bool Present(const display::LockedPixels& px);
    // Whether the image lives in shared memory (false before the first frame).
    bool SharedMemory() const;
    unsigned long Window() const { return window_; }

  private:
    struct Image;
    bool MakeImage();
    void DropImage();

    ::Display* x_;
    unsigned long window_;
    void* visual_;
    int depth_, bpp_;
    int width_, height_;
    _XGC* gc_ = nullptr;
    FrameScaler scaler_;
    std::unique_ptr<Image> image_;
    // A 5-5-5 window's copy of the back surface, converted from 0x00RRGGBB.
    std::vector<std::uint16_t> packed_;
};

}  // namespace cindral::platform::x11
