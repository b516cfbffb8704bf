#pragma once
// For the saver benchmark: the wall-clock time of the first presented frame
// and how frames reach the screen, printed on standard error when
// CINDRAL_FIRST_FRAME_STAMP is set.

#include <cstddef>
#include <string>

namespace cindral::app {

// `renderer`: how frames reach the screen ("xrender", "xshm", "ximage", or a
// Wayland path); `vsync`: frames wait for the display (vertical blank or the
// compositor's frame callback).
void StampFirstFrame(const std::string& renderer, bool vsync, std::size_t windows);

}  // namespace cindral::app
