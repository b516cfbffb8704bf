#include <cmath>

#include "button/picture_ops.h"
#include "button/zo_button.h"

namespace cindral::button {

std::string ExpandLineBreaks(const std::string& caption);

void zoButtons_H::Repaint(bool full) {
    if (delay_) return;
    Relayout();
    Rect cap = captionRect_;
    Rect pic = pictureRect_;
    if (PressedOver() && buttonStyle_ != StyleEtched) {
        const int dx = buttonShape_ < ShapeOval ? 1 : 0;
        cap = cap.Offset(dx, 1);
        pic = pic.Offset(dx, 1);
    }
    Canvas& canvas = window_.Surface();
    if (full) {
        captionBaseColor_ = FillBackground(canvas);
        DrawPicture(canvas, pic);
        DrawStyleLines(canvas);
    }
    if (!caption_.empty()) DrawCaption(canvas, cap);
    window_.Present();
}

void zoButtons_H::PaintGradient(Canvas& c, const Rect& area, int mode, Color first, Color last) {
    const bool across = mode == GradientLeftToRight || mode == GradientRightToLeft;
    const int size = across ? area.Width() : area.Height();
    if (size <= 0) return;
    const Size screen = window_.ScreenSize();
    const int screenSize = across ? screen.width : screen.height;
    // Large buttons get 2-pixel bands: half the fills.
    const int band = static_cast<double>(screenSize) / size < 4.0 ? 2 : 1;
    const int n = static_cast<int>(std::nearbyint(static_cast<double>(size) / band));
    if (n < 1) return;
    const auto table = BuildGradientTable(n, first, last);
    const bool forward = mode == GradientLeftToRight || mode == GradientTopToBottom;
    for (int i = 0; i < n; ++i) {
        const Color col = table[static_cast<size_t>(forward ? i : n - 1 - i)];
        // The last band reaches the far edge: with 2-pixel bands an odd size
        // would otherwise leave its last row or column unpainted.
        const int a = i * band, b = i == n - 1 ? size : (i + 1) * band;
        c.FillRect(across ? Rect{area.left + a, area.top, area.left + b, area.bottom}
                          : Rect{area.left, area.top + a, area.right, area.top + b},
                   col);
    }
}

Color zoButtons_H::FillBackground(Canvas& c) {
    const Size sz = window_.ClientSize();
    const int w = sz.width, h = sz.height;
    const Rect client{0, 0, w, h};
    const bool pressedOver = PressedOver();

    if (IsOval()) {
        c.ClearClip();
        const bool seen = pressedOver || hoverTracking_ || buttonStyle_ != StyleHoverOnly;
        if (seen) {
            if (buttonShape_ == ShapeOvalRing) c.Ellipse(client, 0x000000, 2);
            if (buttonShape_ == ShapeOval || (buttonShape_ == ShapeOvalFlatPress && !pressedOver)) {
                PaintGradient(c, client, pressedOver ? GradientBottomToTop : GradientTopToBottom,
                              ShadeColor(containerColor_, 172), ShadeColor(containerColor_, -32));
            }
        } else {
            // An unseen StyleHoverOnly ring takes the container's colour so that no
            // stale pixels show around the face.
            c.FillRect(client, containerColor_);
        }
        c.SetClipEllipse(client.Inset(buttonShape_ == ShapeOvalRing ? 1 : 2));
    }

    Color result;
    if (gradientMode_ == GradientNone) {
        result = pressedOver ? facePressedColor_ : hoverTracking_ ? faceHoverColor_ : faceColor_;
        if (buttonStyle_ == StyleTinted && window_.IsEnabled()) {
            // The face darkens towards the bottom.
            for (int row = 2; row <= h - 2; ++row) {
                const int amount = static_cast<int>(std::nearbyint(-(25.0 / h) * row));
                c.FillRect({2, row, w - 2, row + 1}, ShadeColor(result, amount, true));
            }
        } else if (buttonStyle_ == StyleTinted) {
            c.FillRect(client, ShadeColor(result, -24));
        } else {
            c.FillRect(client, result);
        }
    } else if ((buttonState_ & StatePressed) || !hoverTracking_ ||
               gradientColor_ == hoverBackColor_) {
        Color last = ToRgb(gradientColor_);
        if (buttonStyle_ == StyleShaded) last = ShadeColor(last, 31);
        if (buttonStyle_ == StyleTinted) last = ShadeColor(last, 48, true);
        PaintGradient(c, client, gradientMode_, faceColor_, last);
        result = faceColor_;
    } else {
        c.FillRect(client, faceHoverColor_);
        result = faceHoverColor_;
    }
    return result;
}

void zoButtons_H::DrawPicture(Canvas& c, const Rect& rect) {
    if (!picture_ || pictureWidth_ + pictureHeight_ < 1) return;
    const Size sz = window_.ClientSize();
    Rect dest;
    const int code = DrawnSizeCode();
    if (code == 40) {
        dest = {0, 0, sz.width, sz.height};
    } else if (code == 48) {
        const Size fit = FitSize(*picture_, {sz.width - 12, sz.height - 12});
        const int x = (sz.width - fit.width) / 2, y = (sz.height - fit.height) / 2;
        dest = {x, y, x + fit.width, y + fit.height};
    } else {
        dest = {rect.left, rect.top, rect.left + code, rect.top + code};
    }
    const Picture copy = ScalePicture(*picture_, dest.Width(), dest.Height());
    if (copy.width == 0) return;
    const Point at{dest.left, dest.top};
    if (window_.IsEnabled()) {
        c.DrawPicture(at, copy);
    } else {
        const Mask mask = DarkMask(copy);
        c.FillMask({at.x - 1, at.y - 1}, mask, ShadeColor(0xC0C0C0, 36));
        c.FillMask(at, mask, ShadeColor(0xC0C0C0, -36));
    }
}

void zoButtons_H::DrawCaption(Canvas& c, const Rect& rect) {
    const std::string text = ExpandLineBreaks(caption_);
    const TextAlign align = captionAlign_ == CaptionLeft    ? TextAlign::Left
                            : captionAlign_ == CaptionRight ? TextAlign::Right
                                                            : TextAlign::Center;
    c.SetFont(captionFont_);
    if (window_.IsEnabled()) {
        Color fore = ToRgb(window_.GetForeColor());
        if (hoverTracking_ && !PressedOver()) {
            fore = ToRgb(hoverForeColor_);
        } else if (buttonStyle_ == StyleShaded && gradientMode_ == GradientNone && PressedOver()) {
            fore = faceColor_;
        }
        if (captionStyle_ != CaptionFlat) {
            const int amount = captionStyle_ == CaptionEngraved ? 40 : -40;
            c.DrawText(rect.Offset(-1, 0), text, ShadeColor(captionBaseColor_, amount), align);
            c.DrawText(rect.Offset(1, 2), text, ShadeColor(captionBaseColor_, -amount), align);
            c.DrawText(rect.Offset(0, 1), text, fore, align);
        } else {
            c.DrawText(rect, text, fore, align);
        }
        return;
    }
    if (buttonStyle_ == StyleTinted) {
        c.DrawText(rect, text, ShadeColor(faceColor_, -104, true), align);
    } else if (buttonStyle_ == StyleEtched) {
        c.DrawText(rect, text, 0x808080, align);
    } else {
        const Color first = gradientMode_ > 0 ? ShadeColor(faceColor_, 172) : 0xFFFFFF;
        c.DrawText(rect.Offset(1, 1), text, first, align);
        c.DrawText(rect, text, 0x808080, align);
    }
}

}  // namespace cindral::button
