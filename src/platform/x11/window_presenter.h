#pragma once
// The 320 x 240 back surface stretched over one X window by whole pixels on
// this side, where the server cannot scale: a shared-memory image of the
// window's size when the server offers one (an ordinary image sent over the
// connection otherwise), into which only the rows that changed are written
// and put.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "display/ports.h"
#include "platform/x11/frame_scaler.h"
#include "platform/x11/presenter.h"

// Xlib stays out of this header: its macros (None, Status ...) clash with the
// core's names.
typedef struct _XDisplay Display;
struct _XGC;

namespace cindral::platform::x11 {

// Bits per pixel of the back surface for a window of this visual (a Visual*)
// and depth: 16 for 5-6-5 and 32 for 0x00RRGGBB, copied as they are, and 32
// for a 5-5-5 or 10-10-10 window, converted when presented; 0 when the fire
// cannot be shown in it.
int BackSurfaceBitsFor(const void* visual, int depth);

class X11WindowPresenter final : public X11Presenter {
  public:
    // `bpp` is BackSurfaceBitsFor the window's visual and depth.
    X11WindowPresenter(::Display* x, unsigned long window, void* visual, int depth, int bpp,
                       int width, int height);
    ~X11WindowPresenter() override;
    X11WindowPresenter(const X11WindowPresenter&) = delete;
    X11WindowPresenter& operator=(const X11WindowPresenter&) = delete;

    // The window's new size; the next frame fills it.
    void Resize(int width, int height) override;
    // The next frame writes every row.
    void Invalidate() override { scaler_.Invalidate(); }
    // Makes the image for the window's size unless there is one; false when
    // none can be made in the window's format.
    bool PrepareImage() override;
    // Writes and puts the changed rows of `px`.
    bool Present(const display::LockedPixels& px) override;
    // "xshm" when the image lives in shared memory, else "ximage".
    std::string PathName() const override;
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
    // A 5-5-5 (16-bit) or 10-10-10 (32-bit) window's copy of the back
    // surface, converted from 0x00RRGGBB.
    enum class Packing { kNone, k555, k101010 } packing_ = Packing::kNone;
    std::vector<std::uint32_t> packed_;
};

}  // namespace cindral::platform::x11
