#pragma once
// The saver's display: DirectDraw 7 when it can be set up, otherwise GDI, so
// that the fire shows rather than a black screen.

#include <vector>

#include "platform/win32/ddraw_display.h"
#include "platform/win32/gdi_display.h"
#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

class SaverDisplay final : public display::Display {
  public:
    // `forceGdi` skips DirectDraw (for comparing the two).
    SaverDisplay(const std::vector<HWND>& windows, bool forceGdi)
        : ddraw_(windows), gdi_(windows), forceGdi_(forceGdi) {}

    bool InitDisplay() override {
        if (!forceGdi_ && ddraw_.InitDisplay()) {
            active_ = &ddraw_;
            return true;
        }
        active_ = &gdi_;
        return gdi_.InitDisplay();
    }
    int DisplayBitsPerPixel() const override { return active_->DisplayBitsPerPixel(); }
    display::Surface& BackSurface() override { return active_->BackSurface(); }
    void PresentFrame() override { active_->PresentFrame(); }
    bool UsesDirectDraw() const { return active_ == &ddraw_; }

  private:
    DirectDrawDisplay ddraw_;
    GdiDisplay gdi_;
    bool forceGdi_;
    display::Display* active_ = &gdi_;
};

}  // namespace cindral::platform::win32
