#include <cmath>

#include "button/zo_button.h"

namespace cindral::button {

// Character 246, "Quillon_New", character 234 of the Western code page, in UTF-8.
const char* const NewInstanceCaption = "\xC3\xB6Quillon_New\xC3\xAA";

namespace {

bool LocksFore(int locks) { return locks == LockBoth || locks == LockForeColor; }
bool LocksBack(int locks) { return locks == LockBoth || locks == LockBackColor; }

}  // namespace

zoButtons_H::zoButtons_H(ButtonWindow& window, HoverTimer& timer, ButtonHost& host,
                         ButtonEvents& events)
    : window_(window), timer_(timer), host_(host), events_(events) {
    // Nothing is painted until the host's first resize.
    delay_ = true;
    caption_ = NewInstanceCaption;
    backColor_ = kSysButtonFace;
    captionAlign_ = CaptionCenter;
    showFocusRect_ = true;
    SetHoverBackColor(kSysButtonFace);
    containerColor_ = ToRgb(host_.AmbientBackColor());
    RefreshDerivedState("BackColor");
    // A control that is never given a font draws in the window's: the
    // surface it is selected into comes with the first resize.
    captionFont_ = DeriveCaptionFont();
    delay_ = false;
}

zoButtons_H::~zoButtons_H() {
    if (hoverTracking_) timer_.Stop(kHoverTimerId);
}

void zoButtons_H::Refresh() { Repaint(true); }

void zoButtons_H::DelayDrawing(bool delay) {
    delay_ = delay;
    if (!delay) Refresh();
}

void zoButtons_H::UpdateAccessKey(const std::string& caption) {
    size_t marker = std::string::npos;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (i + 1 < caption.size() && caption[i + 1] == '&') {
            ++i;  // "&&" is a literal ampersand
            continue;
        }
        marker = i;
    }
    if (marker == std::string::npos) return;
    std::string key;
    if (marker + 1 < caption.size()) {
        // One whole UTF-8 character.
        size_t len = 1;
        const auto lead = static_cast<unsigned char>(caption[marker + 1]);
        if (lead >= 0xF0)
            len = 4;
        else if (lead >= 0xE0)
            len = 3;
        else if (lead >= 0xC0)
            len = 2;
        key = caption.substr(marker + 1, len);
    }
    accessKey_ = key;
    window_.SetAccessKey(key);
}

void zoButtons_H::SetButtonStyle(int v) {
    if (v < StyleStandard || v > StyleShaded) return;
    buttonStyle_ = v;
    BuildRegion();
    Relayout();
    RefreshDerivedState("BackColor");
    Refresh();
    Changed("BackStyle");
}

void zoButtons_H::SetCaption(const std::string& v) {
    UpdateAccessKey(v);
    caption_ = v;
    Relayout();
    Refresh();
    Changed("Caption");
}

void zoButtons_H::SetCaptionAlign(int v) {
    if (v < 0 || v > 2) return;
    if (v == CaptionCenter || pictureAlign_ < PictureTopCenter ||
        pictureWidth_ + pictureHeight_ < 1) {
        captionAlign_ = v;
        Relayout();
        Refresh();
        Changed("CapAlign");
    } else if (designMode_) {
        host_.ShowInformation(
            "When button images are aligned top/bottom center, \r\n"
            "button captions can only be center aligned",
            "");
    }
}

void zoButtons_H::SetCaptionStyle(int v) {
    if (v < 0 || v > 2) return;
    captionStyle_ = v;
    Changed("CapStyle");
    if (!caption_.empty()) {
        Relayout();
        Refresh();
    }
}

void zoButtons_H::SetButtonShape(int v) {
    if (v < 0 || v > 6) return;
    buttonShape_ = v;
    BuildRegion();
    DelayDrawing(true);
    if (v == ShapeBothDiagonal && captionAlign_ != CaptionCenter) {
        SetCaptionAlign(CaptionCenter);
    } else {
        Relayout();
    }
    DelayDrawing(false);
    Changed("Shape");
}

void zoButtons_H::SetPicture(const PicturePtr& v) {
    picture_ = v;
    if (pictureSizeCode_ == 0) pictureSizeCode_ = 16;
    RefreshDerivedState("Picture");
    Relayout();
    Refresh();
    Changed("Image");
}

void zoButtons_H::SetPictureAlign(int v) {
    if (v < 0 || v > 5) return;
    pictureAlign_ = v;
    if (v == PictureTopCenter || v == PictureBottomCenter) SetCaptionAlign(CaptionCenter);
    Relayout();
    Refresh();
    Changed("ImgAlign");
}

void zoButtons_H::SetEnabled(bool v) {
    if (v == window_.IsEnabled()) return;
    window_.SetEnabled(v);
    if (buttonStyle_ == StyleEtched) {
        // The etched style's notches depend on the enabled state.
        DelayDrawing(true);
        BuildRegion();
        Relayout();
        DelayDrawing(false);
    } else {
        Refresh();
    }
    Changed("Enabled");
}

void zoButtons_H::SetShowFocusRect(bool v) {
    showFocusRect_ = v;
    if (buttonState_ & StateFocused) {
        if (!designMode_) {
            buttonState_ &= ~StateFocused;
            Refresh();
        } else {
            host_.ShowInformation(
                "The focus rectangle may appear on default buttons ONLY while in design mode, "
                "\r\nbut will not appear when the form is running.",
                "");
        }
    }
    Changed("Focus");
}

int zoButtons_H::GetPictureSize() const {
    const int code = pictureSizeCode_ == 0 ? 16 : pictureSizeCode_;
    return code / 8 - 2;
}

void zoButtons_H::SetPictureSize(int v) {
    if (v < 0 || v > 4) return;
    pictureSizeCode_ = (v + 2) * 8;
    Relayout();
    Refresh();
    Changed("ImgSize");
}

void zoButtons_H::SetMousePointer(int v) {
    window_.SetMousePointer(v);
    Changed("mPointer");
}

void zoButtons_H::SetMouseIcon(const PicturePtr& v) {
    std::string error;
    if (!window_.SetMouseIcon(v, error)) {
        if (designMode_) host_.ShowInformation(error, "Select .ico Or .cur Files Only");
        return;
    }
    if (v) {
        SetMousePointer(99);
        Changed("mIcon");
    }
}

void zoButtons_H::SetFont(const Font& v) {
    window_.SetFont(v);
    RefreshDerivedState("Font");
    Relayout();
    Refresh();
    Changed("Font");
}

int zoButtons_H::GetFontStyle() const {
    const Font f = window_.GetFont();
    return (f.weight >= 700 ? 2 : 0) | (f.italic ? 4 : 0) | (f.underline ? 8 : 0);
}

void zoButtons_H::SetFontStyle(int bits) {
    Font f = window_.GetFont();
    f.weight = (bits & 2) ? 700 : 400;
    f.italic = (bits & 4) != 0;
    f.underline = (bits & 8) != 0;
    window_.SetFont(f);
    RefreshDerivedState("Font");
    Relayout();
    Changed("Font");
    Refresh();
}

void zoButtons_H::SetForeColor(Color v) {
    if (v == window_.GetForeColor()) return;
    window_.SetForeColor(v);
    if (LocksFore(hoverColorLocks_)) SetHoverForeColor(v);
    delay_ = false;
    Repaint(true);
    Changed("cFore");
}

void zoButtons_H::SetBackColor(Color v) {
    if (v == backColor_) return;
    backColor_ = v;
    if (LocksBack(hoverColorLocks_)) {
        SetHoverBackColor(gradientMode_ != GradientNone ? gradientColor_ : v);
    }
    RefreshDerivedState("BackColor");
    Refresh();
    Changed("cBack");
}

void zoButtons_H::SetGradientColor(Color v) {
    if (LocksBack(hoverColorLocks_) && gradientMode_ > 0) hoverBackColor_ = v;
    gradientColor_ = v;
    RefreshDerivedState("BackColor");
    if (gradientMode_ != GradientNone) Refresh();
    Changed("cGradient");
}

void zoButtons_H::SetGradientMode(int v) {
    if (v < 0 || v > 4) return;
    gradientMode_ = v;
    if (LocksBack(hoverColorLocks_)) {
        hoverBackColor_ = v == GradientNone ? backColor_ : gradientColor_;
    }
    RefreshDerivedState("BackColor");
    Refresh();
    Changed("Gradient");
}

void zoButtons_H::SetResetDefaultColors(bool v) {
    if (!designMode_ || !v) return;
    DelayDrawing(true);
    backColor_ = kSysButtonFace;
    SetForeColor(kSysButtonText);
    SetGradientColor(kSysButtonFace);
    SetGradientMode(GradientNone);
    SetHoverColorLocks(LockBoth);
    RefreshDerivedState("BackColor");
    DelayDrawing(false);
    Changed("cGradient");
    Changed("cBack");
}

void zoButtons_H::SetHoverColorLocks(int v) {
    hoverColorLocks_ = v;
    if (LocksBack(v)) {
        hoverBackColor_ = gradientMode_ != GradientNone ? gradientColor_ : backColor_;
        Changed("cBHover");
    }
    if (LocksFore(v)) {
        hoverForeColor_ = window_.GetForeColor();
        Changed("cFHover");
    }
    RefreshDerivedState("BackColor");
    Changed("LockHover");
}

void zoButtons_H::SetHoverForeColor(Color v) {
    if (v == hoverForeColor_) return;
    hoverForeColor_ = v;
    Changed("cFHover");
    if (v != window_.GetForeColor()) {
        if (hoverColorLocks_ == LockBoth)
            hoverColorLocks_ = LockBackColor;
        else if (hoverColorLocks_ == LockForeColor)
            hoverColorLocks_ = LockNone;
    }
}

void zoButtons_H::SetHoverBackColor(Color v) {
    if (v == hoverBackColor_) return;
    hoverBackColor_ = v;
    // The lock is released only by a colour other than the one it follows:
    // with a gradient that is the gradient colour, so the locked hover colour
    // set by the BackColor setter keeps its lock.
    const Color followed = gradientMode_ != GradientNone ? gradientColor_ : backColor_;
    if (v != followed) {
        if (hoverColorLocks_ == LockBoth)
            hoverColorLocks_ = LockForeColor;
        else if (hoverColorLocks_ == LockBackColor)
            hoverColorLocks_ = LockNone;
    }
    RefreshDerivedState("BackColor");
    Changed("cBHover");
}

}  // namespace cindral::button
