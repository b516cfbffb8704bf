#pragma once
// Finds the program's windows among the top-level X11 windows by their UTF-8
// caption (_NET_WM_NAME, else WM_NAME), so the Japanese caption matches on any
// locale.

#include <string_view>

#include "startup/ports.h"

typedef struct _XDisplay Display;

namespace cindral::platform::x11 {

class X11WindowFinder final : public startup::WindowFinder {
  public:
    // `display` may be null (no X server): then no window exists.
    explicit X11WindowFinder(::Display* display) : display_(display) {}
    bool WindowExists(std::string_view caption) override;

  private:
    ::Display* display_;
};

}  // namespace cindral::platform::x11
