#include "platform/linux/saver/sdl_saver_display.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstring>
#include <string>

#include "platform/linux/saver/monitors.h"
#include "startup/startup_dispatch.h"

namespace cindral::platform::linux {

namespace {

// Whether the X server can run GL in hardware. Without direct rendering (a
// virtual server, a dummy driver) GL falls back to a software rasteriser,
// which costs more CPU than SDL's own software path and far more start-up
// time; the check needs no GL context.
bool ServerHasAcceleratedGl(::Display* d) {
    if (!d) return true;  // not X11: let SDL choose
    int op = 0, ev = 0, err = 0;
    bool accelerated = XQueryExtension(d, "DRI3", &op, &ev, &err) ||
                       XQueryExtension(d, "DRI2", &op, &ev, &err) ||
                       XQueryExtension(d, "NV-GLX", &op, &ev, &err);
    return accelerated;
}

// A protocol error (SDL naming one of the saver's windows just after it was
// destroyed while the windows close) must not end the program through Xlib's
// default handler; a lost connection still ends it.
int IgnoreProtocolError(::Display*, XErrorEvent*) { return 0; }

// Puts _NET_WM_STATE_FULLSCREEN and _NET_WM_STATE_ABOVE on a window that is
// not mapped yet, which is how a window manager expects to be told.
void RequestFullScreenState(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    ::Display* d = info.info.x11.display;
    Atom states[2] = {XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False),
                      XInternAtom(d, "_NET_WM_STATE_ABOVE", False)};
    XChangeProperty(d, info.info.x11.window, XInternAtom(d, "_NET_WM_STATE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(states), 2);
}

}  // namespace

SdlSaverDisplay::SdlSaverDisplay(::Display* x)
    : x_(x),
      back_(std::make_unique<display::MemorySurface>(display::kBackWidth, display::kBackHeight,
                                                     32)) {}

SdlSaverDisplay::~SdlSaverDisplay() { CloseOutputs(); }

bool SdlSaverDisplay::InitDisplay() {
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        failure_ = std::string("no video display: ") + SDL_GetError();
        return false;
    }
    if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) XSetErrorHandler(IgnoreProtocolError);
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        failure_ = std::string("no desktop display mode: ") + SDL_GetError();
        return false;
    }
    // The fire needs its 256 colours at once, in a true-colour format the
    // streaming texture can take; a colour-mapped desktop has neither.
    if (SDL_BITSPERPIXEL(mode.format) < 15) {
        // SDL names no format for a colour-mapped visual; the server knows its depth.
        int bits = SDL_BITSPERPIXEL(mode.format);
        if (bits == 0 && x_) bits = DefaultDepth(x_, DefaultScreen(x_));
        failure_ = "the desktop has " + std::to_string(bits) +
                   " bits per pixel; the fire needs at least 15";
        return false;
    }
    bpp_ = SDL_BITSPERPIXEL(mode.format) == 16 ? 16 : 32;
    textureFormat_ = bpp_ == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
    back_ =
        std::make_unique<display::MemorySurface>(display::kBackWidth, display::kBackHeight, bpp_);

    SDL_SetHintWithPriority(SDL_HINT_RENDER_SCALE_QUALITY, "nearest", SDL_HINT_DEFAULT);
    // A renderer named by the user (SDL_RENDER_DRIVER) is always honoured;
    // otherwise a server without GL in hardware gets the frame buffer path.
    softwareOnly_ = !SDL_GetHint(SDL_HINT_RENDER_DRIVER) && !ServerHasAcceleratedGl(x_);
    std::vector<MonitorRect> sdlDisplays;
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
        SDL_Rect r{};
        if (SDL_GetDisplayBounds(i, &r) == 0) sdlDisplays.push_back({r.x, r.y, r.w, r.h});
    }
    for (const auto& m : ChooseMonitors(sdlDisplays, XineramaHeads(x_))) {
        OpenOutput(m.x, m.y, m.w, m.h);
    }
    if (outputs_.empty()) failure_ = std::string("no window could be opened: ") + SDL_GetError();
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

    bool ok = softwareOnly_ ? AttachFramebuffer(out) || AttachRenderer(out) : AttachRenderer(out);
    if (!ok) {
        SDL_DestroyWindow(out.window);
        return false;
    }
    outputs_.push_back(out);
    if (!watching_) {
        SDL_AddEventWatch(&SdlSaverDisplay::WatchEvents, this);
        watching_ = true;
    }
    return true;
}

bool SdlSaverDisplay::AttachFramebuffer(Output& out) {
    // Straight to the X server's shared-memory images, not through GL.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Surface* surface = SDL_GetWindowSurface(out.window);
    if (!surface || surface->format->format != textureFormat_) return false;
    out.scaler = std::make_shared<FrameScaler>(display::kBackWidth, display::kBackHeight, bpp_ / 8);
    rendererName_ = "framebuffer";
    vsync_ = false;
    return true;
}

bool SdlSaverDisplay::AttachRenderer(Output& out) {
    if (!softwareOnly_) {
        // Only the first window waits for the vertical blank: a wait per
        // window would divide the frame rate by the number of monitors.
        Uint32 flags = SDL_RENDERER_ACCELERATED;
        if (outputs_.empty()) flags |= SDL_RENDERER_PRESENTVSYNC;
        out.renderer = SDL_CreateRenderer(out.window, -1, flags);
    }
    if (!out.renderer) out.renderer = SDL_CreateRenderer(out.window, -1, SDL_RENDERER_SOFTWARE);
    if (!out.renderer) return false;
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(out.renderer, &info) == 0) {
        rendererName_ = info.name;
        vsync_ = vsync_ || (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    }
    out.texture = SDL_CreateTexture(out.renderer, textureFormat_, SDL_TEXTUREACCESS_STREAMING,
                                    display::kBackWidth, display::kBackHeight);
    if (!out.texture) {
        SDL_DestroyRenderer(out.renderer);
        out.renderer = nullptr;
        return false;
    }
    // Black until the first frame arrives.
    SDL_SetRenderDrawColor(out.renderer, 0, 0, 0, 255);
    SDL_RenderClear(out.renderer);
    return true;
}

int SdlSaverDisplay::WatchEvents(void* self, SDL_Event* event) {
    // A window whose contents the server lost gets every row again.
    if (event->type != SDL_WINDOWEVENT) return 0;
    auto* display = static_cast<SdlSaverDisplay*>(self);
    for (auto& out : display->outputs_) {
        if (out.scaler && SDL_GetWindowID(out.window) == event->window.windowID) {
            out.scaler->Invalidate();
        }
    }
    return 0;
}

void SdlSaverDisplay::PresentToFramebuffer(Output& out, const display::LockedPixels& px) {
    SDL_Surface* surface = SDL_GetWindowSurface(out.window);  // renewed after a resize
    if (!surface) return;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    std::vector<RowSpan> rows =
        out.scaler->Scale(px.data, px.pitch, static_cast<std::uint8_t*>(surface->pixels),
                          surface->pitch, surface->w, surface->h);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    if (rows.empty()) return;
    std::vector<SDL_Rect> rects;
    rects.reserve(rows.size());
    for (const auto& r : rows) rects.push_back({0, r.first, surface->w, r.count});
    SDL_UpdateWindowSurfaceRects(out.window, rects.data(), static_cast<int>(rects.size()));
}

void SdlSaverDisplay::PresentFrame() {
    display::LockedPixels px;
    if (!back_->Lock(px)) return;
    for (auto& out : outputs_) {
        if (out.scaler) {
            PresentToFramebuffer(out, px);
            continue;
        }
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
    // Keys must reach the saver: a window manager is asked to activate the
    // first window. Without one, keys go to the window under the pointer,
    // which is always one of ours; taking the focus explicitly would leave the
    // desktop with no focus at all once the saver's windows are gone.
    if (!outputs_.empty()) SDL_RaiseWindow(outputs_.front().window);
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
    if (watching_) {
        SDL_DelEventWatch(&SdlSaverDisplay::WatchEvents, this);
        watching_ = false;
    }
    ::Display* x = nullptr;
    if (!outputs_.empty()) {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (SDL_GetWindowWMInfo(outputs_.front().window, &info) &&
            info.subsystem == SDL_SYSWM_X11) {
            x = info.info.x11.display;
        }
    }
    for (auto& out : outputs_) {
        if (out.texture) SDL_DestroyTexture(out.texture);
        if (out.renderer) SDL_DestroyRenderer(out.renderer);
        if (out.window) SDL_DestroyWindow(out.window);
    }
    outputs_.clear();
    // Collect the errors of requests SDL still made for the destroyed windows
    // now, while the tolerant handler is in place: SDL_Quit puts Xlib's
    // default handler back, which would end the program with status 1.
    if (x) XSync(x, False);
}

}  // namespace cindral::platform::linux
