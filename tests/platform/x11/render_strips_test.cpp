// Strips of picture transforms for the server's nearest filter: they cover the
// window without gap or overlap, and under the server's sampling rule every
// window pixel of every strip picks the whole-pixel stretch's source pixel.

#include "platform/x11/render_strips.h"

#include <gtest/gtest.h>

namespace cindral::platform::x11 {
namespace {

TEST(NearestStrips, EveryPixelSamplesTheWholePixelSourceAtEverySize) {
    for (const int source : {320, 240}) {
        for (int dest = 1; dest <= 4400; ++dest) {
            const auto strips = NearestStrips(source, dest);
            ASSERT_FALSE(strips.empty()) << dest;
            int next = 0;
            for (const auto& s : strips) {
                ASSERT_EQ(s.first, next) << source << " over " << dest;
                ASSERT_GT(s.count, 0);
                for (int d = s.first; d < s.first + s.count; ++d) {
                    ASSERT_EQ(NearestSampleOf(s, d),
                              static_cast<int>(static_cast<long long>(d) * source / dest))
                        << source << " over " << dest << " at " << d;
                }
                next += s.count;
            }
            EXPECT_EQ(next, dest);
        }
    }
}

TEST(NearestStrips, ScalesExactInFixedPointNeedOneStrip) {
    // 320 / 1280 = 1/4 and 240 / 1024 = 15/64 are exact in 16.16; 320 / 1366
    // is not, and drifts by a pixel at some block edges within the screen.
    EXPECT_EQ(NearestStrips(320, 1280).size(), 1u);
    EXPECT_EQ(NearestStrips(240, 1024).size(), 1u);
    EXPECT_EQ(NearestStrips(320, 320).size(), 1u);
    EXPECT_GT(NearestStrips(320, 1366).size(), 1u);
    EXPECT_TRUE(NearestStrips(320, 0).empty());
}

TEST(NearestStrips, SamplingRuleOfTheServer) {
    // Scale 1/2, no offset: pixel d's centre d + 1/2 maps to d/2 + 1/4, in
    // cell d / 2. A point exactly on a cell edge goes to the cell before it:
    // with offset -1/4, pixel 2 maps to 1.0 and picks cell 0.
    const NearestStrip half{0, 10, 1 << 15, 0};
    EXPECT_EQ(NearestSampleOf(half, 0), 0);
    EXPECT_EQ(NearestSampleOf(half, 3), 1);
    const NearestStrip onEdge{0, 10, 1 << 15, -(1 << 14)};
    EXPECT_EQ(NearestSampleOf(onEdge, 2), 0);
    EXPECT_EQ(NearestSampleOf(onEdge, 3), 1);
    EXPECT_EQ(NearestSampleOf(onEdge, 0), -1);  // left of the image
}

}  // namespace
}  // namespace cindral::platform::x11
