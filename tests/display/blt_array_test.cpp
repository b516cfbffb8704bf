// Copying a rectangle of a byte array through a colour table into a surface.

#include "display/blt_array.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "display/memory_surface.h"
#include "oracle/oracle_filters.h"

namespace cindral::display {
namespace {

// Source cell (c, r) = 10 * r + c; colour i = 0x010000 * i + 0x100 + 1 (so
// every colour is distinct and has bits above 16).
struct Source {
    int maxCol, maxRow;
    std::vector<std::uint8_t> cells;
    Palette colours{};
    Source(int u1, int u2) : maxCol(u1), maxRow(u2) {
        for (int r = 0; r <= u2; ++r)
            for (int c = 0; c <= u1; ++c) cells.push_back(static_cast<std::uint8_t>(10 * r + c));
        for (std::uint32_t i = 0; i < 256; ++i) colours[i] = 0x010000u * i + 0x101u;
    }
    ByteGrid Grid() const { return {cells.data(), maxCol, maxRow}; }
};

std::uint32_t Pixel(const MemorySurface& s, int x, int y) {
    const int bytes = s.BitsPerPixel() / 8;
    const std::uint8_t* p = s.Bytes().data() + (y * s.Width() + x) * bytes;
    std::uint32_t v = 0;
    for (int b = 0; b < bytes; ++b) v |= static_cast<std::uint32_t>(p[b]) << (8 * b);
    return v;
}

bool Untouched(const MemorySurface& s) {
    for (const auto b : s.Bytes())
        if (b != 0) return false;
    return true;
}

TEST(BltArray, CopiesTheInclusiveRectangleToTheDestination) {
    Source src(9, 9);
    MemorySurface surface(20, 20, 32);
    BltRect rect{2, 3, 4, 5};
    EXPECT_EQ(BltArray(src.Grid(), src.colours, 7, 1, rect, surface), BltResult::kCopied);
    int written = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            if (Pixel(surface, x, y) != 0) ++written;
        }
    }
    EXPECT_EQ(written, 9);  // 3 x 3: both ends included
    EXPECT_EQ(Pixel(surface, 7, 1), src.colours[32]);
    EXPECT_EQ(Pixel(surface, 9, 3), src.colours[54]);
}

TEST(BltArray, ClampsToTheSourceAndSwapsReversedRectangles) {
    Source src(9, 5);
    BltRect big{-3, -2, 40, 30};
    ASSERT_TRUE(ClampBltRect(src.Grid(), big));
    EXPECT_EQ(big.left, 0);
    EXPECT_EQ(big.top, 0);
    EXPECT_EQ(big.right, 9);
    EXPECT_EQ(big.bottom, 5);

    Source s2(9, 9);
    MemorySurface a(10, 10, 32), b(10, 10, 32);
    BltRect reversed{6, 7, 2, 1}, ordered{2, 1, 6, 7};
    EXPECT_EQ(BltArray(s2.Grid(), s2.colours, 0, 0, reversed, a), BltResult::kCopied);
    EXPECT_EQ(reversed.left, 2);
    EXPECT_EQ(reversed.top, 1);
    EXPECT_EQ(reversed.right, 6);
    EXPECT_EQ(reversed.bottom, 7);
    BltArray(s2.Grid(), s2.colours, 0, 0, ordered, b);
    EXPECT_EQ(a.Bytes(), b.Bytes());
    EXPECT_EQ(Pixel(a, 0, 0), s2.colours[12]);
}

TEST(BltArray, CollapsedRectanglesCopyNothing) {
    Source src(9, 9);
    MemorySurface surface(10, 10, 32);
    for (BltRect rect : {BltRect{3, 2, 3, 8},       // zero width
                         BltRect{1, 4, 8, 4},       // zero height
                         BltRect{12, 1, 15, 5},     // both sides clamp to column 9
                         BltRect{-5, 1, -1, 5}}) {  // both sides clamp to column 0
        EXPECT_EQ(BltArray(src.Grid(), src.colours, 0, 0, rect, surface),
                  BltResult::kNothingToCopy);
    }
    EXPECT_TRUE(Untouched(surface));
}

TEST(BltArray, WritesOnlyThePixelsInsideTheSurface) {
    Source src(9, 9);
    MemorySurface surface(5, 4, 32);
    BltRect rect{0, 0, 9, 9};
    EXPECT_EQ(BltArray(src.Grid(), src.colours, 2, -1, rect, surface), BltResult::kCopied);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(Pixel(surface, 0, y), 0u);
        EXPECT_EQ(Pixel(surface, 1, y), 0u);
        for (int x = 2; x < 5; ++x) {
            EXPECT_EQ(Pixel(surface, x, y),
                      src.colours[static_cast<std::size_t>(10 * (y + 1) + x - 2)]);
        }
    }
    // Entirely off the surface: nothing written, still a copy.
    MemorySurface other(5, 4, 32);
    BltRect r2{0, 0, 3, 3};
    EXPECT_EQ(BltArray(src.Grid(), src.colours, 50, 50, r2, other), BltResult::kCopied);
    EXPECT_TRUE(Untouched(other));
}

TEST(BltArray, SixteenBitSurfacesTakeTheLow16Bits) {
    Source src(3, 3);
    MemorySurface surface(4, 4, 16);
    BltRect rect{0, 0, 3, 3};
    BltArray(src.Grid(), src.colours, 0, 0, rect, surface);
    EXPECT_EQ(Pixel(surface, 2, 1), src.colours[12] & 0xFFFF);
    EXPECT_EQ(surface.Bytes().size(), 32u);
}

TEST(BltArray, MatchesThePixelByPixelTranscription) {
    Source src(40, 30);
    for (const int depth : {16, 32}) {
        for (int dx = -12; dx <= 30; dx += 7) {
            for (int dy = -9; dy <= 22; dy += 5) {
                MemorySurface want(25, 20, depth), got(25, 20, depth);
                BltRect a{35, 2, 3, 28}, b = a;
                const auto r1 = oracle::OracleBltArray(src.Grid(), src.colours, dx, dy, a, want);
                const auto r2 = BltArray(src.Grid(), src.colours, dx, dy, b, got);
                ASSERT_EQ(r1, r2);
                ASSERT_EQ(want.Bytes(), got.Bytes()) << depth << " " << dx << " " << dy;
            }
        }
    }
}

class LockRefusingSurface final : public Surface {
  public:
    int Width() const override { return 8; }
    int Height() const override { return 8; }
    int BitsPerPixel() const override { return 32; }
    bool Lock(LockedPixels&) override { return false; }
    void Unlock() override { ++unlocks; }
    int unlocks = 0;
};

TEST(BltArray, AFailedLockIsReportedAndNotUnlocked) {
    Source src(9, 9);
    LockRefusingSurface surface;
    BltRect rect{0, 0, 5, 5};
    EXPECT_EQ(BltArray(src.Grid(), src.colours, 0, 0, rect, surface), BltResult::kLockFailed);
    EXPECT_EQ(surface.unlocks, 0);
}

}  // namespace
}  // namespace cindral::display
