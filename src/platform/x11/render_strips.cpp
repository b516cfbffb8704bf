#include "platform/x11/render_strips.h"

#include <algorithm>
#include <limits>

namespace cindral::platform::x11 {

namespace {

constexpr std::int64_t kOne = 65536;  // 1.0 in 16.16

// Where the server's sampling point of window pixel d lies, in 16.16, less
// the offset: scale * (d + 1/2) rounded half up, less the one unit that
// sends a point on a cell edge to the cell before it.
std::int64_t SamplePointWithoutOffset(std::int64_t scale, int d) {
    return scale * d + ((scale + 1) >> 1) - 1;
}

}  // namespace

int NearestSampleOf(const NearestStrip& strip, int d) {
    const std::int64_t v = SamplePointWithoutOffset(strip.scale, d) + strip.offset;
    // Floor division: a point left of the image belongs to cell -1.
    return static_cast<int>(v >= 0 ? v / kOne : -((-v + kOne - 1) / kOne));
}

std::vector<NearestStrip> NearestStrips(int source, int dest) {
    std::vector<NearestStrip> strips;
    if (source <= 0 || dest <= 0) return strips;
    // The nearest representable scale drifts least along the window.
    const std::int64_t scale = (static_cast<std::int64_t>(source) * kOne + dest / 2) / dest;
    constexpr std::int64_t kUnbounded = std::numeric_limits<std::int64_t>::max();
    std::int64_t lo = -kUnbounded, hi = kUnbounded;
    int first = 0;
    for (int d = 0; d <= dest; ++d) {
        std::int64_t nextLo = lo, nextHi = hi;
        if (d < dest) {
            // Offsets that put pixel d's sampling point inside the cell of
            // source pixel d * source / dest.
            const std::int64_t cell = static_cast<std::int64_t>(d) * source / dest * kOne;
            const std::int64_t base = SamplePointWithoutOffset(scale, d);
            nextLo = std::max(lo, cell - base);
            nextHi = std::min(hi, cell + kOne - 1 - base);
        }
        if (d == dest || nextLo > nextHi) {
            // The middle of the range leaves the most room on either side.
            strips.push_back({first, d - first, static_cast<std::int32_t>(scale),
                              static_cast<std::int32_t>(lo + (hi - lo) / 2)});
            first = d;
            if (d == dest) break;
            const std::int64_t cell = static_cast<std::int64_t>(d) * source / dest * kOne;
            const std::int64_t base = SamplePointWithoutOffset(scale, d);
            nextLo = cell - base;
            nextHi = cell + kOne - 1 - base;
        }
        lo = nextLo;
        hi = nextHi;
    }
    return strips;
}

}  // namespace cindral::platform::x11
