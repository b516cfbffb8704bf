#include "settings_window/file_caption.h"

#include <vector>

namespace cindral::settings_window {
namespace {

constexpr std::string_view kEllipsis = "...";

// Byte offsets where the characters of `text` start, up to `end`, with `end`.
std::vector<std::size_t> CharacterStarts(std::string_view text, std::size_t end) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < end; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
    }
    starts.push_back(end);
    return starts;
}

// The text made from the longest prefix of `text` (ending at one of `starts`)
// that `make` turns into a text no wider than `width`; empty when even the
// empty prefix is too wide. Widths grow with the prefix, so a binary search
// finds it.
std::string LongestFitting(std::string_view text, const std::vector<std::size_t>& starts, int width,
                           const TextMeasure& measure,
                           const std::function<std::string(std::string_view)>& make) {
    std::string best;
    std::size_t low = 0, high = starts.size();  // candidates [low, high)
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        std::string candidate = make(text.substr(0, starts[mid]));
        if (measure(candidate) <= width) {
            best = std::move(candidate);
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    return best;
}

}  // namespace

std::string FileCaptionText(std::string_view path, int width, const TextMeasure& measure) {
    if (measure(path) <= width) return std::string(path);
    const std::size_t slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos) {
        const std::string_view name = path.substr(slash);
        std::string kept = LongestFitting(
            path, CharacterStarts(path, slash), width, measure, [&](std::string_view start) {
                return std::string(start) + std::string(kEllipsis) + std::string(name);
            });
        if (!kept.empty()) return kept;
    }
    std::string start =
        LongestFitting(path, CharacterStarts(path, path.size()), width, measure,
                       [](std::string_view s) { return std::string(s) + std::string(kEllipsis); });
    return start.empty() ? std::string(kEllipsis) : start;
}

}  // namespace cindral::settings_window
