#pragma once
// Picture transforms that make the X server's nearest-filter scaling pick,
// for every window pixel, the same back-surface pixel as the whole-pixel
// stretch: window column x shows source column x * S / W (rounded down).
//
// RENDER transforms are 16.16 fixed point, so a scale such as 320 / 1366 is
// not exact; the error grows along the window and at some block edges the
// server would sample the neighbouring column. The window is therefore cut
// into strips along each axis, each with its own transform offset, chosen so
// that the server's sampling matches the stretch over the whole strip.
//
// The sampling rule is the server's (pixman's) nearest filter: the window
// pixel's centre d + 1/2 is transformed, rounded half up to 16.16
// (scale * (d + 1/2) + offset), and the source pixel is the one whose cell
// holds that point, a point on a cell edge going to the cell before it.

#include <cstdint>
#include <vector>

namespace cindral::platform::x11 {

struct NearestStrip {
    int first = 0;            // first window column (or row) of the strip
    int count = 0;            // its columns (or rows)
    std::int32_t scale = 0;   // source pixels per window pixel, 16.16
    std::int32_t offset = 0;  // translation of the transform, 16.16
};

// The strips covering 0..dest-1, left to right, for a stretch of `source`
// pixels over `dest`. Empty when either size is not positive.
std::vector<NearestStrip> NearestStrips(int source, int dest);

// The source pixel the server's nearest filter picks for window pixel `d`
// under `strip`'s transform.
int NearestSampleOf(const NearestStrip& strip, int d);

}  // namespace cindral::platform::x11
