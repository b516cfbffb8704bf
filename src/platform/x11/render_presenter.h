#pragma once
// The back surface scaled onto one X window by the X server: each frame the
// changed rows of the 320 x 240 surface (or of another small source) go through a small
// shared-memory image into a pixmap, and RENDER composites the window rows that show them through a
// nearest-filter picture transform (per strip, see render_strips.h), so this side writes about 300
// KB a frame at any window size and a GPU-backed server scales on the GPU. Any true-colour window
// format works: RENDER converts from the surface's format.
//
// Synchronised to the display (where the server drives one), frames are
// scaled into one of two window-sized pixmaps and presented with Present at
// the next vertical blank; a frame is dropped while the previous one is not
// yet on the screen or no pixmap is free, so frames never queue up. The frame
// loop hears of that (PresentPending) and draws the next frame once the
// completion of the last present has come.

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
    // the window's visual, or refuses the shared segment. The source is the
    // back surface, or any other picture of that pixel format (the preview's
    // still).
    static std::unique_ptr<X11RenderPresenter> Create(::Display* x, unsigned long window,
                                                      void* visual, int depth, int bpp, int width,
                                                      int height, bool vsync,
                                                      int sourceWidth = display::kBackWidth,
                                                      int sourceHeight = display::kBackHeight);
    ~X11RenderPresenter() override;
    X11RenderPresenter(const X11RenderPresenter&) = delete;
    X11RenderPresenter& operator=(const X11RenderPresenter&) = delete;

    void Resize(int width, int height) override;
    void Invalidate() override;
    bool PrepareImage() override;
    bool Present(const display::LockedPixels& px) override;
    std::string PathName() const override { return "xrender"; }
    bool Vsync() const override { return vsync_; }
    bool PresentPending() const override;
    bool HandleEvent(const void* cookie) override;

  private:
    struct Upload;
    // Where frames are composited: the window, or a pixmap to present.
    struct Target {
        unsigned long pixmap = 0, picture = 0;
        bool idle = true;
        std::vector<std::uint32_t> shown;  // version_ of each source row it shows
    };
    X11RenderPresenter(::Display* x, unsigned long window, int bpp, int width, int height,
                       int sourceWidth, int sourceHeight);
    bool Open(void* visual, int depth, bool vsync);
    void DropPictures();
    // Copies the rows of `px` that changed into the pixmap; false when none did.
    bool UploadChanged(const display::LockedPixels& px);
    // Composites the window rows whose source rows `to` does not show yet.
    bool CompositeChanged(Target& to);
    void CompositeRows(unsigned long picture, int top, int bottom);
    bool PresentAtVerticalBlank(const display::LockedPixels& px);

    ::Display* x_;
    unsigned long window_;
    int bpp_;
    int width_, height_;
    int sourceWidth_, sourceHeight_;
    std::unique_ptr<Upload> upload_;
    unsigned long pixmap_ = 0;
    _XGC* gc_ = nullptr;
    unsigned long windowPicture_ = 0;
    const void* sourceFormat_ = nullptr;  // XRenderPictFormat of the pixmap
    const void* windowFormat_ = nullptr;  // and of the window
    // Strips for the size the pictures were made for; one source picture
    // per (row strip, column strip), row-major.
    int stripsWidth_ = -1, stripsHeight_ = -1;
    std::vector<NearestStrip> columns_, rows_;
    std::vector<unsigned long> pictures_;
    std::vector<std::uint8_t> previous_;  // the surface as last uploaded
    std::vector<std::uint32_t> version_;  // of each source row, raised when it changes
    Target windowTarget_;
    // Synchronised presentation.
    bool vsync_ = false;
    int presentOpcode_ = 0;
    std::vector<Target> buffers_;
    int windowDepth_ = 0;
    bool inFlight_ = false, exposed_ = false;
    int dropped_ = 0;
    std::uint32_t serial_ = 0;
};

}  // namespace cindral::platform::x11
