#pragma once
// The preview's still picture: 152 x 112 pixels of fire (0x00RRGGBB), and the
// nearest-neighbour scaling that fits it into the host's preview area.

#include <cstdint>
#include <vector>

namespace cindral::saver {

struct StillImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // row by row, 0x00RRGGBB
};

inline constexpr int kStillWidth = 152;
inline constexpr int kStillHeight = 112;

// Pixel (x, y) of the result takes source pixel (x * sw / w, y * sh / h):
// every source pixel is used as evenly as whole pixels allow, and the result's
// corners are the source's corners.
StillImage ScaleNearest(const StillImage& source, int width, int height);

// The part of ScaleNearest(source, width, height) at (x, y) of size w x h,
// clipped to the scaled picture, without making the rest of it: a huge host
// costs only the area that is drawn.
StillImage ScaleNearestRegion(const StillImage& source, int width, int height, int x, int y, int w,
                              int h);

// Renders the fire from a fixed seed and shrinks the back surface to
// 152 x 112. The same picture at every start.
StillImage RenderPreviewStill();

}  // namespace cindral::saver
