#pragma once
// The saver's display in a window that a screen-saver daemon owns (or the
// root window): the 320 x 240 back surface in the window's pixel format,
// stretched over the window's current size (X11WindowPresenter). Nothing here
// creates a window, takes input or touches the cursor; the program only
// listens for the window's resizes, exposures and destruction.

#include <cstdint>
#include <memory>
#include <string>

#include "display/memory_surface.h"
#include "display/ports.h"
#include "platform/x11/event_pump.h"
#include "platform/x11/presenter.h"
#include "saver/ports.h"

// Xlib stays out of this header: its macros (None, Status ...) clash with the
// core's names.
typedef struct _XDisplay Display;

namespace cindral::platform::x11 {

class X11HackDisplay final : public display::Display,
                             public saver::SaverHost,
                             public X11EventSource {
  public:
    X11HackDisplay();
    ~X11HackDisplay() override;
    X11HackDisplay(const X11HackDisplay&) = delete;
    X11HackDisplay& operator=(const X11HackDisplay&) = delete;

    // Connects to the X server and takes the window: `root`, or window `id`.
    // False, with the reason in `error`, when the window cannot be drawn into.
    bool Open(bool root, std::uint32_t id, std::string& error);

    bool InitDisplay() override;
    int DisplayBitsPerPixel() const override { return bpp_; }
    display::Surface& BackSurface() override { return *back_; }
    void PresentFrame() override;
    bool PresentPending() const override {
        return presenter_ && !gone_ && presenter_->PresentPending();
    }

    void ShowTopmost() override {}  // the daemon shows, stacks and hides the window
    void Unload() override;
    std::uintptr_t Handle() const override { return window_; }

    // How frames reach the window: "xrender", "xshm" or "ximage" (empty
    // before InitDisplay).
    std::string RendererName() const { return presenter_ ? presenter_->PathName() : ""; }
    bool Vsync() const { return presenter_ && presenter_->Vsync(); }

    int ConnectionFd() const override;
    // A new size and an exposure are the window's own; once the daemon has
    // destroyed the window the saver is ended.
    bool ServeEvents(saver::SaverInput& input) override;

  private:
    void NoteWindowError();

    ::Display* x_ = nullptr;
    unsigned long window_ = 0;
    void* visual_ = nullptr;  // the window's Visual
    int depth_ = 0;
    int width_ = 0, height_ = 0;
    int bpp_ = 0;
    bool gone_ = false;
    std::unique_ptr<display::MemorySurface> back_;
    std::unique_ptr<X11Presenter> presenter_;
};

}  // namespace cindral::platform::x11
