#include "platform/linux/saver/sdl_saver_display.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstring>

#include "platform/linux/saver/monitors.h"
#include "startup/startup_dispatch.h"

namespace cindral::platform {

namespace {

constexpr unsigned kGlRenderer = 0x1F01;  // GL_RENDERER

// A GL renderer on a software rasteriser (a virtual X server has no GPU)
// spends more CPU scaling one texture than SDL's own software path.
bool GlIsSoftware() {
    using GetString = const unsigned char* (*)(unsigned);
    auto get = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (!get) return false;
    const char* name = reinterpret_cast<const char*>(get(kGlRenderer));
    if (!name) return false;
    return std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") ||
           std::strstr(name, "Software Rasterizer");
}

// Puts _NET_WM_STATE_FULLSCREEN and _NET_WM_STATE_ABOVE on a window that is
// not mapped yet, which is how a window manager expects to be told.
void RequestFullScreenState(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    ::Display* d = info.info.x11.display;
    Atom states[2] = {XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False),
                      XInternAtom(d, "_NET_WM_STATE_ABOVE", False)};
    XChangeProperty(d, info.info.x11.window, XInternAtom(d, "_NET_WM_STATE", False), XA_ATOM,
                    32, PropModeReplace, reinterpret_cast<unsigned char*>(states), 2);
}

}  // namespace

SdlSaverDisplay::SdlSaverDisplay()
    : back_(std::make_unique<display::MemorySurface>(kBackWidth, kBackHeight, 32)) {}

SdlSaverDisplay::~SdlSaverDisplay() { CloseOutputs(); }

bool SdlSaverDisplay::InitDisplay() {
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return false;
    bpp_ = SDL_BITSPERPIXEL(mode.format) == 16 ? 16 : 32;
    textureFormat_ = bpp_ == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
    back_ = std::make_unique<display::MemorySurface>(kBackWidth, kBackHeight, bpp_);

    SDL_SetHintWithPriority(SDL_HINT_RENDER_SCALE_QUALITY, "nearest", SDL_HINT_DEFAULT);
    std::vector<MonitorRect> sdlDisplays;
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
        SDL_Rect r{};
        if (SDL_GetDisplayBounds(i, &r) == 0) sdlDisplays.push_back({r.x, r.y, r.w, r.h});
    }
    for (const auto& m : ChooseMonitors(sdlDisplays, XineramaHeads())) {
        OpenOutput(m.x, m.y, m.w, m.h);
    }
    return !outputs_.empty();
}

bool SdlSaverDisplay::OpenOutput(int x, int y, int w, int h) {
    // Borderless windows that cover their monitor, asked to be full screen
    // before they are mapped. SDL's own full-screen switch waits for a window
    // manager's answer on every change (and 100 ms when there is none).
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_BORDERLESS;
    std::string caption(startup::kSaverCaption);
    Output out;
    out.window = SDL_CreateWindow(caption.c_str(), x, y, w, h, flags);
    if (!out.window) return false;
    RequestFullScreenState(out.window);

    bool driverChosen = SDL_GetHint(SDL_HINT_RENDER_DRIVER) != nullptr;
    if (!softwareOnly_) {
        out.renderer = SDL_CreateRenderer(out.window, -1,
                                          SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
        SDL_RendererInfo info{};
        if (out.renderer && !driverChosen && SDL_GetRendererInfo(out.renderer, &info) == 0 &&
            std::strncmp(info.name, "opengl", 6) == 0 && GlIsSoftware()) {
            SDL_DestroyRenderer(out.renderer);
            out.renderer = nullptr;
            softwareOnly_ = true;
        }
    }
    if (!out.renderer) {
        // Straight to the X server's shared-memory images, not through GL.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        out.renderer = SDL_CreateRenderer(out.window, -1, SDL_RENDERER_SOFTWARE);
    }
    if (!out.renderer) {
        SDL_DestroyWindow(out.window);
        return false;
    }
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(out.renderer, &info) == 0) {
        rendererName_ = info.name;
        vsync_ = (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    }
    out.texture = SDL_CreateTexture(out.renderer, textureFormat_, SDL_TEXTUREACCESS_STREAMING,
                                    kBackWidth, kBackHeight);
    if (!out.texture) {
        SDL_DestroyRenderer(out.renderer);
        SDL_DestroyWindow(out.window);
        return false;
    }
    // Black until the first frame arrives.
    SDL_SetRenderDrawColor(out.renderer, 0, 0, 0, 255);
    SDL_RenderClear(out.renderer);
    outputs_.push_back(out);
    return true;
}

void SdlSaverDisplay::PresentFrame() {
    display::LockedPixels px;
    if (!back_->Lock(px)) return;
    for (auto& out : outputs_) {
        // Every pixel of the texture is replaced, as locked streaming pixels
        // are write-only.
        SDL_UpdateTexture(out.texture, nullptr, px.data, px.pitch);
        SDL_RenderCopy(out.renderer, out.texture, nullptr, nullptr);
        SDL_RenderPresent(out.renderer);
    }
    back_->Unlock();
}

void SdlSaverDisplay::ShowTopmost() {
    for (auto& out : outputs_) SDL_ShowWindow(out.window);
    // Keys must reach the saver on X11, so the first window also takes the
    // input focus (clicks reach whichever window is under the pointer).
    if (!outputs_.empty()) {
        SDL_RaiseWindow(outputs_.front().window);
        SDL_SetWindowInputFocus(outputs_.front().window);
    }
}

void SdlSaverDisplay::Unload() { CloseOutputs(); }

std::uintptr_t SdlSaverDisplay::Handle() const {
    if (outputs_.empty()) return 0;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(outputs_.front().window, &info) && info.subsystem == SDL_SYSWM_X11) {
        return static_cast<std::uintptr_t>(info.info.x11.window);
    }
    return SDL_GetWindowID(outputs_.front().window);
}

void SdlSaverDisplay::CloseOutputs() {
    for (auto& out : outputs_) {
        if (out.texture) SDL_DestroyTexture(out.texture);
        if (out.renderer) SDL_DestroyRenderer(out.renderer);
        if (out.window) SDL_DestroyWindow(out.window);
    }
    outputs_.clear();
}

}  // namespace cindral::platform
