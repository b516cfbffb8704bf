#pragma once
// The window's geometry and drawings as plain data: outer size and position,
// the backdrop's lines, the texture tiles, the zoom rectangles and the point
// they start from.

#include <cstdint>
#include <vector>

#include "button/types.h"

namespace cindral::settings_window {

// Points, sizes and rectangles as the window system counts them (left/top
// inclusive, right/bottom exclusive): the same ones the button control uses.
using button::Point;
using button::Rect;
using button::Size;

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The two textured panels: Pic_1(0) holds the fire kinds, Pic_1(1) the music.
enum class Panel { Fire = 0, Music = 1 };

struct ScreenMetrics {
    Size pixels;                   // the whole screen
    double twipsPerPixelX = 15.0;  // 1440 / horizontal dots per inch
    double twipsPerPixelY = 15.0;
};

// The screen point the zoom effects start from and return to: the cursor's
// coordinates cut to their low 16 bits. (0, 0) until the window sets it.
struct EffectOrigin {
    std::int16_t x = 0;
    std::int16_t y = 0;
    friend bool operator==(const EffectOrigin&, const EffectOrigin&) = default;
};

// The layout counts pixels of a screen of 15 twips per pixel (96 dots per
// inch). On another screen each edge of a control is its layout value times
// 15 / twips per pixel, rounded half to even: the window keeps its size in
// inches, as the twips it is laid out in mean.
int ScaledPixels(int layoutPixels, double twipsPerPixel);
Size ScaledSize(Size layout, const ScreenMetrics& screen);
Rect ScaledRect(const Rect& layout, const ScreenMetrics& screen);

// A font of `points` in pixels on this screen (one point is 20 twips): the
// height the window system is asked for, as the push buttons derive theirs.
int FontPixels(double points, double twipsPerPixelY);

// Pictures grow by whole pixels only, so their pixels stay sharp: the largest
// whole factor the screen's scale reaches, at least 1.
int PictureScale(const ScreenMetrics& screen);
// Where a picture of `picture` pixels, grown by `scale`, sits centred in a
// holder's drawing area (`area`, in the holder's coordinates).
Rect PictureRect(const Rect& area, Size picture, int scale);

// Outer frame of the window, in twips (as the window system is told) and in
// pixels (twips over twips per pixel, rounded).
struct OuterGeometry {
    Size sizeTwips;
    Point positionTwips;
    Size sizePixels;
    Point positionPixels;
};

// The frame is the client area (given in layout pixels, converted to this
// screen's pixels) plus 6 pixels across and 25 down, in twips;
// it is centred horizontally and sits at a third of the free height: each
// difference to the screen size is rounded, then divided with truncation.
OuterGeometry WindowGeometry(Size client, const ScreenMetrics& screen);

// One horizontal line of the backdrop, from (0, y) to (width, y).
struct BackdropLine {
    int y = 0;
    Rgb color;
};

// The vertical gradient over a drawing area of `height` pixels: for y = 0 up
// to height, c = |220 sin(y / (height / 3.142))| rounded half to even, colour
// RGB(c, c, c + 30): dark blue at the top and bottom, pale lavender between.
std::vector<BackdropLine> BackdropLines(int height);

// The backdrop's shade behind a control on Pic_C: the colour of the line
// through the control's vertical middle. A control that draws its
// container's colour (the two large buttons) uses it.
Rgb BackdropShadeBehind(const Rect& control, int height);

// Where the texture tile is copied on a panel's drawing area: column by column
// from the top, each column until a tile has started below the bottom edge,
// and columns until one has started right of the right edge.
std::vector<Point> TilePositions(Size panel, Size tile);

// The effect origin for a cursor position; (0, 0) when it could not be read.
EffectOrigin EffectOriginFrom(const Point* cursor);

// The two rectangles of a zoom: opening runs from the empty rectangle at the
// origin to the window, closing the other way.
struct ZoomRects {
    Rect from;
    Rect to;
};
ZoomRects ZoomWindowOpen(const EffectOrigin& origin, const Rect& window);
ZoomRects ZoomWindowClose(const EffectOrigin& origin, const Rect& window);

}  // namespace cindral::settings_window
