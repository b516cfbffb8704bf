#pragma once
// What the Linux saver runs over, X11 or Wayland alike: the display and the
// window host the saver window drives, and the event pump its frame loop
// waits on. The assembly and the frame loop are the same for both.

#include <cstddef>
#include <string>

#include "display/ports.h"
#include "saver/ports.h"

namespace cindral::app {

class SaverShell {
  public:
    virtual ~SaverShell() = default;
    virtual display::Display& Display() = 0;
    virtual saver::SaverHost& Host() = 0;
    virtual saver::EventPump& Events() = 0;
    virtual void ShowCursor(bool visible) = 0;
    // Windows or surfaces that can show the fire (and take the ending input).
    virtual std::size_t SurfaceCount() const = 0;
    // How frames are presented, for the start-up benchmark's stamp.
    virtual std::string RendererName() const = 0;
    // Frames wait for the display (the vertical blank, the compositor's frame callback).
    virtual bool Vsync() const = 0;
    // Why nothing can be shown.
    virtual std::string Failure() const = 0;
};

}  // namespace cindral::app
