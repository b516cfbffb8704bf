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
        if (buttonStyle_ == 2 || buttonStyle_ == 7) {
            CutCorner(region_, corner, top ? 2 : 3, w, h);
        } else if (buttonStyle_ == 1 || (buttonStyle_ == 3 && window_.IsEnabled())) {
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
            case 7:
                facePressedColor_ = ShadeColor(faceColor_, -32);
                faceColor_ = ShadeColor(faceColor_, 31);
                faceHoverColor_ = ShadeColor(faceHoverColor_, 31);
                break;
            case 2:
                faceColor_ = ShadeColor(faceColor_, 48, true);
                faceHoverColor_ = ShadeColor(faceHoverColor_, 48, true);
                facePressedColor_ = ShadeColor(faceColor_, -32, true);
                break;
            case 3:
                facePressedColor_ = ShadeColor(0x808080, 12);
                break;
            default:
                break;
        }
    }
}

void zoButtons_H::Relayout() {
    const Size sz = window_.ClientSize();
    const int w = sz.width, h = sz.height;

    leftInset_ = 0;
    rightLimit_ = w;
    const int rightPos = rightPosSet_ ? rightPos_ : w;
    switch (buttonShape_) {
        case ShapeLeftDiagonal:
            leftInset_ = leftOffset_ - leftOffset_ / 3;
            break;
        case ShapeRightDiagonal:
            rightLimit_ = rightPos + (w - rightPos) / 3;
            break;
        case ShapeBothDiagonal:
            leftInset_ = leftOffset_ - leftOffset_ / 3;
            rightLimit_ = rightPos + (w - rightPos) / 3;
            break;
        default:
            break;
    }
    space_ = rightLimit_ - leftInset_;

    // The picture's slot; stretched and fitted pictures are drawn over the
    // whole button and take none.
    const bool slotted = pictureWidth_ + pictureHeight_ >= 1 && DrawnSizeCode() <= 32;
    const int s = slotted ? DrawnSizeCode() : 0;
    int leftSlot = 0, rightSlot = 0;
    if (slotted) {
        switch (pictureAlign_) {
            case PictureLeftEdge:
            case PictureLeftOfCaption:
                leftSlot = s;
                break;
            case PictureRightEdge:
            case PictureRightOfCaption:
                rightSlot = s;
                break;
            case PictureTopCenter:
            default:
                break;  // above or below: stacked with the caption
        }
    }

    const bool hasCaption = !caption_.empty();
    int textW = 0, textH = 0;
    if (hasCaption) {
        Canvas& canvas = window_.Surface();
        canvas.SetFont(captionFont_);
        const int boxW = space_ - leftSlot - rightSlot - 12;
        const Size t = canvas.MeasureText(ExpandLineBreaks(caption_), std::max(boxW, 1));
        textW = t.width;
        textH = t.height;
        if (captionStyle_ != CaptionFlat) {
            textW += 2;
            textH += 2;
        }
    }

    const int gapL = leftSlot ? 6 : 0, gapR = rightSlot ? 6 : 0;
    int capLeft = 0;
    switch (captionAlign_) {
        case CaptionLeft:
            capLeft = leftInset_ + leftSlot + 6 + gapL;
            break;
        case CaptionRight:
            capLeft = rightLimit_ - textW - rightSlot - 6 - gapR;
            break;
        default: {
            const int a = leftInset_ + leftSlot + gapL;
            const int b = rightLimit_ - rightSlot - gapR;
            capLeft = a + (b - a - textW) / 2;
            break;
        }
    }
    int capTop = (h - textH) / 2;

    Rect pic{};
    if (slotted) {
        int px = 0, py = (h - s) / 2;
        switch (pictureAlign_) {
            case PictureLeftEdge:
                px = leftInset_ + 6;
                break;
            case PictureLeftOfCaption:
                px = hasCaption ? capLeft - s - 6 : leftInset_ + 6;
                break;
            case PictureRightEdge:
                px = rightLimit_ - s - 6;
                break;
            case PictureRightOfCaption:
                px = hasCaption ? capLeft + textW + 6 : rightLimit_ - s - 6;
                break;
            default: {
                px = leftInset_ + (space_ - s) / 2;
                const int total = hasCaption ? s + 2 + textH : s;
                const int top = (h - total) / 2;
                if (pictureAlign_ == PictureTopCenter) {
                    py = top;
                    capTop = top + s + 2;
                } else {
                    capTop = top;
                    py = hasCaption ? top + textH + 2 : top;
                }
                break;
            }
        }
        pic = {px, py, px + s, py + s};
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
