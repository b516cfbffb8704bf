#include "display/color565.h"

namespace cindral::display {

void PaletteTo565(Palette& colours) {
    for (auto& c : colours) c = ColorTo565(c);
}

}  // namespace cindral::display
