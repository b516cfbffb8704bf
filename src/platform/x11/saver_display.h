#pragma once
// The saver's windows and display on Xlib: one borderless window captioned
// "Cindral_Main" per monitor, asked to be full screen and above the others,
// and the 320 x 240 back surface in the desktop's pixel format (5-6-5 on a
// 16-bit desktop, else 32 bits) stretched over every window per frame
// (X11WindowPresenter). The display mode is never changed. Everything goes
// through the program's own X connection.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "display/memory_surface.h"
#include "display/ports.h"
#include "platform/x11/event_pump.h"
#include "platform/x11/presenter.h"
#include "saver/ports.h"

// Xlib stays out of this header: its macros (None, Status ...) clash with the
// core's names.
typedef struct _XDisplay Display;

namespace cindral::platform::x11 {

class X11SaverDisplay final : public display::Display,
                              public saver::SaverHost,
                              public X11EventSource {
  public:
    // `x` is the program's X connection; it stays open after the display.
    explicit X11SaverDisplay(::Display* x);
    ~X11SaverDisplay() override;
    X11SaverDisplay(const X11SaverDisplay&) = delete;
    X11SaverDisplay& operator=(const X11SaverDisplay&) = delete;

    // Opens the windows, unmapped and black.
    bool InitDisplay() override;
    int DisplayBitsPerPixel() const override { return bpp_; }
    display::Surface& BackSurface() override { return *back_; }
    void PresentFrame() override;
    // Some window's last frame waits for the vertical blank.
    bool PresentPending() const override;

    // Maps and raises the windows and asks a window manager to activate the
    // first one.
    void ShowTopmost() override;
    void Unload() override;
    std::uintptr_t Handle() const override;

    // Hides or shows the pointer over the saver's windows, now and on the
    // windows opened later.
    void ShowCursor(bool visible);

    int ConnectionFd() const override;
    // Keys, clicks and closed windows go to `input`; exposures and new sizes
    // to the windows' presenters.
    bool ServeEvents(saver::SaverInput& input) override;

    std::size_t WindowCount() const { return outputs_.size(); }
    std::vector<unsigned long> Windows() const;
    // "xrender" (the server scales), "xshm" (shared-memory images) or
    // "ximage" (images over the connection).
    const std::string& RendererName() const { return rendererName_; }
    // Whether frames are presented at the display's vertical blank.
    bool Vsync() const { return vsync_; }
    // Why InitDisplay opened no window; empty after a successful one.
    const std::string& Failure() const { return failure_; }

  private:
    struct Output {
        unsigned long window = 0;
        std::unique_ptr<X11Presenter> presenter;
    };
    bool OpenOutput(int x, int y, int w, int h);
    void ApplyCursor();
    X11Presenter* PresenterOf(unsigned long window);

    ::Display* x_;
    std::vector<Output> outputs_;
    std::unique_ptr<display::MemorySurface> back_;
    void* visual_ = nullptr;  // the screen's default Visual
    int depth_ = 0;
    int bpp_ = 0;
    unsigned int numLockMask_ = 0;
    unsigned long invisibleCursor_ = 0;
    bool cursorVisible_ = true;
    bool vsync_ = false;
    std::string rendererName_;
    std::string failure_;
};

}  // namespace cindral::platform::x11
