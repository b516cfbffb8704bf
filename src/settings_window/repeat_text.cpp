#include "settings_window/repeat_text.h"

#include <charconv>
#include <cmath>

#include "config/decimal_text.h"

namespace cindral::settings_window {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The decimal number the text denotes, or nullopt-like false when it is not one.
bool ParseNumeric(std::string_view text, double& value) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    const std::optional<config::DecimalText> number = config::ParseDecimalText(text);
    if (!number) return false;
    // from_chars reads the unsigned rest; the sign is applied below.
    if (text.front() == '+' || text.front() == '-') text.remove_prefix(1);
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large is out of range below; too small rounds to 0 either way.
        value = HUGE_VAL;
        for (char c : text) {
            if (c == '-') value = 0.0;  // a negative exponent: a tiny number
        }
    } else if (result.ec != std::errc()) {
        return false;
    }
    if (number->negative) value = -value;
    return true;
}

}  // namespace

std::string FormatTrack(std::int16_t track) {
    return track == 0 ? std::string() : std::to_string(track);
}

std::int16_t TrackFromText(std::string_view text, std::int16_t current) {
    double value = 0.0;
    if (!ParseNumeric(text, value)) return 0;
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) return current;
    return static_cast<std::int16_t>(rounded);
}

std::vector<std::string> RepeatEntries() {
    std::vector<std::string> entries;
    for (std::int16_t track = 0; track <= 30; ++track) entries.push_back(FormatTrack(track));
    return entries;
}

}  // namespace cindral::settings_window
