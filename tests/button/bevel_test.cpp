// Bevel rings, focus marks and oval rings of every style, state and shape,
// read back as pixels. Expected colours are the style tables' colours; the
// probe pixels are worked out by hand from the ring corners of an 89 x 33
// button (slant offset 34: left offset 34, right position 55).
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "fakes.h"

namespace cindral::button::test {
namespace {

enum State { Normal, Focused, Hover, Pressed, Disabled, FocusedWithoutRect };
const char* const kStateNames[] = {"normal",  "focused",  "hover",
                                   "pressed", "disabled", "focused without rectangle"};

// Brings a freshly resized run-time button into a state.
void Enter(Rig& rig, State s) {
    zoButtons_H& b = rig.b();
    switch (s) {
        case Normal:
            break;
        case Focused:
            b.OnGotFocus();
            break;
        case Hover:
            b.OnMouseMove(0, 0, 5, 5);
            break;
        case Pressed:
            b.OnMouseMove(0, 0, 5, 5);
            b.OnMouseDown(1, 0, 5, 5);
            break;
        case Disabled:
            b.SetEnabled(false);
            break;
        case FocusedWithoutRect:
            b.SetShowFocusRect(false);
            b.OnGotFocus();
            break;
    }
}

constexpr Color kWhite = Rgb(255, 255, 255), kGrey = Rgb(128, 128, 128), kBlack = 0;
constexpr Color kLight233 = Rgb(233, 233, 233);
constexpr Color kStyle3Focus = Rgb(153, 153, 204);
// The back colour every case sets; the fake system face is the container's.
constexpr Color kBack = Rgb(200, 180, 160);
constexpr Color kContainer = Rgb(212, 208, 200);
// Markers in the tables: the face of the state, or not looked at.
constexpr Color kFace = 0xFF000001;
constexpr Color kAny = 0xFF000002;

Color Inverted(Color c) { return c ^ 0xFFFFFF; }

enum Stroke { InnerTL, InnerBR, MiddleTL, MiddleBR, OuterTL, OuterBR, kStrokes };
const char* const kStrokeNames[] = {"inner top-left",  "inner bottom-right",
                                    "middle top-left", "middle bottom-right",
                                    "outer top-left",  "outer bottom-right"};

// Pixels only one stroke paints, per shape 0-3 of an 89 x 33 button.
//   rectangle: inner (2,30) (2,2) (86,2) (86,30) (1,30); middle (1,31) (1,1)
//     (87,1) (87,31) (0,31); outer (0,32) (0,0) (88,0) (88,32) (-1,32).
//   left slant: inner (32,30) (4,2) (86,2) (86,30) (31,30); middle (32,31)
//     (2,1) (87,1) (87,31) (30,31); outer (33,33) (0,0) (88,0) (88,32)
//     (31,32); the outer bottom edge, drawn after the slant, ends at x 32.
//   right slant: inner (2,30) (2,2) (55,2) (83,30) (1,30); middle (1,31) (1,1)
//     (55,1) (85,31) (0,31); outer (0,32) (0,0) (55,0) (88,33) (-1,32), closed
//     along the bottom to (88,32).
//   both: inner (32,30) (4,2) (55,2) (83,30) (31,30); middle (32,31) (2,1)
//     (55,1) (85,31) (30,31); outer (33,33) (0,0) (55,0) (88,33) (31,32),
//     closed to (88,32).
const std::vector<Point> kProbes[4][kStrokes] = {
    {{{2, 16}, {44, 2}},
     {{86, 16}, {44, 30}},
     {{1, 16}, {44, 1}},
     {{87, 16}, {44, 31}},
     {{0, 16}, {44, 0}},
     {{88, 16}, {44, 32}}},
    {{{18, 16}, {5, 3}, {31, 29}, {44, 2}},
     {{86, 16}, {60, 30}},
     {{17, 16}, {3, 2}, {30, 29}, {44, 1}},
     {{87, 16}, {60, 31}},
     {{16, 16}, {1, 1}, {30, 30}, {44, 0}},
     {{88, 16}, {60, 32}, {32, 32}}},
    {{{2, 16}, {30, 2}},
     {{69, 16}, {56, 3}, {82, 29}, {44, 30}},
     {{1, 16}, {30, 1}},
     {{70, 16}, {56, 2}, {84, 30}, {44, 31}},
     {{0, 16}, {30, 0}},
     {{71, 16}, {56, 1}, {87, 32}, {44, 32}}},
    {{{18, 16}, {30, 2}},
     {{69, 16}, {60, 30}},
     {{17, 16}, {30, 1}},
     {{70, 16}, {60, 31}},
     {{16, 16}, {1, 1}, {30, 0}},
     {{71, 16}, {60, 32}, {31, 32}}},
};
const char* const kShapeNames[] = {"rectangle", "left diagonal", "right diagonal", "both diagonal"};

struct Probe {
    Point at;
    Color want;
};

// One style's look: ring colours per state, its face colours, the colour of
// the focus outline of the diagonal shapes, and the focus mark of a focused
// rectangle.
struct StyleLook {
    int style;
    struct Row {
        State state;
        std::array<Color, kStrokes> rings;
    };
    std::vector<Row> rows;
    Color face;
    Color pressedFace;
    Color outline;
    std::vector<Probe> rectangleFocus;  // kFace: the face is untouched there
};

Color Resolve(Color want, Color face) { return want == kFace ? face : want; }

// Every row on each straight or slanted shape. On a focused diagonal shape the
// focus outline runs through the inner ring's corners, over its strokes.
void ExpectLook(const StyleLook& look) {
    for (int shape = 0; shape < 4; ++shape) {
        for (const auto& row : look.rows) {
            Rig rig;
            rig.b().SetBackColor(kBack);
            rig.b().SetCaption("OK");
            rig.b().SetButtonStyle(look.style);
            rig.b().SetButtonShape(shape);
            Enter(rig, row.state);
            const Color face = row.state == Pressed ? look.pressedFace : look.face;
            auto rings = row.rings;
            if (row.state == Focused && shape != ShapeRectangle) {
                rings[InnerTL] = rings[InnerBR] = look.outline;
            }
            const std::string where = std::string("style ") + std::to_string(look.style) + ", " +
                                      kShapeNames[shape] + ", " + kStateNames[row.state];
            auto& px = rig.px();
            for (int s = 0; s < kStrokes; ++s) {
                if (rings[s] == kAny) continue;
                for (const Point p : kProbes[shape][s]) {
                    EXPECT_EQ(px.At(p.x, p.y), Resolve(rings[s], face))
                        << where << ": " << kStrokeNames[s] << " at " << p.x << "," << p.y;
                }
            }
            if (row.state == Focused && shape == ShapeRectangle) {
                ASSERT_EQ(rig.b().CaptionRect(), (Rect{37, 10, 51, 23}));  // "OK", 14 x 13
                for (const Probe& p : look.rectangleFocus) {
                    EXPECT_EQ(px.At(p.at.x, p.at.y), Resolve(p.want, face))
                        << where << ": focus mark at " << p.at.x << "," << p.at.y;
                }
            }
        }
    }
}

// The dotted focus rectangle 4 pixels inside the edges, (4,4)-(85,29): every
// other pixel inverted, starting with the corner.
std::vector<Probe> InsetFocusRectangle(Color face) {
    return {{{4, 4}, Inverted(face)},  {{5, 4}, kFace},
            {{44, 4}, Inverted(face)}, {{84, 28}, Inverted(face)},
            {{4, 16}, Inverted(face)}, {{3, 4}, kFace},
            {{37, 7}, kFace}};
}

// Around the "OK" caption (37,10)-(51,23), 3 pixels outside: (34,7)-(54,26).
std::vector<Probe> CaptionFocusOutline(Color c) {
    return {{{34, 7}, c},     {{44, 7}, c},     {{53, 16}, c},     {{44, 25}, c},  {{34, 16}, c},
            {{44, 6}, kFace}, {{44, 8}, kFace}, {{54, 16}, kFace}, {{4, 4}, kFace}};
}
std::vector<Probe> CaptionFocusRectangle(Color face) {
    return {{{35, 7}, Inverted(face)},
            {{36, 7}, kFace},
            {{53, 9}, Inverted(face)},
            {{35, 25}, Inverted(face)},
            {{34, 8}, Inverted(face)},
            {{44, 6}, kFace},
            {{4, 4}, kFace}};
}

TEST(BevelStyle0, RaisedBevelBlackFrameWhenFocusedFlatWhenPressed) {
    const Color F = kFace, W = kWhite, G = kGrey, B = kBlack, L = kLight233;
    ExpectLook({0,
                {{Normal, {F, F, L, G, W, B}},
                 {Focused, {L, G, W, B, B, B}},
                 {Hover, {F, F, L, G, W, B}},
                 {Pressed, {F, F, G, G, W, B}},
                 {Disabled, {F, F, L, G, W, B}}},
                kBack,
                kBack,
                Rgb(168, 148, 128),  // the face shaded -32
                InsetFocusRectangle(kBack)});
}

TEST(BevelStyle1, BlackLoopWithWhiteAndGreyRingsExchangedWhenPressed) {
    const Color F = kFace, W = kWhite, G = kGrey, B = kBlack;
    ExpectLook({1,
                {{Normal, {W, G, W, G, B, B}},
                 {Focused, {W, G, W, G, B, B}},
                 {Hover, {W, G, W, G, B, B}},
                 {Pressed, {F, F, G, W, B, B}},
                 {Disabled, {W, G, W, G, B, B}},
                 {FocusedWithoutRect, {W, G, W, G, B, B}}},
                kBack,
                kBack,
                Rgb(168, 148, 128),
                InsetFocusRectangle(kBack)});
}

// dark = 0x808080 shaded -26; the pressed face is 0x808080 shaded +12.
TEST(BevelStyle3, EtchedFrameAllDarkWhenDisabled) {
    const Color F = kFace, W = kWhite, D = Rgb(102, 102, 102), P = Rgb(140, 140, 140);
    ExpectLook({3,
                {{Normal, {F, F, W, D, D, W}},
                 {Focused, {F, F, W, D, D, W}},
                 {Hover, {F, F, W, D, D, W}},
                 {Pressed, {F, F, P, D, D, W}},
                 {Disabled, {F, F, D, D, D, D}}},
                kBack,
                P,
                Rgb(121, 121, 172),  // 153, 153, 204 shaded -32
                CaptionFocusOutline(kStyle3Focus)});
}

TEST(BevelStyle4, FlatOnePixelBevelExchangedWhenPressed) {
    const Color F = kFace, W = kWhite, G = kGrey;
    ExpectLook({4,
                {{Normal, {F, F, F, F, W, G}},
                 {Focused, {F, F, F, F, W, G}},
                 {Hover, {F, F, F, F, W, G}},
                 {Pressed, {F, F, F, F, G, W}},
                 {Disabled, {F, F, F, F, W, G}}},
                kBack,
                kBack,
                Rgb(168, 148, 128),
                InsetFocusRectangle(kBack)});
}

// At run time only the mouse over it shows a bevel.
TEST(BevelStyle5, BevelOnlyWhileTheMouseIsOverIt) {
    const Color F = kFace, W = kWhite, G = kGrey;
    ExpectLook({5,
                {{Normal, {F, F, F, F, F, F}},
                 {Focused, {F, F, F, F, F, F}},
                 {Hover, {F, F, F, F, W, G}},
                 {Pressed, {F, F, F, F, G, W}},
                 {Disabled, {F, F, F, F, F, F}}},
                kBack,
                kBack,
                Rgb(180, 176, 168),  // the container's colour shaded -32
                InsetFocusRectangle(kBack)});
}

// light = 223, 223, 223 shaded +8; which rings carry it is the painter's
// choice beyond the outer one: the inner ring is not looked at.
TEST(BevelStyle6, LightAndGreyRingsExchangedWhenPressed) {
    const Color A = kAny, L = Rgb(231, 231, 231), G = kGrey;
    ExpectLook({6,
                {{Normal, {A, A, L, G, L, G}},
                 {Focused, {A, A, L, G, L, G}},
                 {Hover, {A, A, L, G, L, G}},
                 {Pressed, {A, A, G, L, G, L}},
                 {Disabled, {A, A, L, G, L, G}}},
                kBack,
                kBack,
                Rgb(168, 148, 128),
                InsetFocusRectangle(kBack)});
}

// Face = back + 31 = (231,211,191); light = face + 31 = (255,242,222); dark =
// face - 64 = (167,147,127). Pressed: the face fill is back - 32
// (168,148,128); highlight dark - 32, light dark - 64, shadow dark - 16.
TEST(BevelStyle7, LightAndDarkRingsAroundAWhiteInnerRing) {
    const Color F = kFace, W = kWhite, Lt = Rgb(255, 242, 222), Dk = Rgb(167, 147, 127);
    const Color face = Rgb(231, 211, 191);
    const Color hi = Rgb(135, 115, 95), lo = Rgb(103, 83, 63), sh = Rgb(151, 131, 111);
    ExpectLook({7,
                {{Normal, {W, F, Lt, Dk, Lt, Dk}},
                 {Focused, {W, F, Lt, Dk, Lt, Dk}},
                 {Hover, {W, F, Lt, Dk, Lt, Dk}},
                 {Pressed, {hi, Dk, lo, sh, lo, sh}},
                 {Disabled, {W, F, Lt, Dk, Lt, Dk}}},
                face,
                Rgb(168, 148, 128),
                Rgb(199, 179, 159),  // the face shaded -32
                CaptionFocusRectangle(face)});
}

// Without the focus rectangle a focused diagonal button shows its own inner
// ring: style 1 white and grey, style 7 dark on both strokes.
TEST(BevelInnerRing, FocusedDiagonalWithoutFocusRectangle) {
    const struct {
        int style;
        Color topLeft, bottomRight;
    } cases[] = {{1, kWhite, kGrey}, {7, Rgb(167, 147, 127), Rgb(167, 147, 127)}};
    for (const auto& c : cases) {
        for (int shape = ShapeLeftDiagonal; shape <= ShapeBothDiagonal; ++shape) {
            Rig rig;
            rig.b().SetBackColor(kBack);
            rig.b().SetButtonStyle(c.style);
            rig.b().SetButtonShape(shape);
            Enter(rig, FocusedWithoutRect);
            ASSERT_EQ(rig.b().ButtonState(), StateFocused);
            for (const Point p : kProbes[shape][InnerTL])
                EXPECT_EQ(rig.px().At(p.x, p.y), c.topLeft) << c.style << " " << kShapeNames[shape];
            for (const Point p : kProbes[shape][InnerBR])
                EXPECT_EQ(rig.px().At(p.x, p.y), c.bottomRight)
                    << c.style << " " << kShapeNames[shape];
        }
    }
}

// Style 2: each side of the inner ring by state. Face = back + 48 with blue in
// proportion: (248,228,200); pressed face = that - 32: (216,196,167).
TEST(BevelStyle2, InnerRingSidesByState) {
    const Point left{2, 16}, top{44, 2}, right{86, 16}, bottom{44, 30};
    const struct {
        State state;
        Color left, top, right, bottom;
    } rows[] = {
        {Normal, Rgb(238, 218, 190), Rgb(255, 238, 210), Rgb(224, 204, 175), Rgb(216, 196, 167)},
        {Focused, Rgb(181, 209, 240), Rgb(189, 215, 247), Rgb(181, 209, 240), Rgb(140, 174, 231)},
        {Pressed, Rgb(194, 174, 148), Rgb(192, 172, 147), Rgb(248, 228, 200), Rgb(226, 206, 175)},
        {Hover, Rgb(255, 203, 107), Rgb(255, 219, 140), Rgb(255, 203, 107), Rgb(255, 178, 49)},
        {FocusedWithoutRect, Rgb(238, 218, 190), Rgb(255, 238, 210), Rgb(224, 204, 175),
         Rgb(216, 196, 167)},
    };
    for (const auto& r : rows) {
        Rig rig;
        rig.b().SetBackColor(kBack);
        rig.b().SetButtonStyle(2);
        Enter(rig, r.state);
        auto& px = rig.px();
        EXPECT_EQ(px.At(left.x, left.y), r.left) << kStateNames[r.state];
        EXPECT_EQ(px.At(top.x, top.y), r.top) << kStateNames[r.state];
        EXPECT_EQ(px.At(right.x, right.y), r.right) << kStateNames[r.state];
        EXPECT_EQ(px.At(bottom.x, bottom.y), r.bottom) << kStateNames[r.state];
    }
}

// The focus ring of the oval shapes: an ellipse inset 3 (2 for the ring
// shape) with a 1-pixel pen, so at mid height on column 3 (2) and on row 3 (2)
// at mid width. A colour that is pure black or white is shaded to a grey.
TEST(BevelOvalFocusRing, ColourAndInsetByStyleStateAndShape) {
    const Color none = kAny;
    const Color fore = Rgb(64, 64, 64);  // black fore colour, kept off black
    const Color blue = Rgb(107, 130, 239), amber = Rgb(231, 150, 0);
    const Color container = Rgb(180, 176, 168);
    struct Row {
        int style;
        Color normal, focused, hover, pressed;
    };
    const Row rows[] = {
        {0, none, fore, none, none},  {1, none, fore, none, none},
        {2, none, blue, amber, blue}, {3, none, kStyle3Focus, none, none},
        {4, none, fore, none, none},  {5, none, container, none, none},
        {6, none, fore, none, none},  {7, none, fore, none, none},
    };
    for (const Row& r : rows) {
        for (int shape : {ShapeOval, ShapeOvalFlatPress, ShapeOvalRing}) {
            const int inset = shape == ShapeOvalRing ? 2 : 3;
            for (const State st : {Normal, Focused, Hover, Pressed}) {
                const Color want = st == Normal    ? r.normal
                                   : st == Focused ? r.focused
                                   : st == Hover   ? r.hover
                                                   : r.pressed;
                Rig rig;
                rig.b().SetBackColor(kBack);
                rig.b().SetButtonStyle(r.style);
                rig.b().SetButtonShape(shape);
                Enter(rig, st);
                auto& px = rig.px();
                const std::string where = "style " + std::to_string(r.style) + ", shape " +
                                          std::to_string(shape) + ", " + kStateNames[st];
                if (want == none) {
                    // The face runs on to the ring's place.
                    EXPECT_EQ(px.At(inset, 16), px.At(inset + 1, 16)) << where;
                    continue;
                }
                EXPECT_EQ(px.At(inset, 16), want) << where;
                EXPECT_EQ(px.At(88 - inset, 16), want) << where;
                EXPECT_EQ(px.At(44, inset), want) << where;
                EXPECT_NE(px.At(inset + 1, 16), want) << where;
                EXPECT_NE(px.At(inset - 1, 16), want) << where;
            }
        }
    }
}

// Outside the face of an oval: a gradient from the container's colour + 172
// (255,255,255 here) to it - 32 (180,176,168) in 33 one-pixel rows, steps -2,
// -2, -3, so the last row is (191,191,159); reversed while pressed. The ring
// shape has a black 2-pixel outline instead; the flat-press shape paints no
// ring while pressed; an unseen style 5 oval shows the container's colour.
TEST(BevelOvalFace, RingAroundTheFaceByShapeAndState) {
    const Color top = Rgb(255, 255, 255), bottom = Rgb(191, 191, 159);
    struct Row {
        int style;
        int shape;
        State state;
        Color atTop, atBottom, atLeft;  // (44,0), (44,32), (0,16); kAny: left as it was
    };
    const Row rows[] = {
        {0, ShapeOval, Normal, top, bottom, kAny},
        {0, ShapeOval, Pressed, bottom, top, kAny},
        {0, ShapeOvalFlatPress, Hover, top, bottom, kAny},
        {0, ShapeOvalFlatPress, Pressed, kAny, kAny, kAny},
        {0, ShapeOvalRing, Normal, kBlack, kBlack, kBlack},
        {0, ShapeOvalRing, Pressed, kBlack, kBlack, kBlack},
        {5, ShapeOval, Normal, kContainer, kContainer, kContainer},
        {5, ShapeOval, Hover, top, bottom, kAny},
    };
    for (const Row& r : rows) {
        Rig rig;
        rig.b().SetBackColor(kBack);
        rig.b().SetButtonStyle(r.style);
        rig.b().SetButtonShape(r.shape);
        if (r.state == Pressed) Enter(rig, Hover);
        auto& px = rig.px();
        const Color topBefore = px.At(44, 0), bottomBefore = px.At(44, 32);
        if (r.state == Pressed) {
            rig.b().OnMouseDown(1, 0, 5, 5);
        } else {
            Enter(rig, r.state);
        }
        const std::string where = "style " + std::to_string(r.style) + ", shape " +
                                  std::to_string(r.shape) + ", " + kStateNames[r.state];
        EXPECT_EQ(px.At(44, 0), r.atTop == kAny ? topBefore : r.atTop) << where;
        EXPECT_EQ(px.At(44, 32), r.atBottom == kAny ? bottomBefore : r.atBottom) << where;
        if (r.atLeft != kAny) {
            EXPECT_EQ(px.At(0, 16), r.atLeft) << where;
        }
        EXPECT_EQ(px.At(44, 16), kBack) << where;  // the face inside
    }
}

}  // namespace
}  // namespace cindral::button::test
