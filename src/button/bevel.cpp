#include <array>

#include "button/zo_button.h"

namespace cindral::button {

namespace {

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kGrey = 0x808080;
constexpr Color kBlack = 0x000000;
const Color kLight233 = Rgb(233, 233, 233);
const Color kStyle3Focus = Rgb(153, 153, 204);

// Five corner points of one ring: P0 bottom of the left edge, P1 top-left,
// P2 top-right, P3 bottom-right, P4 end of the bottom edge; P5 closes the
// bottom edge of the outer ring of a right-slanted shape.
struct Ring {
    std::array<Point, 5> p;
    bool closes = false;
    Point p5;
};

struct RingSet {
    Ring inner, middle, outer;
};

RingSet MakeRings(int w, int h, int l, int r, bool ls, bool rs) {
    const int Ls = ls ? 1 : 0, Rs = rs ? 1 : 0;
    RingSet s;
    s.inner.p = {Point{l - 4 * Ls + 2, h - 3}, Point{2 * Ls + 2, 2}, Point{r + 3 * Rs - 3, 2},
                 Point{w - 3 - 3 * Rs, h - 3}, Point{l - 4 * Ls + 1, h - 3}};
    const int dx[5] = {Ls - 1, -Ls - 1, 1 - Rs, Rs + 1, -1};
    const int dy[5] = {1, -1, -1, 1, 1};
    for (int i = 0; i < 5; ++i) {
        s.middle.p[i] = {s.inner.p[i].x + dx[i], s.inner.p[i].y + dy[i]};
    }
    s.outer.p = {Point{l - Ls, h - 1 + Ls}, Point{0, 0}, Point{r + Rs - 1, 0},
                 Point{w - 1, h - 1 + Rs}, Point{l - 2 * Ls - 1, h - 1}};
    s.outer.closes = r != w;
    s.outer.p5 = {w - 1, h - 1};
    return s;
}

void Stroke(Canvas& c, std::vector<Point> pts, Color col, PenStyle style = PenStyle::Solid) {
    c.Polyline(pts, col, 1, style);
}

// The two strokes of a ring: top-left, then bottom-right.
void DrawRing(Canvas& c, const Ring& ring, Color topLeft, Color bottomRight) {
    const auto& p = ring.p;
    Stroke(c, {p[0], p[1], p[2]}, topLeft);
    if (ring.closes) {
        Stroke(c, {p[2], p[3], p[4], ring.p5}, bottomRight);
    } else {
        Stroke(c, {p[2], p[3], p[4]}, bottomRight);
    }
}

// StyleTinted: each side its own stroke (left, top, right, bottom).
void DrawSides(Canvas& c, const Ring& ring, const std::array<Color, 4>& side) {
    const auto& p = ring.p;
    Stroke(c, {p[0], p[1]}, side[0]);
    Stroke(c, {p[1], p[2]}, side[1]);
    Stroke(c, {p[2], p[3]}, side[2]);
    Stroke(c, {p[3], p[4]}, side[3]);
    if (ring.closes) Stroke(c, {p[4], ring.p5}, side[3]);
}

std::vector<Point> ClosedOutline(const Ring& ring, int h) {
    std::vector<Point> pts(ring.p.begin(), ring.p.end());
    for (auto& pt : pts) pt.y = std::min(pt.y, h - 1);
    pts.push_back(pts.front());
    return pts;
}

// What the bevel of one paint depends on besides its style and shape.
struct BevelLook {
    bool pressed;  // pressed with the mouse over it
    bool over;
    bool focused;
    bool enabled;
    bool designMode;
    bool showFocusRect;
    bool outline;  // the focus outline of a diagonal shape follows
    bool diagonal;
    int stateIndex;
    Color face;
    Color facePressed;
    Color container;
};

// StyleStandard: the reference look, a raised bevel of three rings.
void DrawStandardRings(Canvas& c, const RingSet& rings, const BevelLook& k) {
    const Color face = k.face;
    const Color light = k.pressed ? face : kLight233;
    const Color innerTL[3] = {face, light, face};
    const Color innerBR[3] = {face, kGrey, face};
    const Color middleTL[3] = {light, kWhite, kGrey};
    const Color middleBR[3] = {kGrey, kBlack, kGrey};
    const int idx = k.stateIndex;
    DrawRing(c, rings.inner, innerTL[idx], innerBR[idx]);
    DrawRing(c, rings.middle, middleTL[idx], middleBR[idx]);
    DrawRing(c, rings.outer, k.focused ? kBlack : kWhite, kBlack);
}

// StyleTinted: every side its own colour, by state (normal, focused,
// pressed, hover).
void DrawTintedRings(Canvas& c, const RingSet& rings, const BevelLook& k) {
    int i2 = k.stateIndex;
    if (!k.pressed && k.over) i2 = 3;
    if (i2 == 1 && !k.showFocusRect && !k.designMode) i2 = 0;
    const Color face = k.face;
    const Color pf = ShadeColor(face, -32, true);
    auto sh = [](Color col, int a) { return ShadeColor(col, a, true); };
    const std::array<Color, 4> inner[4] = {
        {sh(face, -10), sh(face, 10), sh(face, -24), sh(face, -32)},
        {Rgb(181, 209, 240), Rgb(189, 215, 247), Rgb(181, 209, 240), Rgb(140, 174, 231)},
        {sh(pf, -22), sh(pf, -24), face, sh(pf, 10)},
        {Rgb(255, 203, 107), Rgb(255, 219, 140), Rgb(255, 203, 107), Rgb(255, 178, 49)},
    };
    const std::array<Color, 4> middle[4] = {
        {sh(face, -5), sh(face, 5), sh(face, -32), sh(face, -48)},
        {Rgb(140, 174, 231), Rgb(140, 174, 231), Rgb(140, 174, 231), Rgb(140, 174, 231)},
        {sh(pf, -32), sh(pf, -32), pf, sh(pf, 5)},
        {Rgb(255, 178, 49), Rgb(255, 178, 49), Rgb(255, 178, 49), Rgb(255, 178, 49)},
    };
    const Color frame = k.enabled ? Rgb(0, 60, 116) : sh(face, -64);
    DrawSides(c, rings.outer, {frame, frame, frame, frame});
    DrawSides(c, rings.middle, middle[k.enabled ? i2 : 0]);
    DrawSides(c, rings.inner, inner[k.enabled ? i2 : 0]);
}

// StyleShaded: every ring shaded from the face colour.
void DrawShadedRings(Canvas& c, const RingSet& rings, const BevelLook& k) {
    Color light = ShadeColor(k.face, 31);
    Color dark = ShadeColor(k.face, -64);
    Color highlight = kWhite, shadow = dark, innerFace = k.face;
    if (k.pressed) {
        innerFace = dark;
        highlight = ShadeColor(dark, -32);
        light = ShadeColor(dark, -64);
        shadow = ShadeColor(dark, -16);
    }
    DrawRing(c, rings.outer, light, shadow);
    DrawRing(c, rings.middle, light, shadow);
    if (k.diagonal && k.focused) {
        DrawRing(c, rings.inner, dark, dark);
    } else {
        DrawRing(c, rings.inner, highlight, innerFace);
    }
}

// The rings of `style`; `h` is the client height.
void DrawRings(Canvas& c, int style, const RingSet& rings, const BevelLook& k, int h) {
    const bool pressed = k.pressed;
    switch (style) {
        case StyleStandard:
            DrawStandardRings(c, rings, k);
            break;
        case StyleFramed:
            DrawRing(c, rings.outer, kBlack, kBlack);
            DrawRing(c, rings.middle, pressed ? kGrey : kWhite, pressed ? kWhite : kGrey);
            if (!pressed && !k.outline) DrawRing(c, rings.inner, kWhite, kGrey);
            break;
        case StyleTinted:
            DrawTintedRings(c, rings, k);
            break;
        case StyleEtched: {
            const Color dark = ShadeColor(kGrey, -26);
            if (!k.enabled) {
                DrawRing(c, rings.middle, dark, dark);
                DrawRing(c, rings.outer, dark, dark);
            } else {
                DrawRing(c, rings.middle, pressed ? k.facePressed : kWhite, dark);
                DrawRing(c, rings.outer, dark, kWhite);
            }
            break;
        }
        case StyleThin:
            DrawRing(c, rings.outer, pressed ? kGrey : kWhite, pressed ? kWhite : kGrey);
            break;
        case StyleHoverOnly:
            if (k.over) {
                DrawRing(c, rings.outer, pressed ? kGrey : kWhite, pressed ? kWhite : kGrey);
            } else if (k.designMode) {
                // Found in design mode by a dotted outline.
                Stroke(c, ClosedOutline(rings.outer, h), ShadeColor(k.container, 172),
                       PenStyle::Dot);
            }
            break;
        case StyleLight: {
            const Color light = ShadeColor(Rgb(223, 223, 223), 8);
            DrawRing(c, rings.outer, pressed ? kGrey : light, pressed ? light : kGrey);
            DrawRing(c, rings.middle, pressed ? kGrey : light, pressed ? light : kGrey);
            break;
        }
        case StyleShaded:
            DrawShadedRings(c, rings, k);
            break;
        default:
            break;
    }
}

// The focus mark of ShapeRectangle around `around` (the caption, else the
// picture); `fallback` is the rectangle the system focus mark goes round.
void DrawRectangleFocusMark(Canvas& c, int style, const Rect& around, const Rect& fallback) {
    const Rect outside{around.left - 3, around.top - 3, around.right + 3, around.bottom + 3};
    switch (style) {
        case StyleTinted:
            break;  // its edge colour shows the focus
        case StyleEtched:
            Stroke(c,
                   {{outside.left, outside.top},
                    {outside.right - 1, outside.top},
                    {outside.right - 1, outside.bottom - 1},
                    {outside.left, outside.bottom - 1},
                    {outside.left, outside.top}},
                   kStyle3Focus);
            break;
        case StyleShaded:
            c.DrawFocusRect(outside);
            break;
        default:
            c.DrawFocusRect(fallback);
            break;
    }
}

}  // namespace

int zoButtons_H::StateIndex() const {
    if (PressedOver()) return 2;
    return (buttonState_ & StateFocused) ? 1 : 0;
}

bool zoButtons_H::FocusMarkCondition() const {
    return (buttonState_ & StateFocused) && !PressedOver() && (designMode_ || showFocusRect_) &&
           buttonShape_ > ShapeRectangle;
}

void zoButtons_H::DrawOvalFocusRing(Canvas& c) {
    const Size sz = window_.ClientSize();
    const bool pressed = PressedOver();
    const bool over = (buttonState_ & StateMouseOver) != 0;
    const bool tinted = buttonStyle_ == StyleTinted;
    const bool ring = (FocusMarkCondition() && !pressed) || (tinted && over && showFocusRect_);
    if (!ring) return;
    Color col;
    switch (buttonStyle_) {
        case StyleTinted:
            col = over && !pressed ? Rgb(231, 150, 0) : Rgb(107, 130, 239);
            break;
        case StyleEtched:
            col = kStyle3Focus;
            break;
        case StyleHoverOnly:
            col = ShadeColor(containerColor_, -32, false, true);
            break;
        default:
            if (pressed) return;
            col = ToRgb(window_.GetForeColor());
            break;
    }
    col = ShadeColor(col, 0, false, true);
    const Rect box{0, 0, sz.width, sz.height};
    c.Ellipse(box.Inset(buttonShape_ == ShapeOvalRing ? 2 : 3), col, 1);
}

void zoButtons_H::DrawStyleLines(Canvas& c) {
    if (IsOval()) {
        DrawOvalFocusRing(c);
        return;
    }
    const Size sz = window_.ClientSize();
    const int w = sz.width, h = sz.height;
    const bool ls = buttonShape_ == ShapeLeftDiagonal || buttonShape_ == ShapeBothDiagonal;
    const bool rs = buttonShape_ == ShapeRightDiagonal || buttonShape_ == ShapeBothDiagonal;
    const RingSet rings = MakeRings(w, h, ls ? leftOffset_ : 0, rs ? rightPos_ : w, ls, rs);
    const BevelLook look{
        .pressed = PressedOver(),
        .over = (buttonState_ & StateMouseOver) != 0,
        .focused = (buttonState_ & StateFocused) != 0,
        .enabled = window_.IsEnabled(),
        .designMode = designMode_,
        .showFocusRect = showFocusRect_,
        .outline = IsDiagonal() && FocusMarkCondition(),
        .diagonal = IsDiagonal(),
        .stateIndex = StateIndex(),
        .face = faceColor_,
        .facePressed = facePressedColor_,
        .container = containerColor_,
    };
    DrawRings(c, buttonStyle_, rings, look, h);

    if (look.outline) {
        const Color base = buttonStyle_ == StyleHoverOnly ? containerColor_
                           : buttonStyle_ == StyleEtched  ? kStyle3Focus
                                                          : faceColor_;
        std::vector<Point> pts(rings.inner.p.begin(), rings.inner.p.end());
        pts.push_back(pts.front());
        Stroke(c, pts, ShadeColor(base, -32, false, true));
    }

    if (buttonShape_ == ShapeRectangle && look.focused && (showFocusRect_ || designMode_)) {
        DrawRectangleFocusMark(c, buttonStyle_, caption_.empty() ? pictureRect_ : captionRect_,
                               {leftOffset_ + 4, 4, (rs ? rightPos_ : w) - 4, h - 4});
    }
}

}  // namespace cindral::button
