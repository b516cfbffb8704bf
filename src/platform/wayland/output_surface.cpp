#include "platform/wayland/output_surface.h"

#include <wayland-client.h>

#include <cstring>

#include "display/whole_pixel_stretch.h"
#include "platform/wayland/client.h"
#include "platform/wayland/layer_shell_protocol.h"
#include "viewporter-client.h"
#include "xdg-shell-client.h"

namespace cindral::platform::wayland {

namespace {

OutputSurface& SurfaceOf(void* data) { return *static_cast<OutputSurface*>(data); }

void OnLayerConfigure(void* data, zwlr_layer_surface_v1*, std::uint32_t serial, std::uint32_t w,
                      std::uint32_t h) {
    SurfaceOf(data).Configure(serial, static_cast<int>(w), static_cast<int>(h));
}
void OnLayerClosed(void* data, zwlr_layer_surface_v1*) { SurfaceOf(data).Close(); }
const zwlr_layer_surface_v1_listener kLayerListener{OnLayerConfigure, OnLayerClosed};

void OnXdgConfigure(void* data, xdg_surface*, std::uint32_t serial) {
    SurfaceOf(data).XdgConfigure(serial);
}
const xdg_surface_listener kXdgSurfaceListener{OnXdgConfigure};

void OnToplevelConfigure(void* data, xdg_toplevel*, std::int32_t w, std::int32_t h, wl_array*) {
    SurfaceOf(data).ToplevelSize(w, h);
}
void OnToplevelClose(void* data, xdg_toplevel*) { SurfaceOf(data).Close(); }
void OnToplevelBounds(void*, xdg_toplevel*, std::int32_t, std::int32_t) {}
void OnToplevelCapabilities(void*, xdg_toplevel*, wl_array*) {}
const xdg_toplevel_listener kToplevelListener{OnToplevelConfigure, OnToplevelClose,
                                              OnToplevelBounds, OnToplevelCapabilities};

void OnFrameDone(void* data, wl_callback*, std::uint32_t) { SurfaceOf(data).FrameDone(); }
const wl_callback_listener kFrameListener{OnFrameDone};

}  // namespace

OutputSurface::OutputSurface(WaylandClient& client, Output& output, SurfaceRole role,
                             bool useViewporter)
    : client_(client), output_(output) {
    surface_ = wl_compositor_create_surface(client.Compositor());
    if (useViewporter && client.Viewporter()) {
        viewport_ = wp_viewporter_get_viewport(client.Viewporter(), surface_);
    }
    if (role == SurfaceRole::Background) {
        // Layer mode takes no input: an empty input region lets pointer
        // events through to whatever is below.
        wl_region* none = wl_compositor_create_region(client.Compositor());
        wl_surface_set_input_region(surface_, none);
        wl_region_destroy(none);
    }
    if (role == SurfaceRole::Toplevel) {
        MakeToplevel();
    } else {
        MakeLayer(role);
    }
    // The first commit carries no buffer; the compositor answers with the
    // size to take.
    wl_surface_commit(surface_);
}

void OutputSurface::MakeLayer(SurfaceRole role) {
    const bool overlay = role == SurfaceRole::Overlay;
    layer_ = zwlr_layer_shell_v1_get_layer_surface(
        client_.LayerShell(), surface_, output_.output,
        overlay ? ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY : ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND,
        "cindral");
    zwlr_layer_surface_v1_add_listener(layer_, &kLayerListener, this);
    // Size 0 x 0 anchored to all edges: exactly what the compositor gives.
    zwlr_layer_surface_v1_set_size(layer_, 0, 0);
    zwlr_layer_surface_v1_set_anchor(
        layer_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                    ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    // Over (or under) panels too, never moved aside for them.
    zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        layer_, overlay ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE
                        : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
}

void OutputSurface::MakeToplevel() {
    xdgSurface_ = xdg_wm_base_get_xdg_surface(client_.XdgWmBase(), surface_);
    xdg_surface_add_listener(xdgSurface_, &kXdgSurfaceListener, this);
    toplevel_ = xdg_surface_get_toplevel(xdgSurface_);
    xdg_toplevel_add_listener(toplevel_, &kToplevelListener, this);
    xdg_toplevel_set_title(toplevel_, "Cindral_Main");
    xdg_toplevel_set_app_id(toplevel_, "cindral");
    xdg_toplevel_set_fullscreen(toplevel_, output_.output);
}

OutputSurface::~OutputSurface() {
    if (frame_) wl_callback_destroy(frame_);
    if (viewport_) wp_viewport_destroy(viewport_);
    if (layer_) zwlr_layer_surface_v1_destroy(layer_);
    if (toplevel_) xdg_toplevel_destroy(toplevel_);
    if (xdgSurface_) xdg_surface_destroy(xdgSurface_);
    if (surface_) wl_surface_destroy(surface_);
}

void OutputSurface::Configure(std::uint32_t serial, int width, int height) {
    zwlr_layer_surface_v1_ack_configure(layer_, serial);
    Resize(width, height);
}

void OutputSurface::ToplevelSize(int width, int height) {
    pendingWidth_ = width;
    pendingHeight_ = height;
}

void OutputSurface::XdgConfigure(std::uint32_t serial) {
    xdg_surface_ack_configure(xdgSurface_, serial);
    Resize(pendingWidth_, pendingHeight_);
}

void OutputSurface::Resize(int width, int height) {
    // A size left to the client: the output's, in surface coordinates.
    const int scale = output_.scale > 0 ? output_.scale : 1;
    if (width <= 0) width = output_.width / scale;
    if (height <= 0) height = output_.height / scale;
    if (width <= 0 || height <= 0) {
        width = display::kBackWidth;
        height = display::kBackHeight;
    }
    resized_ = resized_ || width != width_ || height != height_ || !configured_;
    width_ = width;
    height_ = height;
    configured_ = true;
}

void OutputSurface::FrameDone() {
    if (frame_) wl_callback_destroy(frame_);
    frame_ = nullptr;
    frameRequested_ = false;
}

bool OutputSurface::Present(const display::LockedPixels& back) {
    if (!WantsFrame()) return false;
    const int bw = viewport_ ? display::kBackWidth : width_;
    const int bh = viewport_ ? display::kBackHeight : height_;
    if (buffers_.Width() != bw || buffers_.Height() != bh) {
        if (!buffers_.Allocate(client_.Shm(), bw, bh)) return false;
    }
    ShmBuffers::Buffer* buffer = buffers_.Acquire();
    if (!buffer) return false;  // both still on screen: this frame is skipped
    if (viewport_) {
        for (int y = 0; y < bh; ++y) {
            std::memcpy(buffer->pixels + static_cast<std::ptrdiff_t>(y) * buffers_.Pitch(),
                        back.data + static_cast<std::ptrdiff_t>(y) * back.pitch,
                        static_cast<std::size_t>(bw) * 4);
        }
        if (resized_) wp_viewport_set_destination(viewport_, width_, height_);
    } else {
        const display::PixelRows rows{back.data, display::kBackWidth, display::kBackHeight,
                                      back.pitch, 4};
        display::StretchWholePixels(rows, buffer->pixels, buffers_.Pitch(), bw, bh, {0, 0, bw, bh});
    }
    resized_ = false;
    wl_surface_attach(surface_, buffer->buffer, 0, 0);
    wl_surface_damage_buffer(surface_, 0, 0, bw, bh);
    frame_ = wl_surface_frame(surface_);
    wl_callback_add_listener(frame_, &kFrameListener, this);
    frameRequested_ = true;
    wl_surface_commit(surface_);
    return true;
}

}  // namespace cindral::platform::wayland
