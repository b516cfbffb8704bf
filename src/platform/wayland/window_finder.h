#pragma once
// Finding the saver's or settings window by caption on Wayland: no client
// can see another's windows there, so none is ever found; the lock-file
// instance claim (platform/posix) keeps a second copy from starting.

#include <string_view>

#include "startup/ports.h"

namespace cindral::platform::wayland {

class WaylandWindowFinder final : public startup::WindowFinder {
  public:
    bool WindowExists(std::string_view) override { return false; }
};

}  // namespace cindral::platform::wayland
