#pragma once
// The cubic Bezier curve the wind profile eases along.

namespace cindral::fire {

struct PointF {
    float x = 0.0f;
    float y = 0.0f;
};

// (1-t)^3 P0 + 3t(1-t)^2 P1 + 3t^2(1-t) P2 + t^3 P3 per coordinate, evaluated in
// double left to right and rounded to single precision once.
inline PointF BezierPoint(PointF p0, PointF p1, PointF p2, PointF p3, float t) {
    const double s = t;
    const double u = 1.0 - s;
    const auto coord = [&](float a, float b, float c, float d) {
        return static_cast<float>(u * u * u * a + 3.0 * s * u * u * b + 3.0 * s * s * u * c +
                                  s * s * s * d);
    };
    return {coord(p0.x, p1.x, p2.x, p3.x), coord(p0.y, p1.y, p2.y, p3.y)};
}

}  // namespace cindral::fire
