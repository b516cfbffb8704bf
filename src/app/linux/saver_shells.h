#pragma once
// The saver shells of the two display systems.

#include <optional>
#include <string>

#include "app/linux/saver_shell.h"
#include "platform/wayland/event_pump.h"
#include "platform/wayland/saver_display.h"
#include "platform/x11/event_pump.h"
#include "platform/x11/saver_display.h"

namespace cindral::app {

class X11SaverShell final : public SaverShell {
  public:
    explicit X11SaverShell(::Display* x) : display_(x), events_(display_) {}
    display::Display& Display() override { return display_; }
    saver::SaverHost& Host() override { return display_; }
    saver::EventPump& Events() override { return events_; }
    void ShowCursor(bool visible) override { display_.ShowCursor(visible); }
    std::size_t SurfaceCount() const override { return display_.WindowCount(); }
    std::string RendererName() const override { return display_.RendererName(); }
    bool Vsync() const override { return display_.Vsync(); }
    std::string Failure() const override { return display_.Failure(); }

  private:
    platform::x11::X11SaverDisplay display_;
    platform::x11::X11EventPump events_;
};

class WaylandSaverShell final : public SaverShell {
  public:
    explicit WaylandSaverShell(platform::wayland::SurfaceOptions options)
        : display_(std::move(options)), events_(display_) {}
    // Connects to the compositor; false with the reason in Failure().
    bool Connect() { return display_.Connect(); }
    display::Display& Display() override { return display_; }
    saver::SaverHost& Host() override { return display_; }
    saver::EventPump& Events() override { return events_; }
    void ShowCursor(bool visible) override { display_.ShowCursor(visible); }
    std::size_t SurfaceCount() const override { return display_.SurfaceCount(); }
    std::string RendererName() const override { return display_.RendererName(); }
    // Frames are drawn only on the compositor's frame callbacks.
    bool Vsync() const override { return true; }
    std::string Failure() const override { return display_.Failure(); }

  private:
    platform::wayland::WaylandSaverDisplay display_;
    platform::wayland::WaylandEventPump events_;
};

}  // namespace cindral::app
