#pragma once
// Colours and shapes between Qt and the button control: the palette roles
// that stand for the window system's colours, and the control's region as a
// widget mask.

#include <QColor>
#include <QPalette>
#include <QRegion>

#include "button/region.h"
#include "button/types.h"

namespace cindral::platform::qt {

button::Color FromQColor(const QColor& c);

// The palette role's colour that stands for the named system colour; the
// window colour for a system colour without a role of its own.
button::Color PaletteColour(const QPalette& palette, button::SystemColor name);

QRegion ToQRegion(const button::Region& region);

}  // namespace cindral::platform::qt
