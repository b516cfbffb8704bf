#pragma once
// The button control's MousePointer codes as Qt cursors.

#include <QWidget>

#include "button/types.h"

namespace cindral::platform::qt {

// Gives `widget` the cursor of pointer code `pointer`: 0 the container's
// (unset), 1 to 15 the system's shapes, 99 `icon` when it is usable. Other
// codes, and 99 without a usable icon, leave the cursor as it is.
void ApplyPointer(QWidget& widget, int pointer, const button::PicturePtr& icon);

}  // namespace cindral::platform::qt
