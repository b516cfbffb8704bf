#include "platform/win32/ddraw_surface.h"

namespace cindral::platform::win32 {

DirectDrawSurface::DirectDrawSurface(IDirectDrawSurface7* surface) : surface_(surface) {
    surface_->AddRef();
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    if (SUCCEEDED(surface_->GetSurfaceDesc(&desc))) {
        width_ = static_cast<int>(desc.dwWidth);
        height_ = static_cast<int>(desc.dwHeight);
        bpp_ = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount);
    }
}

DirectDrawSurface::~DirectDrawSurface() { surface_->Release(); }

HRESULT RetryAfterRestore(const std::function<HRESULT()>& call,
                          const std::function<HRESULT()>& restore) {
    const HRESULT hr = call();
    if (hr != DDERR_SURFACELOST) return hr;
    const HRESULT restored = restore();
    return FAILED(restored) ? hr : call();
}

bool DirectDrawSurface::Lock(display::LockedPixels& out) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    const DWORD flags = DDLOCK_WAIT | DDLOCK_WRITEONLY | DDLOCK_SURFACEMEMORYPTR;
    const HRESULT hr =
        RetryAfterRestore([&] { return surface_->Lock(nullptr, &desc, flags, nullptr); },
                          [&] { return surface_->Restore(); });
    if (FAILED(hr)) return false;
    out.data = static_cast<std::uint8_t*>(desc.lpSurface);
    out.pitch = static_cast<int>(desc.lPitch);
    return true;
}

void DirectDrawSurface::Unlock() { surface_->Unlock(nullptr); }

}  // namespace cindral::platform::win32
