#include <cctype>

#include "button/zo_button.h"

namespace cindral::button {

namespace {

PropertyValue Int(std::int64_t v) { return PropertyValue{v}; }
PropertyValue Col(Color c) { return PropertyValue{static_cast<std::int64_t>(c)}; }
Color AsColor(const PropertyValue& v, Color fallback) {
    return static_cast<Color>(AsInt(v, fallback));
}

Font AsFont(const PropertyValue& v, const Font& fallback) {
    if (const auto* f = std::get_if<Font>(&v)) return *f;
    return fallback;
}

PicturePtr AsPicture(const PropertyValue& v) {
    if (const auto* p = std::get_if<PicturePtr>(&v)) return *p;
    return nullptr;
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

// The "Font" key defaults to the container's font on both sides: a default
// taken from the window's own font would equal the value being written, so a
// chosen font would never be saved.
void zoButtons_H::ReadProperties(PropertyBag& bag) {
    DelayDrawing(true);
    const std::string caption = AsString(bag.Read("Caption", std::string()));
    caption_ = caption;
    captionAlign_ = static_cast<int>(AsInt(bag.Read("CapAlign", Int(2)), 2));
    buttonStyle_ = static_cast<int>(AsInt(bag.Read("BackStyle", Int(0)), 0));
    buttonShape_ = static_cast<int>(AsInt(bag.Read("Shape", Int(0)), 0));
    gradientMode_ = static_cast<int>(AsInt(bag.Read("Gradient", Int(0)), 0));
    gradientColor_ = AsColor(bag.Read("cGradient", Col(kSysButtonFace)), kSysButtonFace);
    const Font ambientFont = host_.AmbientFont();
    window_.SetFont(AsFont(bag.Read("Font", ambientFont), ambientFont));
    window_.SetForeColor(AsColor(bag.Read("cFore", Col(kSysButtonText)), kSysButtonText));
    showFocusRect_ = AsBool(bag.Read("Focus", true), true);
    picture_ = AsPicture(bag.Read("Image", PicturePtr{}));
    pictureSizeCode_ = static_cast<int>(AsInt(bag.Read("ImgSize", Int(16)), 16));
    pictureAlign_ = static_cast<int>(AsInt(bag.Read("ImgAlign", Int(0)), 0));
    hoverForeColor_ = AsColor(bag.Read("cFHover", Col(kSysButtonText)), kSysButtonText);
    window_.SetEnabled(AsBool(bag.Read("Enabled", true), true));
    const Color ambientBack = host_.AmbientBackColor();
    backColor_ = AsColor(bag.Read("cBack", Col(ambientBack)), ambientBack);
    hoverBackColor_ = AsColor(bag.Read("cBHover", Col(backColor_)), backColor_);
    hoverColorLocks_ = static_cast<int>(AsInt(bag.Read("LockHover", Int(0)), 0));
    captionStyle_ = static_cast<int>(AsInt(bag.Read("CapStyle", Int(0)), 0));
    const PicturePtr icon = AsPicture(bag.Read("mIcon", PicturePtr{}));
    SetMouseIcon(icon);
    SetMousePointer(static_cast<int>(AsInt(bag.Read("mPointer", Int(0)), 0)));

    RefreshDerivedState("Picture");
    RefreshDerivedState("Font");
    RefreshDerivedState("BackColor");
    SetCaption(caption);
    delay_ = false;
    OnResize();
}

void zoButtons_H::WriteProperties(PropertyBag& bag) {
    bag.Write("Caption", caption_, std::string());
    bag.Write("CapAlign", Int(captionAlign_), Int(2));
    bag.Write("BackStyle", Int(buttonStyle_), Int(0));
    bag.Write("Shape", Int(buttonShape_), Int(0));
    bag.Write("Font", window_.GetFont(), host_.AmbientFont());
    bag.Write("cFore", Col(window_.GetForeColor()), Col(kSysButtonText));
    bag.Write("cFHover", Col(hoverForeColor_), Col(kSysButtonText));
    bag.Write("cBHover", Col(hoverBackColor_), Col(backColor_));
    bag.Write("Focus", showFocusRect_, true);
    bag.Write("LockHover", Int(hoverColorLocks_), Int(0));
    bag.Write("cGradient", Col(gradientColor_), Col(kSysButtonFace));
    bag.Write("Gradient", Int(gradientMode_), Int(0));
    bag.Write("CapStyle", Int(captionStyle_), Int(0));
    bag.Write("ImgAlign", Int(pictureAlign_), Int(0));
    bag.Write("Image", picture_, PicturePtr{});
    bag.Write("ImgSize", Int(pictureSizeCode_ == 0 ? 16 : pictureSizeCode_), Int(16));
    bag.Write("Enabled", window_.IsEnabled(), true);
    bag.Write("cBack", Col(backColor_), PropertyValue{});
    bag.Write("mPointer", Int(window_.GetMousePointer()), Int(0));
    bag.Write("mIcon", window_.GetMouseIcon(), PicturePtr{});
}

void zoButtons_H::OnShow() {
    designMode_ = host_.DesignMode();
    if (!designMode_) return;
    buttonState_ = host_.DisplayAsDefault() ? StateFocused : 0;
    if (buttonState_ == StateFocused) Refresh();
}

void zoButtons_H::OnDisplayAsDefaultChanged() {
    if (!designMode_) return;
    buttonState_ = host_.DisplayAsDefault() ? StateFocused : 0;
    Refresh();
}

void zoButtons_H::OnAmbientBackColorChanged() {
    containerColor_ = ToRgb(host_.AmbientBackColor());
    if (designMode_ && buttonStyle_ == StyleHoverOnly) Repaint(false);
    if (IsOval()) Refresh();
}

void zoButtons_H::OnResize() {
    if (delay_) return;
    if (EqualsIgnoringCase(caption_, NewInstanceCaption)) {
        caption_ = host_.DisplayName();
        UpdateAccessKey(caption_);
    }
    containerColor_ = ToRgb(host_.AmbientBackColor());
    BuildRegion();
    window_.DropSurface();
    // The caption font is derived from the window's font here as well: a
    // control that never had a font set must still draw in the one it shows.
    RefreshDerivedState("Font");
    Relayout();
    Refresh();
}

}  // namespace cindral::button
