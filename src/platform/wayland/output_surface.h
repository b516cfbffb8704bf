#pragma once
// One saver surface covering one output: a layer-shell surface (overlay for
// the full-screen saver, background for layer mode) or a full-screen xdg
// toplevel. Each frame is the 320 x 240 back surface in a wl_shm buffer that
// wp_viewporter scales to the surface; without a viewporter the frame is
// stretched by whole pixels into an output-sized buffer. A frame is drawn
// only after the compositor's frame callback asked for one.

#include <cstdint>
#include <string>

#include "display/ports.h"
#include "platform/wayland/shm_buffers.h"

struct wl_callback;
struct wl_surface;
struct wp_viewport;
struct xdg_surface;
struct xdg_toplevel;
struct zwlr_layer_surface_v1;

namespace cindral::platform::wayland {

class WaylandClient;
struct Output;

enum class SurfaceRole {
    Overlay,     // layer shell, above everything, keyboard taken exclusively
    Background,  // layer shell, below the windows, no input at all
    Toplevel,    // xdg toplevel made full screen on its output
};

class OutputSurface {
  public:
    // `useViewporter` false takes the whole-pixel stretch even where a
    // viewporter is offered.
    OutputSurface(WaylandClient& client, Output& output, SurfaceRole role, bool useViewporter);
    ~OutputSurface();
    OutputSurface(const OutputSurface&) = delete;
    OutputSurface& operator=(const OutputSurface&) = delete;

    const Output& OnOutput() const { return output_; }
    wl_surface* Surface() const { return surface_; }
    bool Scaled() const { return viewport_ != nullptr; }
    // Configured, and the compositor asked for the next frame.
    bool WantsFrame() const { return configured_ && !frameRequested_ && !closed_; }
    // The compositor closed the surface (or its toplevel).
    bool Closed() const { return closed_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Shows the back surface's pixels (kBackWidth x kBackHeight, 32 bits) if
    // a frame is wanted; true when it was attached.
    bool Present(const display::LockedPixels& back);

    // Protocol callbacks.
    void Configure(std::uint32_t serial, int width, int height);
    void ToplevelSize(int width, int height);
    void XdgConfigure(std::uint32_t serial);
    void Close() { closed_ = true; }
    void FrameDone();

  private:
    void MakeLayer(SurfaceRole role);
    void MakeToplevel();
    void Resize(int width, int height);

    WaylandClient& client_;
    Output& output_;
    wl_surface* surface_ = nullptr;
    wp_viewport* viewport_ = nullptr;
    zwlr_layer_surface_v1* layer_ = nullptr;
    xdg_surface* xdgSurface_ = nullptr;
    xdg_toplevel* toplevel_ = nullptr;
    wl_callback* frame_ = nullptr;
    ShmBuffers buffers_;
    bool configured_ = false;
    bool frameRequested_ = false;
    bool closed_ = false;
    bool resized_ = false;
    int width_ = 0, height_ = 0;
    int pendingWidth_ = 0, pendingHeight_ = 0;
};

}  // namespace cindral::platform::wayland
