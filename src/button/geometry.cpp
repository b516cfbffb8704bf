#include <algorithm>
#include <cmath>

#include "button/zo_button.h"

namespace cindral::button {

std::string ExpandLineBreaks(const std::string& caption);

std::string ExpandLineBreaks(const std::string& caption) {
    std::string out;
    out.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '|' && i + 1 < caption.size() && caption[i + 1] == '|') {
            out += "\r\n";
            ++i;
        } else {
            out += caption[i];
        }
    }
    return out;
}

namespace {

enum Corner { TopLeft = 1, TopRight = 2, BottomLeft = 4, BottomRight = 8 };

// Staircase cut with legs of `legs` pixels at one corner of a w x h window.
void CutCorner(Region& r, int corner, int legs, int w, int h) {
    for (int row = 0; row < legs; ++row) {
        const int len = legs - row;
        const int y = (corner & (TopLeft | TopRight)) ? row : h - 1 - row;
        if (corner & (TopLeft | BottomLeft)) {
            r.CutRect({0, y, len, y + 1});
        } else {
            r.CutRect({w - len, y, w, y + 1});
        }
    }
}

}  // namespace

void zoButtons_H::BuildRegion() {
    Size sz = window_.ClientSize();
    int w = sz.width;
    const int h = sz.height;
    // The oval clip goes first, so that a shape that has none paints whole.
    window_.Surface().ClearClip();
    region_ = Region{};
    leftOffset_ = 0;
    rightPosSet_ = false;
    int straightCorners = TopLeft | TopRight | BottomLeft | BottomRight;

    if (buttonShape_ == ShapeRectangle) {
        region_.AddRect({0, 0, w + 1, h + 1});
    } else if (IsDiagonal()) {
        const int offset = static_cast<int>(std::nearbyint((h + 1) / 4.0 * 4.0));
        if (w - offset < 5) {
            int wider = w;
            while (wider - offset < 5) wider += 5;
            const bool wasDelayed = delay_;
            delay_ = true;
            window_.SetClientWidth(wider);
            delay_ = wasDelayed;
            w = wider;
            // The resize notification found painting delayed: the surface
            // follows the new width here.
            window_.DropSurface();
        }
        const bool left = buttonShape_ == ShapeLeftDiagonal || buttonShape_ == ShapeBothDiagonal;
        const bool right = buttonShape_ == ShapeRightDiagonal || buttonShape_ == ShapeBothDiagonal;
        const int x1 = left ? offset : 0;
        const int x3 = right ? w - offset + 1 : w + 1;
        region_.AddPolygon({{0, 0}, {x1, h + 1}, {w + 1, h + 1}, {x3, 0}});
        if (left) {
            leftOffset_ = offset;
            straightCorners &= ~(TopLeft | BottomLeft);
        }
        if (right) {
            rightPos_ = w - offset;
            rightPosSet_ = true;
            straightCorners &= ~(TopRight | BottomRight);
        }
    } else {
        region_.AddEllipse({0, 0, w + 1, h + 1});
        straightCorners = 0;
    }

    for (int corner : {TopLeft, TopRight, BottomLeft, BottomRight}) {
        if (!(straightCorners & corner)) continue;
        const bool top = corner == TopLeft || corner == TopRight;
        if (buttonStyle_ == StyleTinted || buttonStyle_ == StyleShaded) {
            CutCorner(region_, corner, top ? 2 : 3, w, h);
        } else if (buttonStyle_ == StyleFramed ||
                   (buttonStyle_ == StyleEtched && window_.IsEnabled())) {
            CutCorner(region_, corner, 1, w, h);
        }
    }

    window_.SetRegion(region_);
    if (!rightPosSet_) rightPos_ = w;
}

FontDescription zoButtons_H::DeriveCaptionFont() const {
    const Font f = window_.GetFont();
    std::string face = f.face;
    if (face.size() > 31) {
        size_t cut = 31;
        while (cut > 0 && (static_cast<unsigned char>(face[cut]) & 0xC0) == 0x80) --cut;
        face.resize(cut);
    }
    const double twips = window_.TwipsPerPixelY() > 0 ? window_.TwipsPerPixelY() : 15.0;
    return FontDescription{
        face,        -static_cast<int>(std::nearbyint(f.pointSize * 20.0 / twips)),
        f.weight,    f.italic,
        f.underline, f.strikeout,
        f.charset};
}

void zoButtons_H::RefreshDerivedState(std::string_view key) {
    if (key == "Font") {
        captionFont_ = DeriveCaptionFont();
        window_.Surface().SetFont(captionFont_);
    } else if (key == "Picture") {
        // A picture that cannot be drawn keeps the size 0 x 0.
        const bool usable = picture_ && IsUsable(*picture_);
        pictureWidth_ = usable ? picture_->width : 0;
        pictureHeight_ = usable ? picture_->height : 0;
        pictureIsIcon_ = usable && picture_->isIcon;
    } else if (key == "BackColor") {
        faceColor_ = facePressedColor_ = ToRgb(backColor_);
        faceHoverColor_ = ToRgb(hoverBackColor_);
        switch (buttonStyle_) {
            case StyleShaded:
                facePressedColor_ = ShadeColor(faceColor_, -32);
                faceColor_ = ShadeColor(faceColor_, 31);
                faceHoverColor_ = ShadeColor(faceHoverColor_, 31);
                break;
            case StyleTinted:
                faceColor_ = ShadeColor(faceColor_, 48, true);
                faceHoverColor_ = ShadeColor(faceHoverColor_, 48, true);
                facePressedColor_ = ShadeColor(faceColor_, -32, true);
                break;
            case StyleEtched:
                facePressedColor_ = ShadeColor(0x808080, 12);
                break;
            default:
                break;
        }
    }
}

namespace {

// The room a picture takes at either side of the caption.
struct Slots {
    int left = 0;
    int right = 0;
};

Slots PictureSlots(bool slotted, int align, int s) {
    if (!slotted) return {};
    switch (align) {
        case PictureLeftEdge:
        case PictureLeftOfCaption:
            return {s, 0};
        case PictureRightEdge:
        case PictureRightOfCaption:
            return {0, s};
        default:
            return {};  // above or below: stacked with the caption
    }
}

int CaptionLeftEdge(int align, int leftInset, int rightLimit, Slots slots, int textW) {
    const int gapL = slots.left ? 6 : 0, gapR = slots.right ? 6 : 0;
    switch (align) {
        case CaptionLeft:
            return leftInset + slots.left + 6 + gapL;
        case CaptionRight:
            return rightLimit - textW - slots.right - 6 - gapR;
        default: {
            const int a = leftInset + slots.left + gapL;
            const int b = rightLimit - slots.right - gapR;
            return a + (b - a - textW) / 2;
        }
    }
}

// Where the caption and the picture go across [leftInset, rightLimit) and
// down the client height.
struct Layout {
    int leftInset, rightLimit, height;
    bool hasCaption;
    Rect caption;  // before a stacked picture moves it
};

// The top-left corner of a picture of size s; a picture above or below the
// caption moves the caption's top (`capTop`).
Point PlacePicture(int align, int s, const Layout& l, int& capTop) {
    const int textW = l.caption.Width(), textH = l.caption.Height();
    const int capLeft = l.caption.left;
    const int py = (l.height - s) / 2;
    switch (align) {
        case PictureLeftEdge:
            return {l.leftInset + 6, py};
        case PictureLeftOfCaption:
            return {l.hasCaption ? capLeft - s - 6 : l.leftInset + 6, py};
        case PictureRightEdge:
            return {l.rightLimit - s - 6, py};
        case PictureRightOfCaption:
            return {l.hasCaption ? capLeft + textW + 6 : l.rightLimit - s - 6, py};
        default: {
            const int px = l.leftInset + (l.rightLimit - l.leftInset - s) / 2;
            const int total = l.hasCaption ? s + 2 + textH : s;
            const int top = (l.height - total) / 2;
            if (align == PictureTopCenter) {
                capTop = top + s + 2;
                return {px, top};
            }
            capTop = top;
            return {px, l.hasCaption ? top + textH + 2 : top};
        }
    }
}

}  // namespace

void zoButtons_H::Relayout() {
    const Size sz = window_.ClientSize();
    const int w = sz.width, h = sz.height;

    leftInset_ = 0;
    rightLimit_ = w;
    const int rightPos = rightPosSet_ ? rightPos_ : w;
    if (buttonShape_ == ShapeLeftDiagonal || buttonShape_ == ShapeBothDiagonal)
        leftInset_ = leftOffset_ - leftOffset_ / 3;
    if (buttonShape_ == ShapeRightDiagonal || buttonShape_ == ShapeBothDiagonal)
        rightLimit_ = rightPos + (w - rightPos) / 3;
    space_ = rightLimit_ - leftInset_;

    // The picture's slot; stretched and fitted pictures are drawn over the
    // whole button and take none.
    const bool slotted = pictureWidth_ + pictureHeight_ >= 1 && DrawnSizeCode() <= 32;
    const int s = slotted ? DrawnSizeCode() : 0;
    const Slots slots = PictureSlots(slotted, pictureAlign_, s);

    const bool hasCaption = !caption_.empty();
    int textW = 0, textH = 0;
    if (hasCaption) {
        Canvas& canvas = window_.Surface();
        canvas.SetFont(captionFont_);
        const int boxW = space_ - slots.left - slots.right - 12;
        const Size t = canvas.MeasureText(ExpandLineBreaks(caption_), std::max(boxW, 1));
        textW = t.width;
        textH = t.height;
        if (captionStyle_ != CaptionFlat) {
            textW += 2;
            textH += 2;
        }
    }

    const int capLeft = CaptionLeftEdge(captionAlign_, leftInset_, rightLimit_, slots, textW);
    int capTop = (h - textH) / 2;
    Rect pic{};
    if (slotted) {
        const Layout layout{leftInset_,
                            rightLimit_,
                            h,
                            hasCaption,
                            {capLeft, capTop, capLeft + textW, capTop + textH}};
        const Point at = PlacePicture(pictureAlign_, s, layout, capTop);
        pic = {at.x, at.y, at.x + s, at.y + s};
    }

    Rect cap = hasCaption ? Rect{capLeft, capTop, capLeft + textW, capTop + textH} : Rect{};
    auto clamp = [&](Rect r) {
        r.left = std::max(r.left, 6);
        r.top = std::max(r.top, 6);
        r.right = std::min(r.right, rightLimit_);
        r.bottom = std::min(r.bottom, h - 6);
        return r;
    };
    captionRect_ = hasCaption ? clamp(cap) : Rect{};
    pictureRect_ = slotted ? clamp(pic) : Rect{};
}

}  // namespace cindral::button
