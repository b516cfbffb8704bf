#pragma once
// Top-level windows by caption, compared as Unicode (FindWindowW), so the
// Japanese caption is found whatever the system's code page. A start that did
// not win the instance claim counts as finding the program already open.

#include "platform/windows/startup/instance_claim.h"
#include "startup/startup_dispatch.h"

namespace cindral::platform::windows {

class Win32WindowFinder final : public startup::WindowFinder {
  public:
    explicit Win32WindowFinder(const InstanceClaim* claim = nullptr) : claim_(claim) {}
    bool WindowExists(std::string_view caption) override;

  private:
    const InstanceClaim* claim_;
};

}  // namespace cindral::platform::windows
