#pragma once
// The saver's surfaces and display on Wayland: one surface per output,
// covering it (OutputSurface), added when an output appears and dropped when
// it goes, and the 320 x 240 back surface (32 bits, XRGB) shown on every
// surface whose compositor asked for a frame. The full-screen saver takes
// keys and clicks from every seat and hides the pointer; layer mode
// (layer_display.h) takes no input. Everything goes through one connection.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "display/memory_surface.h"
#include "display/ports.h"
#include "platform/wayland/client.h"
#include "platform/wayland/event_pump.h"
#include "platform/wayland/output_surface.h"
#include "platform/wayland/seat_input.h"
#include "saver/ports.h"

namespace cindral::platform::wayland {

struct SurfaceOptions {
    // Layer mode: background layer, no input; else the full-screen saver.
    bool layerMode = false;
    // Only the output of this name (layer mode under a locker); empty: all.
    std::string outputName;
    // False: full-screen xdg toplevels even where the layer shell is offered.
    bool useLayerShell = true;
    // False: the whole-pixel stretch even where wp_viewporter is offered.
    bool useViewporter = true;
};

class WaylandSaverDisplay final : public display::Display,
                                  public saver::SaverHost,
                                  public WaylandEventSource {
  public:
    explicit WaylandSaverDisplay(SurfaceOptions options = {});
    ~WaylandSaverDisplay() override;
    WaylandSaverDisplay(const WaylandSaverDisplay&) = delete;
    WaylandSaverDisplay& operator=(const WaylandSaverDisplay&) = delete;

    // Connects to the compositor. False, with the reason in Failure(), when
    // there is none or it lacks what the saver needs.
    bool Connect();

    // Creates a surface on every output (unmapped until the compositor has
    // configured it and the first frame is drawn).
    bool InitDisplay() override;
    int DisplayBitsPerPixel() const override { return bpp_; }
    display::Surface& BackSurface() override { return back_; }
    void PresentFrame() override;

    void ShowTopmost() override;
    void Unload() override;
    std::uintptr_t Handle() const override;

    // The pointer stays hidden over the surfaces; `visible` is remembered
    // for surfaces the pointer enters later.
    void ShowCursor(bool visible) { cursorHidden_ = !visible; }

    wl_display* Connection() const override { return client_.Display(); }
    bool ServeEvents(saver::SaverInput& input) override;
    bool WantsFrame() const override;

    std::size_t SurfaceCount() const { return surfaces_.size(); }
    const std::vector<std::unique_ptr<OutputSurface>>& Surfaces() const { return surfaces_; }
    // "layer-shell" or "xdg-shell", then "+viewporter" or "+stretch".
    std::string RendererName() const;
    // Why the display cannot show anything; empty while it can.
    const std::string& Failure() const { return failure_; }

  private:
    void AddOutput(Output& out);
    void RemoveOutput(Output& out);
    void AddSeat(wl_seat* seat);
    void RemoveSeat(wl_seat* seat);
    bool DropClosedSurfaces();

    SurfaceOptions options_;
    WaylandClient client_;  // first: everything below holds its proxies
    std::vector<std::unique_ptr<OutputSurface>> surfaces_;
    std::vector<std::unique_ptr<SeatInput>> seats_;
    std::deque<SeatEvent> events_;
    display::MemorySurface back_{display::kBackWidth, display::kBackHeight, 32};
    SurfaceRole role_ = SurfaceRole::Overlay;
    int bpp_ = 0;
    bool connected_ = false;
    bool initialised_ = false;
    bool cursorHidden_ = true;
    bool lost_ = false;
    std::string failure_;
};

}  // namespace cindral::platform::wayland
