#pragma once
// Writing 8-bit RGB pictures as PNG files.

#include <cstdint>
#include <string>
#include <vector>

namespace cindral::still {

// `rgb` holds width * height pixels, three bytes each, row by row. Returns an
// empty string on success, otherwise what went wrong.
std::string WritePngRgb(const std::string& path, int width, int height,
                        const std::vector<std::uint8_t>& rgb);

// Reads a PNG back as 8-bit RGB (for checks); false when it cannot.
bool ReadPngRgb(const std::string& path, int& width, int& height, std::vector<std::uint8_t>& rgb);

}  // namespace cindral::still
