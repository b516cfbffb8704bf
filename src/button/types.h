#pragma once
// Colours, points, rectangles, fonts and pictures as the button counts them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace cindral::button {

// Colours are 32-bit: an RGB value with red in the low byte, or a system
// colour with the high bit set and the system colour's index in the low byte.
using Color = std::uint32_t;

constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr Color kSysButtonFace = 0x8000000F;
constexpr Color kSysButtonText = 0x80000012;

// The system colours a colour value can name, numbered as the value's low
// byte names them (the numbering stored property values use).
enum class SystemColor : std::uint8_t {
    ScrollBar = 0,
    Desktop = 1,
    ActiveCaption = 2,
    InactiveCaption = 3,
    Menu = 4,
    Window = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkspace = 12,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    GrayText = 17,
    ButtonText = 18,
    InactiveCaptionText = 19,
    ButtonHighlight = 20,
    DarkShadow = 21,
    Light = 22,
    InfoText = 23,
    InfoBackground = 24,
    // 25 names nothing.
    HotLight = 26,
    GradientActiveCaption = 27,
    GradientInactiveCaption = 28,
    MenuHighlight = 29,
    MenuBar = 30,
};

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Left/top inclusive, right/bottom exclusive, as the window system counts.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Rect Inset(int d) const { return {left + d, top + d, right - d, bottom - d}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A font as the window holds it; the caption font is derived from it.
struct Font {
    std::string face = "MS Sans Serif";
    double pointSize = 8.25;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int charset = 0;
    friend bool operator==(const Font&, const Font&) = default;
};

// A picture: pixels are 0xAARRGGBB, row by row. Icons carry their own alpha;
// bitmaps are opaque and drawn with their top-left pixel as transparent colour.
struct Picture {
    int width = 0;
    int height = 0;
    bool isIcon = false;
    std::vector<std::uint32_t> pixels;
    friend bool operator==(const Picture&, const Picture&) = default;
};
using PicturePtr = std::shared_ptr<const Picture>;

// A picture whose pixels match its size; anything else counts as no picture.
inline bool IsUsable(const Picture& p) {
    return p.width > 0 && p.height > 0 &&
           p.pixels.size() == static_cast<size_t>(p.width) * static_cast<size_t>(p.height);
}

inline bool SamePicture(const PicturePtr& a, const PicturePtr& b) {
    if (!a || !b) return a == b;
    return a == b || *a == *b;
}

}  // namespace cindral::button
