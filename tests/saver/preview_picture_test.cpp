// The preview follows its host: a change of the host's size is a redraw at the
// new size, the same size again is nothing, and what is drawn is the still
// scaled to the size last followed.

#include "saver/preview_picture.h"

#include <gtest/gtest.h>

namespace cindral::saver {
namespace {

TEST(PreviewPicture, FollowsEachChangeOfTheHostAndDrawsAtTheNewSize) {
    // Pixel (x, y) of a w x h picture takes source pixel (x * sw / w, y * sh / h).
    PreviewPicture preview(StillImage{2, 2, {1, 2, 3, 4}}, 2, 2);
    struct Step {
        int width, height;
        bool redraw;
        std::vector<std::uint32_t> row0;  // the whole first row afterwards
    };
    const Step steps[] = {
        {2, 2, false, {1, 2}},        // the size it was made at
        {4, 2, true, {1, 1, 2, 2}},   // wider: each column twice
        {4, 2, false, {1, 1, 2, 2}},  // the same again
        {3, 5, true, {1, 1, 2}},      // narrower and taller
        {0, 0, true, {}},             // a host with no area shows nothing
        {2, 2, true, {1, 2}},         // and comes back
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(::testing::Message() << s.width << "x" << s.height);
        EXPECT_EQ(preview.FollowHost(s.width, s.height), s.redraw);
        EXPECT_EQ(preview.Width(), s.width);
        EXPECT_EQ(preview.Height(), s.height);
        EXPECT_EQ(preview.Region(0, 0, s.width, 1).pixels, s.row0);
    }
    // Only what lies inside the preview's size is drawn.
    EXPECT_EQ(preview.Region(1, 1, 5, 5).pixels, (std::vector<std::uint32_t>{4}));
}

}  // namespace
}  // namespace cindral::saver
