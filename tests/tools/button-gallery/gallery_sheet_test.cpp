#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "sheet_layout.h"

namespace cindral::tools::gallery {
namespace {

// The sheet the gallery draws, made once for every test of this program.
const QImage& Sheet() {
    static const QImage sheet = [] {
        const auto path = std::filesystem::temp_directory_path() /
                          ("cindral-gallery-" + std::to_string(::getpid()) + ".png");
        const std::string cmd = std::string("QT_QPA_PLATFORM=offscreen '") + GALLERY_EXE +
                                "' --out '" + path.string() + "'";
        QImage img;
        if (std::system(cmd.c_str()) == 0) img.load(QString::fromStdString(path.string()));
        std::filesystem::remove(path);
        return img.convertToFormat(QImage::Format_RGB32);
    }();
    return sheet;
}

QRgb At(const CellBox& box, int x, int y) { return Sheet().pixel(box.x + x, box.y + y) & 0xFFFFFF; }

QImage Button(int style, int shape, int variant, int state) {
    const CellBox b = ButtonIn(Cell(style, shape, variant, state));
    return Sheet().copy(b.x, b.y, b.width, b.height);
}

std::string Where(int style, int shape, int variant) {
    return "style " + std::to_string(style) + ", shape " + std::to_string(shape) + ", variant " +
           std::to_string(variant);
}

TEST(GallerySheet, EveryCellHoldsAButton) {
    ASSERT_EQ(Sheet().size(), QSize(kSheetW, kSheetH));
    const QRgb background = At({0, 0, 1, 1}, kSheetW - 1, kSheetH - 1);
    for (int style = 0; style < kStyles; ++style)
        for (int shape = 0; shape < kShapes; ++shape)
            for (int v = 0; v < kVariants; ++v)
                for (int s = 0; s < kStates; ++s) {
                    const CellBox b = ButtonIn(Cell(style, shape, v, s));
                    int drawn = 0;
                    for (int y = 0; y < b.height; ++y)
                        for (int x = 0; x < b.width; ++x) drawn += At(b, x, y) != background;
                    // At least the caption and the face's edge differ from the sheet.
                    EXPECT_GT(drawn, 60) << Where(style, shape, v) << ", state " << s;
                }
}

// Where the looks of two states differ: focus always shows (a frame, edge
// colours, an outline or a ring); pressing moves the caption, except in
// style 3, whose pressed face colour and bevel show it instead; a disabled
// caption is grey. Style 3 with a gradient face on the flat-press and ring
// ovals has nothing that shows a press: the gradient ignores the pressed face
// colour, those ovals draw no bevel and no pressed ring. Hovering shows only
// in styles 2 (hover edges or ring) and 5 (the bevel appears); with the hover
// colours locked to the normal ones every other style looks the same.
TEST(GallerySheet, StatesDifferWhereTheirLooksDo) {
    for (int style = 0; style < kStyles; ++style)
        for (int shape = 0; shape < kShapes; ++shape)
            for (int v = 0; v < kVariants; ++v) {
                const std::string where = Where(style, shape, v);
                const QImage normal = Button(style, shape, v, Normal);
                EXPECT_NE(normal, Button(style, shape, v, Focused)) << where;
                const bool pressShows =
                    !(style == 3 && v >= WithGradient && (shape == 5 || shape == 6));
                EXPECT_EQ(Button(style, shape, v, Hover) != Button(style, shape, v, Pressed),
                          pressShows)
                    << where;
                EXPECT_NE(normal, Button(style, shape, v, Disabled)) << where;
                if (style == 2 || style == 5) {
                    EXPECT_NE(normal, Button(style, shape, v, Hover)) << where;
                } else {
                    EXPECT_EQ(normal, Button(style, shape, v, Hover)) << where;
                }
            }
}

// The plain style 0 rectangle: a raised bevel (white, light grey above and
// left; grey, black below and right), and a caption in the black fore colour
// that turns grey and white when disabled.
TEST(GallerySheet, PlainStyle0ButtonShowsItsBevelAndCaption) {
    const CellBox normal = ButtonIn(Cell(0, 0, Plain, Normal));
    EXPECT_EQ(At(normal, 0, 16), 0xFFFFFFu);
    EXPECT_EQ(At(normal, 1, 16), 0xE9E9E9u);
    EXPECT_EQ(At(normal, 88, 16), 0x808080u);
    EXPECT_EQ(At(normal, 89, 16), 0x000000u);
    EXPECT_EQ(At(normal, 45, 33), 0x000000u);

    auto count = [](const CellBox& b, QRgb colour) {
        int n = 0;
        for (int y = 6; y < 28; ++y)
            for (int x = 6; x < 84; ++x) n += At(b, x, y) == colour;
        return n;
    };
    EXPECT_GT(count(normal, 0x000000), 40);  // "Button" with its underlined B
    const CellBox disabled = ButtonIn(Cell(0, 0, Plain, Disabled));
    EXPECT_EQ(count(disabled, 0x000000), 0);
    EXPECT_GT(count(disabled, 0x808080), 40);
    EXPECT_GT(count(disabled, 0xFFFFFF), 20);
}

}  // namespace
}  // namespace cindral::tools::gallery
