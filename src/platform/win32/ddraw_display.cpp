#include "platform/win32/ddraw_display.h"

namespace cindral::platform::win32 {

DirectDrawDisplay::~DirectDrawDisplay() { ReleaseAll(); }

void DirectDrawDisplay::ReleaseAll() {
    back_.reset();
    for (IDirectDrawClipper* clipper : clippers_) clipper->Release();
    clippers_.clear();
    if (primary_) primary_->Release();
    primary_ = nullptr;
    if (dd_) dd_->Release();
    dd_ = nullptr;
}

bool DirectDrawDisplay::InitDisplay() {
    if (windows_.empty()) return false;
    void* object = nullptr;
    if (FAILED(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr))) return false;
    dd_ = static_cast<IDirectDraw7*>(object);
    if (FAILED(dd_->SetCooperativeLevel(windows_.front(), DDSCL_NORMAL)))
        return ReleaseAll(), false;

    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (FAILED(dd_->CreateSurface(&desc, &primary_, nullptr))) return ReleaseAll(), false;
    for (HWND window : windows_) {
        IDirectDrawClipper* clipper = nullptr;
        if (FAILED(dd_->CreateClipper(0, &clipper, nullptr))) return ReleaseAll(), false;
        clippers_.push_back(clipper);
        if (FAILED(clipper->SetHWnd(0, window))) return ReleaseAll(), false;
    }
    if (FAILED(primary_->SetClipper(clippers_.front()))) return ReleaseAll(), false;

    // No pixel format asked for: the surface takes the desktop's.
    DDSURFACEDESC2 backDesc{};
    backDesc.dwSize = sizeof backDesc;
    backDesc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    backDesc.dwWidth = display::kBackWidth;
    backDesc.dwHeight = display::kBackHeight;
    backDesc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    IDirectDrawSurface7* back = nullptr;
    if (FAILED(dd_->CreateSurface(&backDesc, &back, nullptr))) return ReleaseAll(), false;
    back_ = std::make_unique<DirectDrawSurface>(back);
    back->Release();

    DDSURFACEDESC2 mode{};
    mode.dwSize = sizeof mode;
    if (FAILED(dd_->GetDisplayMode(&mode))) return ReleaseAll(), false;
    bpp_ = static_cast<int>(mode.ddpfPixelFormat.dwRGBBitCount);
    if ((bpp_ != 16 && bpp_ != 32) || back_->BitsPerPixel() != bpp_) {
        bpp_ = 0;
        return ReleaseAll(), false;
    }
    return true;
}

display::Surface& DirectDrawDisplay::BackSurface() {
    if (back_) return *back_;
    return unused_;
}

void DirectDrawDisplay::PresentFrame() {
    if (!primary_ || !back_) return;
    RECT source{0, 0, display::kBackWidth, display::kBackHeight};
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        RECT target{};
        if (!GetWindowRect(windows_[i], &target)) continue;
        primary_->SetClipper(clippers_[i]);
        // A display change or a switch of user takes the surfaces' memory:
        // they are restored and the frame shown all the same.
        RetryAfterRestore(
            [&] { return primary_->Blt(&target, back_->Get(), &source, DDBLT_WAIT, nullptr); },
            [&] { return dd_->RestoreAllSurfaces(); });
    }
}

}  // namespace cindral::platform::win32
