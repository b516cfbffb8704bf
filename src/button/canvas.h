#pragma once

#include <string>
#include <vector>

#include "button/types.h"

namespace cindral::button {

// The caption font as the painter asks for it: a negative height is the
// character height in pixels.
struct FontSpec {
    std::string face;
    int height = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int charset = 0;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// A one-bit stencil: `on` pixels get painted by Canvas::FillMask.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<bool> on;
};

enum class PenStyle { Solid, Dot };
enum class TextAlign { Left, Center, Right };

// The off-screen surface the button paints into. Colours are RGB (red in the
// low byte). Lines follow the window system's convention: a polyline does not
// draw its final point.
class Canvas {
  public:
    virtual ~Canvas() = default;
    virtual Size GetSize() const = 0;
    // Fills r (right/bottom exclusive) with a brush and pen of one colour.
    virtual void FillRect(const Rect& r, Color rgb) = 0;
    virtual void Polyline(const std::vector<Point>& pts, Color rgb, int width, PenStyle style) = 0;
    // Outline of the ellipse inside r, no fill.
    virtual void Ellipse(const Rect& r, Color rgb, int penWidth) = 0;
    virtual void SetClipEllipse(const Rect& r) = 0;
    virtual void ClearClip() = 0;
    virtual void SetFont(const FontSpec& font) = 0;
    // Text may hold "\r\n" line breaks and "&" access-key marks ("&&" shows
    // one "&"); it wraps at word boundaries within maxWidth.
    virtual Size MeasureText(const std::string& text, int maxWidth) = 0;
    virtual void DrawText(const Rect& r, const std::string& text, Color rgb, TextAlign align) = 0;
    // Dotted rectangle outline that inverts every other pixel.
    virtual void DrawFocusRect(const Rect& r) = 0;
    // Draws pic unscaled at `at`; bitmaps leave their top-left pixel's colour
    // out, icons blend by their alpha.
    virtual void DrawPicture(Point at, const Picture& pic) = 0;
    virtual void FillMask(Point at, const Mask& mask, Color rgb) = 0;
};

}  // namespace cindral::button
