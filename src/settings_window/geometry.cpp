#include "settings_window/geometry.h"

#include <algorithm>
#include <cmath>

namespace cindral::settings_window {
namespace {

// Round half to even, the rounding of every real-to-integer conversion here.
long Nearest(double v) { return std::lrint(v); }

}  // namespace

int ScaledPixels(int layoutPixels, double twipsPerPixel) {
    if (!(twipsPerPixel > 0)) return layoutPixels;
    return static_cast<int>(Nearest(layoutPixels * 15.0 / twipsPerPixel));
}

Size ScaledSize(Size layout, const ScreenMetrics& screen) {
    return {ScaledPixels(layout.width, screen.twipsPerPixelX),
            ScaledPixels(layout.height, screen.twipsPerPixelY)};
}

Rect ScaledRect(const Rect& layout, const ScreenMetrics& screen) {
    return {ScaledPixels(layout.left, screen.twipsPerPixelX),
            ScaledPixels(layout.top, screen.twipsPerPixelY),
            ScaledPixels(layout.right, screen.twipsPerPixelX),
            ScaledPixels(layout.bottom, screen.twipsPerPixelY)};
}

int FontPixels(double points, double twipsPerPixelY) {
    const double twips = twipsPerPixelY > 0 ? twipsPerPixelY : 15.0;
    return static_cast<int>(Nearest(points * 20.0 / twips));
}

int PictureScale(const ScreenMetrics& screen) {
    const double tpp = std::max(screen.twipsPerPixelX, screen.twipsPerPixelY);
    if (!(tpp > 0)) return 1;
    // A hair of slack so that 1440 / 192 dots per inch still counts as twice.
    return std::max(1, static_cast<int>(std::floor(15.0 / tpp + 1e-9)));
}

Rect PictureRect(const Rect& area, Size picture, int scale) {
    const int w = picture.width * scale, h = picture.height * scale;
    const int left = area.left + (area.right - area.left - w) / 2;
    const int top = area.top + (area.bottom - area.top - h) / 2;
    return {left, top, left + w, top + h};
}

OuterGeometry WindowGeometry(Size client, const ScreenMetrics& screen) {
    OuterGeometry g;
    const Size pixels = ScaledSize(client, screen);
    const double widthTwips = (pixels.width + 6) * screen.twipsPerPixelX;
    const double heightTwips = (pixels.height + 25) * screen.twipsPerPixelY;
    g.sizeTwips = {static_cast<int>(Nearest(widthTwips)), static_cast<int>(Nearest(heightTwips))};
    const double screenWidthTwips = screen.pixels.width * screen.twipsPerPixelX;
    const double screenHeightTwips = screen.pixels.height * screen.twipsPerPixelY;
    g.positionTwips = {static_cast<int>(Nearest(screenWidthTwips - g.sizeTwips.width) / 2),
                       static_cast<int>(Nearest(screenHeightTwips - g.sizeTwips.height) / 3)};
    g.sizePixels = {static_cast<int>(Nearest(g.sizeTwips.width / screen.twipsPerPixelX)),
                    static_cast<int>(Nearest(g.sizeTwips.height / screen.twipsPerPixelY))};
    g.positionPixels = {static_cast<int>(Nearest(g.positionTwips.x / screen.twipsPerPixelX)),
                        static_cast<int>(Nearest(g.positionTwips.y / screen.twipsPerPixelY))};
    return g;
}

std::vector<BackdropLine> BackdropLines(int height) {
    std::vector<BackdropLine> lines;
    const double k = height / 3.142;
    for (int y = 0; y <= height; ++y) {
        const auto c = static_cast<std::uint8_t>(Nearest(std::fabs(220.0 * std::sin(y / k))));
        lines.push_back({y, Rgb{c, c, static_cast<std::uint8_t>(c + 30)}});
    }
    return lines;
}

Rgb BackdropShadeBehind(const Rect& control, int height) {
    const std::vector<BackdropLine> lines = BackdropLines(height);
    const int middle = std::clamp((control.top + control.bottom) / 2, 0, height);
    return lines[static_cast<std::size_t>(middle)].color;
}

std::vector<Point> TilePositions(Size panel, Size tile) {
    std::vector<Point> at;
    if (tile.width <= 0 || tile.height <= 0) return at;
    int x = 0, y = 0;
    while (true) {
        at.push_back({x, y});
        if (y <= panel.height) {
            y += tile.height;
        } else if (x > panel.width) {
            break;
        } else {
            x += tile.width;
            y = 0;
        }
    }
    return at;
}

EffectOrigin EffectOriginFrom(const Point* cursor) {
    if (!cursor) return {};
    return {static_cast<std::int16_t>(static_cast<std::uint16_t>(cursor->x & 0xFFFF)),
            static_cast<std::int16_t>(static_cast<std::uint16_t>(cursor->y & 0xFFFF))};
}

ZoomRects ZoomWindowOpen(const EffectOrigin& origin, const Rect& window) {
    return {Rect{origin.x, origin.y, origin.x, origin.y}, window};
}

ZoomRects ZoomWindowClose(const EffectOrigin& origin, const Rect& window) {
    const ZoomRects open = ZoomWindowOpen(origin, window);
    return {open.to, open.from};
}

}  // namespace cindral::settings_window
