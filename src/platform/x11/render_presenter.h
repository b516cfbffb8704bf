#pragma once
// The back surface scaled onto one X window by the X server: each frame the
// changed rows of the 320 x 240 surface go through a small shared-memory
// image into a pixmap, and RENDER composites the window rows that show them
// through a nearest-filter picture transform (per strip, see render_strips.h),
// so this side writes about 300 KB a frame at any window size and a GPU-backed
// server scales on the GPU. Any true-colour window format works: RENDER
// converts from the surface's format.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/x11/presenter.h"
#include "platform/x11/render_strips.h"

struct _XGC;

namespace cindral::platform::x11 {

class X11RenderPresenter final : public X11Presenter {
  public:
    // Null when the server lacks RENDER or MIT-SHM, has no picture format for
    // the window's visual, or refuses the shared segment.
    static std::unique_ptr<X11RenderPresenter> Create(::Display* x, unsigned long window,
                                                      void* visual, int depth, int bpp, int width,
                                                      int height);
    ~X11RenderPresenter() override;
    X11RenderPresenter(const X11RenderPresenter&) = delete;
    X11RenderPresenter& operator=(const X11RenderPresenter&) = delete;

    void Resize(int width, int height) override;
    void Invalidate() override { full_ = true; }
    bool PrepareImage() override;
    bool Present(const display::LockedPixels& px) override;
    std::string PathName() const override { return "xrender"; }

  private:
    struct Upload;
    X11RenderPresenter(::Display* x, unsigned long window, int bpp, int width, int height);
    bool Open(void* visual, int depth);
    void DropPictures();
    // Composites window rows [top, bottom) from the pixmap.
    void CompositeRows(int top, int bottom);

    ::Display* x_;
    unsigned long window_;
    int bpp_;
    int width_, height_;
    std::unique_ptr<Upload> upload_;
    unsigned long pixmap_ = 0;
    _XGC* gc_ = nullptr;
    unsigned long windowPicture_ = 0;
    const void* sourceFormat_ = nullptr;  // XRenderPictFormat of the pixmap
    // Strips for the size the pictures were made for; one source picture
    // per (row strip, column strip), row-major.
    int stripsWidth_ = -1, stripsHeight_ = -1;
    std::vector<NearestStrip> columns_, rows_;
    std::vector<unsigned long> pictures_;
    bool full_ = true;
    std::vector<std::uint8_t> previous_;  // the surface as last sent
};

}  // namespace cindral::platform::x11
