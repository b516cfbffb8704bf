#pragma once
// Top-level windows by caption, compared as Unicode (FindWindowW), so the
// Japanese caption is found whatever the system's code page.

#include "startup/startup_dispatch.h"

namespace cindral::platform::win32 {

class Win32WindowFinder final : public startup::WindowFinder {
  public:
    bool WindowExists(std::string_view caption) override;
};

}  // namespace cindral::platform::win32
