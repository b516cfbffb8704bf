// The edge clearing and the in-place blur, on the worked examples and against
// the element-by-element transcription on odd sizes.

#include "fire/heat_filters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "fire/rnd.h"
#include "oracle/oracle_filters.h"

namespace cindral::fire {
namespace {

struct Grid {
    int W, H;
    std::vector<std::uint8_t> cells;
    Grid(int w, int h) : W(w), H(h), cells(static_cast<std::size_t>((w + 1) * (h + 1)), 0) {}
    std::uint8_t& at(int c, int r) { return cells[static_cast<std::size_t>(r * (W + 1) + c)]; }
};

TEST(VbBlurImg, UniformSquareLosesHeatToTheBorderDownwards) {
    Grid g(6, 6);
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 5; ++c) g.at(c, r) = 90;
    vbBlurImg(6, 6, g.cells.data());
    const int expected[5][5] = {{40, 60, 60, 60, 40},
                                {51, 77, 80, 77, 51},
                                {54, 83, 86, 83, 54},
                                {55, 84, 88, 84, 55},
                                {35, 55, 58, 55, 35}};
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 5; ++c) EXPECT_EQ(g.at(c, r), expected[r - 1][c - 1]) << c << "," << r;
    for (int i = 0; i <= 6; ++i) {
        EXPECT_EQ(g.at(0, i), 0);
        EXPECT_EQ(g.at(6, i), 0);
        EXPECT_EQ(g.at(i, 0), 0);
        EXPECT_EQ(g.at(i, 6), 0);
    }
}

TEST(VbBlurImg, SingleHotCellSpreadsMostlyDownwards) {
    Grid g(10, 8);
    g.at(5, 4) = 255;
    vbBlurImg(10, 8, g.cells.data());
    Grid want(10, 8);
    for (int c = 4; c <= 6; ++c) want.at(c, 3) = 28;
    const int row4[] = {3, 34, 37, 34, 3}, row5[] = {4, 8, 11, 8, 4}, row6[] = {1, 2, 3, 2, 1};
    for (int i = 0; i < 5; ++i) {
        want.at(3 + i, 4) = static_cast<std::uint8_t>(row4[i]);
        want.at(3 + i, 5) = static_cast<std::uint8_t>(row5[i]);
        want.at(3 + i, 6) = static_cast<std::uint8_t>(row6[i]);
    }
    EXPECT_EQ(g.cells, want.cells);
}

TEST(VbClearEdge, ZeroesTheBorderWhichThenStaysZeroThroughBlurs) {
    Grid g(9, 7);
    Rnd rnd(3);
    for (auto& v : g.cells) v = static_cast<std::uint8_t>(1 + rnd.NextBits() % 255);
    vbClearEdge(9, 7, g.cells.data());
    for (int pass = 0; pass < 4; ++pass) {
        for (int r = 0; r <= 7; ++r) {
            EXPECT_EQ(g.at(0, r), 0);
            EXPECT_EQ(g.at(9, r), 0);
        }
        for (int c = 0; c <= 9; ++c) {
            EXPECT_EQ(g.at(c, 0), 0);
            EXPECT_EQ(g.at(c, 7), 0);
        }
        // Only the border was cleared.
        if (pass == 0) {
            EXPECT_NE(g.at(4, 3), 0);
        }
        vbBlurImg(9, 7, g.cells.data());
    }
}

TEST(VbBlurImg, ReadsButNeverWritesTheBorder) {
    Grid g(5, 4);
    for (auto& v : g.cells) v = 200;
    vbBlurImg(5, 4, g.cells.data());
    for (int r = 0; r <= 4; ++r) {
        EXPECT_EQ(g.at(0, r), 200);
        EXPECT_EQ(g.at(5, r), 200);
    }
    for (int c = 0; c <= 5; ++c) {
        EXPECT_EQ(g.at(c, 0), 200);
        EXPECT_EQ(g.at(c, 4), 200);
    }
    EXPECT_EQ(g.at(2, 2), 200);
}

TEST(DivideBy9, ExactForEveryNineByteSum) {
    for (std::uint32_t x = 0; x <= 2295; ++x) {
        ASSERT_EQ(DivideBy9(static_cast<std::uint16_t>(x)), x / 9) << x;
    }
}

// Widths around the 16-lane steps exercise the vector body and the tails.
TEST(VbBlurImg, MatchesTheTranscriptionOnManySizes) {
    Rnd rnd(11);
    for (int W = 2; W <= 70; ++W) {
        for (const int H : {2, 3, 5, 17}) {
            oracle::HeatGrid want{W, H, {}};
            want.cells.resize(static_cast<std::size_t>((W + 1) * (H + 1)));
            for (auto& v : want.cells) v = static_cast<std::uint8_t>(rnd.NextBits());
            std::vector<std::uint8_t> got = want.cells;
            for (int pass = 0; pass < 3; ++pass) {
                oracle::OracleBlur(want);
                vbBlurImg(W, H, got.data());
            }
            ASSERT_EQ(got, want.cells) << "W " << W << " H " << H;
        }
    }
}

TEST(VbBlurImg, TooSmallBuffersAreLeftAlone) {
    std::vector<std::uint8_t> cells(4, 99);  // 2 x 2 cells: W = H = 1
    vbBlurImg(1, 1, cells.data());
    EXPECT_EQ(cells, std::vector<std::uint8_t>(4, 99));
}

}  // namespace
}  // namespace cindral::fire
