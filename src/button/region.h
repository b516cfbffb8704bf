#pragma once
// Window shapes as geometry, and the pixels one-pixel lines cover.

#include <vector>

#include "button/types.h"

namespace cindral::button {

// A window shape as geometry: rectangles, polygons and ellipses, each added
// to or cut from what came before. Pixel (x, y) counts as inside a part when
// its centre (x + 0.5, y + 0.5) is.
struct Region {
    enum class Kind { Rectangle, Polygon, Ellipse };
    struct Part {
        Kind kind = Kind::Rectangle;
        bool subtract = false;
        Rect box;                   // rectangle, or the ellipse's bounding box
        std::vector<Point> points;  // polygon corners
    };
    std::vector<Part> parts;

    void AddRect(const Rect& r) { parts.push_back({Kind::Rectangle, false, r, {}}); }
    void AddEllipse(const Rect& r) { parts.push_back({Kind::Ellipse, false, r, {}}); }
    void AddPolygon(std::vector<Point> pts) {
        parts.push_back({Kind::Polygon, false, {}, std::move(pts)});
    }
    void CutRect(const Rect& r) { parts.push_back({Kind::Rectangle, true, r, {}}); }
    void CutPolygon(std::vector<Point> pts) {
        parts.push_back({Kind::Polygon, true, {}, std::move(pts)});
    }

    bool Contains(int x, int y) const;
};

// Pixels of a one-pixel line from a to b, b itself excluded (the window
// system's line convention), in drawing order.
std::vector<Point> LinePixels(Point a, Point b);

// Pixels of a polyline through pts, the final point excluded.
std::vector<Point> PolylinePixels(const std::vector<Point>& pts);

}  // namespace cindral::button
