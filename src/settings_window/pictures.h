#pragma once
// The pictures the settings window shows, all made by the program: a preview
// of each fire kind rendered by the fire engine, the two selection markers,
// the panels' texture tile and the window's icon.

#include <array>
#include <cstdint>
#include <vector>

#include "settings_window/layout.h"

namespace cindral::settings_window {

// Pixels row by row, 0xAARRGGBB. Every picture is opaque except the icon,
// which is transparent around its flame.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// Fire kind `kind` (0..7) from a fixed seed after 1.5 s of burning (90 frames
// with the saver's spark bursts), the shown 320 x 240 area averaged down to
// 80 x 60. The same picture at every start; black when the kind cannot load.
Image FirePreview(std::int16_t kind);
std::array<Image, 8> FirePreviews();

// 13 x 13 selection markers on the panel's grey: an empty round marker, and
// the same with a red centre.
Image MarkerOff();
Image MarkerOn();

// 560 x 20 light grey with fine horizontal streaks, averaging kTextureShade:
// the colour a control on a panel takes for its container's.
inline constexpr Rgb kTextureShade{197, 194, 193};
Image TextureTile();

// 32 x 32: a flame on a dark rounded square.
Image WindowIcon();

}  // namespace cindral::settings_window
