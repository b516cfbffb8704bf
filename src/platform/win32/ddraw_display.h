#pragma once
// The saver's display through DirectDraw 7 at the normal cooperative level:
// one primary surface, a clipper per saver window (one window per monitor;
// exclusive full-screen use would cover one monitor only), a 320 x 240
// off-screen surface in the desktop's format, and one stretch blit per window
// per frame. Lost surfaces are restored.

#include <ddraw.h>

#include <memory>
#include <vector>

#include "display/memory_surface.h"
#include "display/ports.h"
#include "platform/win32/ddraw_surface.h"
#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

class DirectDrawDisplay final : public display::Display {
  public:
    explicit DirectDrawDisplay(std::vector<HWND> windows) : windows_(std::move(windows)) {}
    ~DirectDrawDisplay() override;

    // False when DirectDraw, a surface or a clipper cannot be made, or the
    // desktop has a depth the copy does not write (neither 16 nor 32 bits).
    bool InitDisplay() override;
    int DisplayBitsPerPixel() const override { return bpp_; }
    display::Surface& BackSurface() override;
    void PresentFrame() override;

  private:
    void ReleaseAll();
    std::vector<HWND> windows_;
    IDirectDraw7* dd_ = nullptr;
    IDirectDrawSurface7* primary_ = nullptr;
    std::vector<IDirectDrawClipper*> clippers_;
    std::unique_ptr<DirectDrawSurface> back_;
    display::MemorySurface unused_{display::kBackWidth, display::kBackHeight, 32};
    int bpp_ = 0;
};

}  // namespace cindral::platform::win32
