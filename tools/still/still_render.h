#pragma once
// Renders the fire as the running saver would show it after N frames.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cindral::still {

struct StillOptions {
    std::int16_t kind = 0;
    int frames = 100;
    std::optional<std::uint64_t> seed;  // the generator's fixed seed when absent
    int depth = 32;                     // 16 or 32 bits per pixel
    std::string out;
};

// Parses `--kind K --frames N [--seed S] [--depth 16|32] --out FILE.png`.
// Returns an empty string or what is wrong with the arguments.
std::string ParseStillArgs(const std::vector<std::string>& args, StillOptions& options);

// The back surface (the shown area) after frame N, as 8-bit RGB (5-6-5
// widened on a 16-bit surface), from the scripted run of the saver's frames.
// Empty when the fire kind ends the program.
std::vector<std::uint8_t> RenderStill(const StillOptions& options, int secondsSinceMidnight);

}  // namespace cindral::still
