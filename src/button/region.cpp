#include "button/region.h"

#include <cstdlib>

namespace cindral::button {

namespace {

bool InPart(const Region::Part& p, double x, double y) {
    switch (p.kind) {
        case Region::Kind::Rectangle:
            return x >= p.box.left && x < p.box.right && y >= p.box.top && y < p.box.bottom;
        case Region::Kind::Ellipse: {
            const double rx = p.box.Width() / 2.0;
            const double ry = p.box.Height() / 2.0;
            if (rx <= 0 || ry <= 0) return false;
            const double dx = (x - (p.box.left + rx)) / rx;
            const double dy = (y - (p.box.top + ry)) / ry;
            return dx * dx + dy * dy <= 1.0;
        }
        case Region::Kind::Polygon: {
            // Even-odd rule, as polygon regions are filled.
            bool in = false;
            const auto& v = p.points;
            for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
                const double yi = v[i].y, yj = v[j].y;
                if ((yi > y) != (yj > y)) {
                    const double xc = v[i].x + (y - yi) * (v[j].x - v[i].x) / (yj - yi);
                    if (x < xc) in = !in;
                }
            }
            return in;
        }
    }
    return false;
}

}  // namespace

bool Region::Contains(int x, int y) const {
    bool in = false;
    for (const auto& p : parts) {
        if (p.kind == Kind::Polygon && p.points.size() < 3) continue;
        if (InPart(p, x + 0.5, y + 0.5)) in = !p.subtract;
    }
    return in;
}

std::vector<Point> LinePixels(Point a, Point b) {
    std::vector<Point> out;
    int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    Point p = a;
    while (!(p == b)) {
        out.push_back(p);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            p.x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            p.y += sy;
        }
    }
    return out;
}

std::vector<Point> PolylinePixels(const std::vector<Point>& pts) {
    std::vector<Point> out;
    for (size_t i = 1; i < pts.size(); ++i) {
        auto seg = LinePixels(pts[i - 1], pts[i]);
        out.insert(out.end(), seg.begin(), seg.end());
    }
    return out;
}

}  // namespace cindral::button
