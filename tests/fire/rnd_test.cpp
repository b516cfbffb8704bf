// The program-wide generator: range, resolution and repeatability.

#include "fire/rnd.h"

#include <gtest/gtest.h>

#include <cmath>

namespace cindral::fire {
namespace {

TEST(Rnd, DrawsTwentyFourBitFractionsInTheHalfOpenUnitRange) {
    Rnd rnd(7);
    double sum = 0;
    float lowest = 1, highest = 0;
    constexpr int kDraws = 200000;
    for (int i = 0; i < kDraws; ++i) {
        const float v = rnd.Next();
        ASSERT_GE(v, 0.0f);
        ASSERT_LT(v, 1.0f);
        const double scaled = static_cast<double>(v) * 16777216.0;
        ASSERT_EQ(scaled, std::floor(scaled));
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
        sum += v;
    }
    EXPECT_NEAR(sum / kDraws, 0.5, 0.01);
    EXPECT_LT(lowest, 0.001f);
    EXPECT_GT(highest, 0.999f);
}

TEST(Rnd, SameSeedSameSequenceAndDefaultSeedIsFixed) {
    Rnd a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const float x = a.Next();
        EXPECT_EQ(x, b.Next());
        differs |= x != c.Next();
    }
    EXPECT_TRUE(differs);
    Rnd d, e;
    EXPECT_EQ(d.NextBits(), e.NextBits());
    Rnd f;
    f.Next();
    f.Seed(42);
    Rnd g(42);
    EXPECT_EQ(f.NextBits(), g.NextBits());
}

}  // namespace
}  // namespace cindral::fire
