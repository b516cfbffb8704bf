#pragma once
// The per-frame filters over the heat buffer: a (W + 1) x (H + 1) byte array,
// row by row, row 0 at the top.

#include <cstdint>

namespace cindral::fire {

// Zeroes columns 0 and W and rows 0 and H.
void vbClearEdge(int W, int H, std::uint8_t* buffer);

// One in-place 3 x 3 box blur of the interior with truncating division by 9.
// Row r - 1 already holds this pass's values when row r is computed; rows r
// and r + 1 contribute their values from before the pass.
void vbBlurImg(int W, int H, std::uint8_t* buffer);

// x / 9 for x = 0..2295 (nine bytes at most), as the high half of x * 7282.
constexpr std::uint16_t DivideBy9(std::uint16_t x) {
    return static_cast<std::uint16_t>((static_cast<std::uint32_t>(x) * 7282u) >> 16);
}

}  // namespace cindral::fire
