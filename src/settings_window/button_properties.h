#pragma once
// The design-time values of the window's three push buttons, as the
// persisted property set the button control reads when the window loads
// (zoButtons_H::ReadProperties). Keys are stored in lower case; the control
// matches them without regard to case. Properties not listed keep the
// control's defaults.

#include "button/property_bag.h"
#include "settings_window/layout.h"

namespace cindral::settings_window {

// ControlId::SaveButton ("設定   "), CancelButton ("ｷｬﾝｾﾙ ") or FileButton
// ("..."); any other control gets an empty set.
button::MemoryPropertyBag ButtonPropertySet(ControlId button);

}  // namespace cindral::settings_window
