#pragma once
// The text of the repeat-track combo box: how a track number is shown and how
// the box's text becomes the stored track.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cindral::settings_window {

// A track number as the "##" and "###" formats show it: its decimal digits,
// the empty text for 0, a minus sign before a negative value.
std::string FormatTrack(std::int16_t track);

// The track the save step stores for `text`, given the current one. Numeric
// text (optional blanks and sign, digits with an optional fraction and
// exponent) is rounded to the nearest integer, ties to even; a result outside
// the 16-bit range keeps `current`. Anything else, the empty text included,
// gives 0.
std::int16_t TrackFromText(std::string_view text, std::int16_t current);

// The entries the drop-down offers: the blank entry (0, the whole disc) and the
// tracks 1 to 30.
std::vector<std::string> RepeatEntries();

}  // namespace cindral::settings_window
