#pragma once
// A DirectDraw 7 surface as the display port's Surface: locked with
// DDLOCK_WAIT, and restored when the system took its memory away (a display
// change, a switch of user), instead of staying black.

#include <ddraw.h>

#include <functional>

#include "display/ports.h"

namespace cindral::platform::win32 {

// Runs `call` (a lock or a blit); when the system took the surfaces' memory
// (DDERR_SURFACELOST), runs `restore` and, if that worked, `call` once more.
HRESULT RetryAfterRestore(const std::function<HRESULT()>& call,
                          const std::function<HRESULT()>& restore);

class DirectDrawSurface final : public display::Surface {
  public:
    // Takes a reference on `surface`.
    explicit DirectDrawSurface(IDirectDrawSurface7* surface);
    ~DirectDrawSurface() override;
    DirectDrawSurface(const DirectDrawSurface&) = delete;
    DirectDrawSurface& operator=(const DirectDrawSurface&) = delete;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int BitsPerPixel() const override { return bpp_; }
    bool Lock(display::LockedPixels& out) override;
    void Unlock() override;

    IDirectDrawSurface7* Get() const { return surface_; }

  private:
    IDirectDrawSurface7* surface_;
    int width_ = 0, height_ = 0, bpp_ = 0;
};

}  // namespace cindral::platform::win32
