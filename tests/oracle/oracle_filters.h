#pragma once
// Straight transcriptions of the palette schemes, the heat filters and the
// byte-array copy: one element at a time, in the documented order.

#include <cstdint>
#include <vector>

#include "display/blt_array.h"
#include "display/fire_palette.h"
#include "display/ports.h"

namespace cindral::oracle {

// The heat buffer as a 2-D array, columns 0..W and rows 0..H.
struct HeatGrid {
    int W = 0;
    int H = 0;
    std::vector<std::uint8_t> cells;
    std::uint8_t& at(int c, int r) {
        return cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(W + 1) +
                     static_cast<std::size_t>(c)];
    }
};

bool OracleInitpal(std::int32_t paletteKind, display::Palette& palette);
void OracleClearEdge(HeatGrid& fb);
void OracleBlur(HeatGrid& fb);
display::BltResult OracleBltArray(const display::ByteGrid& source, const display::Palette& colours,
                                  int destX, int destY, display::BltRect& rect,
                                  display::Surface& surface);
std::uint32_t OracleColorTo565(std::uint32_t colour);

}  // namespace cindral::oracle
