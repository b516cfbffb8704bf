// The still renderer: its arguments, its pictures and the PNG round trip.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "png_file.h"
#include "still_render.h"

namespace cindral::still {
namespace {

TEST(StillArgs, AcceptsTheDocumentedFormAndRejectsTheRest) {
    StillOptions o;
    EXPECT_EQ(
        ParseStillArgs(
            {"--kind", "6", "--frames", "40", "--seed", "9", "--depth", "16", "--out", "a.png"}, o),
        "");
    EXPECT_EQ(o.kind, 6);
    EXPECT_EQ(o.frames, 40);
    EXPECT_EQ(o.seed, 9u);
    EXPECT_EQ(o.depth, 16);
    EXPECT_EQ(o.out, "a.png");

    StillOptions p;
    EXPECT_NE(ParseStillArgs({"--kind", "1", "--frames", "4"}, p), "");  // no --out
    EXPECT_NE(ParseStillArgs({"--kind", "1", "--frames", "4", "--depth", "24", "--out", "x"}, p),
              "");
    EXPECT_NE(ParseStillArgs({"--kind", "x", "--frames", "4", "--out", "x"}, p), "");
    EXPECT_NE(ParseStillArgs({"--kind", "1", "--frames", "-4", "--out", "x"}, p), "");
    EXPECT_NE(ParseStillArgs({"--kind", "1", "--frames"}, p), "");
    EXPECT_NE(ParseStillArgs({"--colour", "1"}, p), "");
}

TEST(RenderStill, ShowsFireColoursAndRepeatsForASeed) {
    StillOptions o;
    o.kind = 0;
    o.frames = 120;
    const auto a = RenderStill(o, 0);
    ASSERT_EQ(a.size(), 320u * 240u * 3u);
    EXPECT_EQ(RenderStill(o, 0), a);
    int red = 0, blueish = 0;
    for (std::size_t i = 0; i < a.size(); i += 3) {
        if (a[i] > 200 && a[i + 2] < 100) ++red;
        if (a[i + 2] > a[i]) ++blueish;  // the fire palette never has more blue than red
    }
    EXPECT_GT(red, 320 * 240 / 4);
    EXPECT_EQ(blueish, 0);
    o.seed = 1;
    EXPECT_NE(RenderStill(o, 0), a);
}

TEST(RenderStill, SixteenBitsAreTheSamePictureWithFewerBits) {
    StillOptions o;
    o.kind = 3;
    o.frames = 50;
    const auto full = RenderStill(o, 0);
    o.depth = 16;
    const auto reduced = RenderStill(o, 0);
    ASSERT_EQ(full.size(), reduced.size());
    for (std::size_t i = 0; i < full.size(); ++i) {
        const unsigned keep = (i % 3 == 1) ? 6 : 5;
        const unsigned top = full[i] >> (8 - keep);
        const unsigned widened = (top << (8 - keep)) | (top >> (2 * keep - 8));
        ASSERT_EQ(reduced[i], widened) << i;
    }
}

TEST(RenderStill, KindEightAndKindsWithoutAPresetStillRender) {
    StillOptions o;
    o.kind = 8;
    o.frames = 10;
    EXPECT_EQ(RenderStill(o, 4000).size(), 320u * 240u * 3u);
    o.kind = 12;  // empty option string: defaults, still a picture
    EXPECT_EQ(RenderStill(o, 0).size(), 320u * 240u * 3u);
}

TEST(PngFile, WritesWhatReadsBack) {
    std::vector<std::uint8_t> rgb(7 * 5 * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 37);
    const auto path = (std::filesystem::temp_directory_path() / "cindral-still-test.png").string();
    ASSERT_EQ(WritePngRgb(path, 7, 5, rgb), "");
    int w = 0, h = 0;
    std::vector<std::uint8_t> back;
    ASSERT_TRUE(ReadPngRgb(path, w, h, back));
    EXPECT_EQ(w, 7);
    EXPECT_EQ(h, 5);
    EXPECT_EQ(back, rgb);
    std::remove(path.c_str());
    EXPECT_NE(WritePngRgb(path, 7, 6, rgb), "");  // size mismatch
    EXPECT_NE(WritePngRgb("/nonexistent-dir/x.png", 7, 5, rgb), "");
}

}  // namespace
}  // namespace cindral::still
