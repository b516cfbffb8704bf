#pragma once
// The pace of the fire: at most 60 frames a second, whatever the display,
// since particle speeds are per frame. The saver's loop and every scripted
// run of the fire keep it.

#include <cstdint>

namespace cindral::display {

inline constexpr int kFramesPerSecond = 60;
// One frame as a millisecond clock counts it (whole milliseconds: 16).
inline constexpr std::uint32_t kFramePeriodMs = 1000 / kFramesPerSecond;

}  // namespace cindral::display
