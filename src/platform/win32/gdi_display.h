#pragma once
// The saver's display when DirectDraw cannot be had (remote sessions, drivers
// without it): the back surface is a 32-bit image in memory that
// StretchDIBits stretches over each saver window.

#include <vector>

#include "display/memory_surface.h"
#include "display/ports.h"
#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

class GdiDisplay final : public display::Display {
  public:
    explicit GdiDisplay(std::vector<HWND> windows) : windows_(std::move(windows)) {}
    bool InitDisplay() override { return !windows_.empty(); }
    int DisplayBitsPerPixel() const override { return 32; }
    display::Surface& BackSurface() override { return back_; }
    void PresentFrame() override;

  private:
    std::vector<HWND> windows_;
    display::MemorySurface back_{display::kBackWidth, display::kBackHeight, 32};
};

// Stretches a 32-bit 0x00RRGGBB top-down image over `target` of `dc`.
void StretchImage(HDC dc, const RECT& target, const void* pixels, int width, int height);

}  // namespace cindral::platform::win32
