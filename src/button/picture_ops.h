#pragma once
// Picture copies the painter makes: scaled, fitted and the disabled look's stencil.

#include "button/ports.h"
#include "button/types.h"

namespace cindral::button {

// A copy of pic at w x h (nearest pixel), keeping its kind.
Picture ScalePicture(const Picture& pic, int w, int h);

// The picture drawn over white, as a stencil of every pixel that is not white:
// the shape the embossed disabled look paints twice.
Mask DarkMask(const Picture& pic);

// The largest w x h inside box with pic's proportions.
Size FitSize(const Picture& pic, Size box);

}  // namespace cindral::button
