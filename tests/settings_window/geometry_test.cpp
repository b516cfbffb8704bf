#include "settings_window/geometry.h"

#include <gtest/gtest.h>

#include "settings_window/layout.h"

namespace cindral::settings_window {
namespace {

TEST(SettingsGeometry, OuterSizeAndPositionFromTheScreen) {
    struct Case {
        ScreenMetrics screen;
        Size sizeTwips;
        Point positionTwips;
        Size sizePixels;
        Point positionPixels;
    };
    const Case cases[] = {
        // (549 + 6) x (393 + 25) pixels at 15 twips per pixel.
        {{{1024, 768}, 15, 15}, {8325, 6270}, {3517, 1750}, {555, 418}, {234, 117}},
        {{{1920, 1080}, 15, 15}, {8325, 6270}, {10237, 3310}, {555, 418}, {682, 221}},
        // At 120 dots per inch (12 twips per pixel) Pic_C is 686.25 x 491.25
        // pixels, rounded to 686 x 491, and the frame adds 6 x 25 pixels.
        {{{1280, 1024}, 12, 12}, {8304, 6192}, {3528, 2032}, {692, 516}, {294, 169}},
        // At 144 (10 twips per pixel): 823.5 x 589.5 rounds to even, 824 x 590.
        {{{1920, 1080}, 10, 10}, {8300, 6150}, {5450, 1550}, {830, 615}, {545, 155}},
        // A screen smaller than the window: the division truncates toward zero.
        {{{400, 300}, 15, 15}, {8325, 6270}, {-1162, -590}, {555, 418}, {-77, -39}},
    };
    for (const Case& c : cases) {
        const OuterGeometry g = WindowGeometry(kClientSize, c.screen);
        EXPECT_EQ(g.sizeTwips, c.sizeTwips);
        EXPECT_EQ(g.positionTwips, c.positionTwips);
        EXPECT_EQ(g.sizePixels, c.sizePixels);
        EXPECT_EQ(g.positionPixels, c.positionPixels);
    }
}

TEST(SettingsGeometry, LayoutPixelsFollowTheScreensTwipsPerPixel) {
    struct Case {
        double twipsPerPixel;  // 1440 / dots per inch
        Rect layout, scaled;
        int fontPixels;    // 9.75 points
        int pictureScale;  // whole pixels only
    };
    const Case cases[] = {
        {15, {360, 340, 449, 373}, {360, 340, 449, 373}, 13, 1},
        // 144 dpi: 1.5 times; 449 x 1.5 = 673.5 and 19.5 round to even.
        {10, {360, 340, 449, 373}, {540, 510, 674, 560}, 20, 1},
        {10, {32, 36, 45, 49}, {48, 54, 68, 74}, 20, 1},
        // 120 dpi: 1.25 times; 9.75 pt is 16.25 pixels.
        {12, {32, 36, 45, 49}, {40, 45, 56, 61}, 16, 1},
        // 192 dpi: twice, pictures too.
        {7.5, {32, 36, 45, 49}, {64, 72, 90, 98}, 26, 2},
        // 72 dpi: smaller, but a picture never shrinks.
        {20, {32, 36, 45, 49}, {24, 27, 34, 37}, 10, 1},
    };
    for (const Case& c : cases) {
        const ScreenMetrics screen{{1920, 1080}, c.twipsPerPixel, c.twipsPerPixel};
        EXPECT_EQ(ScaledRect(c.layout, screen), c.scaled) << c.twipsPerPixel;
        EXPECT_EQ(FontPixels(kLabelFontPoints, c.twipsPerPixel), c.fontPixels) << c.twipsPerPixel;
        EXPECT_EQ(PictureScale(screen), c.pictureScale) << c.twipsPerPixel;
    }
    // Each direction with its own density.
    EXPECT_EQ(ScaledSize(kClientSize, ScreenMetrics{{0, 0}, 10, 15}), (Size{824, 393}));
    // The panels keep a one-pixel border: 517 x 189 at 1.5 is 776 x 284 outside.
    EXPECT_EQ(PanelDrawingArea(Panel::Fire, ScreenMetrics{{0, 0}, 10, 10}), (Size{774, 282}));
}

TEST(SettingsGeometry, PicturesSitCentredInTheirHolder) {
    // An 80 x 60 preview inside a sunken edge of 2 pixels: at once where it
    // fits exactly, centred in a larger holder, grown whole when asked.
    EXPECT_EQ(PictureRect({2, 2, 82, 62}, {80, 60}, 1), (Rect{2, 2, 82, 62}));
    EXPECT_EQ(PictureRect({2, 2, 124, 94}, {80, 60}, 1), (Rect{23, 18, 103, 78}));
    EXPECT_EQ(PictureRect({0, 0, 26, 26}, {13, 13}, 2), (Rect{0, 0, 26, 26}));
    EXPECT_EQ(PictureRect({0, 0, 20, 20}, {13, 13}, 1), (Rect{3, 3, 16, 16}));
}

TEST(SettingsGeometry, BackdropIsASineGradientFromDarkBlueToLavender) {
    struct Case {
        int height, y;
        int c;
    };
    // c = |220 sin(y / (height / 3.142))|, rounded to the nearest integer.
    const Case cases[] = {
        {393, 0, 0},     {393, 1, 2},     {393, 2, 4},     {393, 50, 86}, {393, 98, 155},
        {393, 196, 220}, {393, 197, 220}, {393, 295, 155}, {393, 392, 2}, {393, 393, 0},
        {100, 1, 7},     {100, 25, 156},  {100, 50, 220},  {100, 100, 0},
    };
    for (const Case& c : cases) {
        const std::vector<BackdropLine> lines = BackdropLines(c.height);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(c.height + 1));
        const BackdropLine& line = lines[static_cast<std::size_t>(c.y)];
        EXPECT_EQ(line.y, c.y);
        const auto v = static_cast<std::uint8_t>(c.c);
        EXPECT_EQ(line.color, (Rgb{v, v, static_cast<std::uint8_t>(c.c + 30)}))
            << c.height << " " << c.y;
    }
}

TEST(SettingsGeometry, ButtonsTakeTheBackdropShadeAtTheirMiddle) {
    // The large buttons span rows 340 to 372; row 356 has
    // c = |220 sin(356 / (393 / 3.142))| = 64.05, so 64.
    EXPECT_EQ(BackdropShadeBehind(Rect{360, 340, 449, 373}, 393), (Rgb{64, 64, 94}));
    EXPECT_EQ(BackdropShadeBehind(Rect{0, 190, 10, 202}, 393), (Rgb{220, 220, 250}));
    EXPECT_EQ(BackdropShadeBehind(Rect{0, 0, 10, 1}, 393), (Rgb{0, 0, 30}));
}

TEST(SettingsGeometry, TilesGoColumnByColumnUntilOneStartsOutside) {
    // A 30 x 25 area with 10 x 10 tiles: rows start at 0, 10, 20 and 30 (the
    // first below the bottom), columns at 0 to 40 (the first right of the edge).
    std::vector<Point> expected;
    for (int x = 0; x <= 40; x += 10)
        for (int y = 0; y <= 30; y += 10) expected.push_back({x, y});
    EXPECT_EQ(TilePositions({30, 25}, {10, 10}), expected);

    // The panels: one 560-pixel column covers the 515-pixel drawing area; the
    // second starts outside it.
    const std::vector<Point> fire = TilePositions(PanelDrawingArea(Panel::Fire), kTextureTile);
    ASSERT_EQ(fire.size(), 22u);
    EXPECT_EQ(fire[10], (Point{0, 200}));  // first tile below the 187-pixel height
    EXPECT_EQ(fire[11], (Point{560, 0}));
    EXPECT_EQ(TilePositions(PanelDrawingArea(Panel::Music), kTextureTile).size(), 14u);

    // A tile edge exactly at the bottom still gets one more row.
    EXPECT_EQ(TilePositions({10, 20}, {10, 10}).size(), 3u * 4u);
}

TEST(SettingsGeometry, ZoomRunsBetweenTheOriginAndTheWindow) {
    const EffectOrigin origin{-5, 300};
    const Rect window{234, 117, 789, 535};
    const ZoomRects open = ZoomWindowOpen(origin, window);
    EXPECT_EQ(open.from, (Rect{-5, 300, -5, 300}));
    EXPECT_EQ(open.to, window);
    const ZoomRects close = ZoomWindowClose(origin, window);
    EXPECT_EQ(close.from, window);
    EXPECT_EQ(close.to, (Rect{-5, 300, -5, 300}));
}

TEST(SettingsLayout, EveryControlLiesInsideItsContainer) {
    for (const ControlEntry& c : Controls()) {
        Rect container{0, 0, kClientSize.width, kClientSize.height};
        if (c.container == Container::FirePanel || c.container == Container::MusicPanel) {
            const Size area =
                PanelDrawingArea(c.container == Container::FirePanel ? Panel::Fire : Panel::Music);
            container = {0, 0, area.width, area.height};
        }
        EXPECT_GE(c.rect.left, container.left);
        EXPECT_GE(c.rect.top, container.top);
        EXPECT_LE(c.rect.right, container.right);
        EXPECT_LE(c.rect.bottom, container.bottom);
        EXPECT_EQ(FindControl(c.id, c.index), &c);
    }
    // In client coordinates a panel's controls sit inside its one-pixel border.
    EXPECT_EQ(ClientRect(*FindControl(ControlId::FireMarker, 8)), (Rect{165, 29, 178, 42}));
    EXPECT_EQ(ClientRect(*FindControl(ControlId::MusicLabel, 2)), (Rect{157, 265, 217, 278}));
    EXPECT_EQ(ClientRect(*FindControl(ControlId::SaveButton)), (Rect{360, 340, 449, 373}));
}

// The looks the window's description gives: centred titles, white credit,
// the file label's border and window-text colour, bordered previews, grey
// panels under the texture; the three buttons alone are push buttons.
TEST(SettingsLayout, ControlsLookAsDescribed) {
    for (const ControlEntry& c : Controls()) {
        const Look& look = c.look;
        const bool label = c.id == ControlId::Title || c.id == ControlId::RandomLabel ||
                           c.id == ControlId::MusicLabel || c.id == ControlId::RepeatLabel ||
                           c.id == ControlId::Credit || c.id == ControlId::FileName;
        SCOPED_TRACE(static_cast<int>(c.id) * 100 + c.index);
        EXPECT_EQ(look.kind == ControlKind::Label, label);
        EXPECT_EQ(look.kind == ControlKind::PushButton, PushButtonIndex(c.id) >= 0);
        EXPECT_EQ(look.align == TextAlign::Centre, c.id == ControlId::Title);
        EXPECT_EQ(look.text == kWhite, c.id == ControlId::Credit);
        // Plain labels show what lies under them and grow to fit their text.
        if (label && c.id != ControlId::FileName) {
            EXPECT_FALSE(look.fill.has_value());
        }
        EXPECT_EQ(look.growth == Growth::ToFitText,
                  label && c.id != ControlId::Title && c.id != ControlId::FileName);
        EXPECT_EQ(look.border == Border::Sunken,
                  c.id == ControlId::FileName || c.id == ControlId::FireImage);
    }
    const Look& file = FindControl(ControlId::FileName)->look;
    EXPECT_EQ(file.text, (Colour{{}, SystemColour::WindowText}));
    EXPECT_EQ(file.fill, (Colour{{}, SystemColour::Window}));
    for (int panel : {0, 1}) {
        const Look& look = FindControl(ControlId::Panel, panel)->look;
        EXPECT_EQ(look.kind, ControlKind::Surface);
        EXPECT_EQ(look.border, Border::Line);
        EXPECT_EQ(look.fill, (Colour{{128, 128, 128}}));
    }
}

TEST(SettingsLayout, LabelsGrowRightAndTextKeepsClearOfSunkenBorders) {
    const ControlEntry& random = *FindControl(ControlId::RandomLabel);  // 83 wide
    EXPECT_EQ(GrownWidth(random, 82), 83);
    EXPECT_EQ(GrownWidth(random, 83), 84);
    EXPECT_EQ(GrownWidth(random, 90), 91);
    EXPECT_EQ(GrownWidth(*FindControl(ControlId::Title), 200), 101);
    EXPECT_EQ(GrownWidth(*FindControl(ControlId::FileName), 400), 297);

    EXPECT_EQ(TextArea(*FindControl(ControlId::FileName)), (Rect{3, 2, 294, 27}));
    EXPECT_EQ(TextArea(*FindControl(ControlId::Title, 1)), (Rect{0, 0, 101, 17}));

    // At 144 dpi the label scales (each edge rounded half to even) while the
    // border and the margins inside it keep their pixels: lbl_Fname spans
    // 312..758 x 102..146, lbl_Rdm 246..370.
    const ScreenMetrics dense{{1920, 1080}, 10.0, 10.0};
    EXPECT_EQ(TextArea(*FindControl(ControlId::FileName), dense), (Rect{3, 2, 443, 42}));
    EXPECT_EQ(GrownWidth(random, 100, dense), 124);
    EXPECT_EQ(GrownWidth(random, 130, dense), 131);
    EXPECT_EQ(GrownWidth(*FindControl(ControlId::FileName), 600, dense), 446);

    // What shows behind a control: the texture's average on the panels, the
    // backdrop's RGB(64, 64, 94) at the buttons' middle row on Pic_C.
    EXPECT_EQ(ChildShade(Container::FirePanel), (Rgb{197, 194, 193}));
    EXPECT_EQ(ChildShade(Container::MusicPanel), (Rgb{197, 194, 193}));
    EXPECT_EQ(ChildShade(Container::PicC), (Rgb{64, 64, 94}));
}

// The three push buttons, and only they, each have a place of their own.
TEST(SettingsLayout, PushButtonsAreNumberedInOrder) {
    EXPECT_EQ(PushButtonIndex(ControlId::SaveButton), 0);
    EXPECT_EQ(PushButtonIndex(ControlId::CancelButton), 1);
    EXPECT_EQ(PushButtonIndex(ControlId::FileButton), 2);
    for (const ControlEntry& c : Controls()) {
        if (c.id != ControlId::SaveButton && c.id != ControlId::CancelButton &&
            c.id != ControlId::FileButton) {
            EXPECT_EQ(PushButtonIndex(c.id), -1) << static_cast<int>(c.id);
        }
    }
}

}  // namespace
}  // namespace cindral::settings_window
