#pragma once
// What the file label (lbl_Fname) shows of a long music path, decided once
// for every platform: each measures text in its own font and shows the result
// as plain text.

#include <functional>
#include <string>
#include <string_view>

namespace cindral::settings_window {

// The width in pixels of a UTF-8 text in the label's font.
using TextMeasure = std::function<int(std::string_view text)>;

// The caption for `path` in a text area `width` pixels wide. A path that fits
// shows whole. A longer one keeps its file name (from the last '/' or '\')
// and as much of the start as fits, with "..." between; when "..." and the
// file name alone are too wide, the start that fits followed by "..."; when
// not even that fits, "...". Characters are never cut apart.
std::string FileCaptionText(std::string_view path, int width, const TextMeasure& measure);

}  // namespace cindral::settings_window
