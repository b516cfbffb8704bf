#pragma once
// The single-instance claim on X11: ownership of the selection
// "_CINDRAL_INSTANCE" on the display, taken under a server grab so that of
// copies started together exactly one finds it free. The X server drops the
// ownership when the owner's connection closes, so the claim ends with the
// process that holds it.

#include "startup/ports.h"

typedef struct _XDisplay Display;

namespace cindral::platform::x11 {

inline constexpr const char* kInstanceSelection = "_CINDRAL_INSTANCE";

class X11InstanceClaim final : public startup::InstanceClaim {
  public:
    // `display` must stay open for as long as the claim is to hold.
    explicit X11InstanceClaim(::Display* display) : display_(display) {}
    bool TryClaim() override;
    bool HeldElsewhere() override;

  private:
    ::Display* display_;
    bool held_ = false;
};

}  // namespace cindral::platform::x11
