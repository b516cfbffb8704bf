#pragma once
// For the saver benchmark: the wall-clock time of the first presented frame
// and how frames reach the screen, printed on standard error when
// CINDRAL_FIRST_FRAME_STAMP is set.

#include <cstddef>
#include <string>

namespace cindral::app {

// `renderer`: "xrender", "xshm" or "ximage"; `vsync`: frames wait for the
// display's vertical blank.
void StampFirstFrame(const std::string& renderer, bool vsync, std::size_t windows);

}  // namespace cindral::app
