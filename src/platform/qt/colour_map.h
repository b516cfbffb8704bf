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

// The colour of the window system's colour number `index` (the control's
// system colours without their flag bit) in `palette`; the window colour for
// a number without a role of its own.
button::Color PaletteColour(const QPalette& palette, int index);

QRegion ToQRegion(const button::Region& region);

}  // namespace cindral::platform::qt
