#pragma once
// The push-button control zoButtons_H: properties, persistence, input and painting.

#include <cstdint>
#include <string>
#include <string_view>

#include "button/color.h"
#include "button/ports.h"
#include "button/property_bag.h"
#include "button/region.h"
#include "button/types.h"

namespace cindral::button {

enum CaptionAlign { CaptionLeft = 0, CaptionRight = 1, CaptionCenter = 2 };
enum CaptionStyle { CaptionFlat = 0, CaptionEmbossed = 1, CaptionEngraved = 2 };
enum ButtonShape {
    ShapeRectangle = 0,
    ShapeLeftDiagonal = 1,
    ShapeRightDiagonal = 2,
    ShapeBothDiagonal = 3,
    ShapeOval = 4,
    ShapeOvalFlatPress = 5,
    ShapeOvalRing = 6,
};
// The eight looks of the bevel, drawn in bevel.cpp.
enum ButtonStyle {
    StyleStandard = 0,   // raised bevel of three rings
    StyleFramed = 1,     // a black frame round a two-ring bevel
    StyleTinted = 2,     // each side its own colour; tinted edges show focus and hover
    StyleEtched = 3,     // an etched frame
    StyleThin = 4,       // a flat one-pixel bevel
    StyleHoverOnly = 5,  // the face alone until the mouse is over it
    StyleLight = 6,      // light grey two-ring bevel
    StyleShaded = 7,     // rings shaded from the face colour
};
enum PictureAlign {
    PictureLeftEdge = 0,
    PictureLeftOfCaption = 1,
    PictureRightEdge = 2,
    PictureRightOfCaption = 3,
    PictureTopCenter = 4,
    PictureBottomCenter = 5,
};
enum PictureSize {
    Picture16 = 0,
    Picture24 = 1,
    Picture32 = 2,
    PictureStretch = 3,
    PictureFit = 4
};
enum GradientMode {
    GradientNone = 0,
    GradientLeftToRight = 1,
    GradientRightToLeft = 2,
    GradientTopToBottom = 3,
    GradientBottomToTop = 4,
};
enum HoverColorLocks { LockBoth = 0, LockForeColor = 1, LockBackColor = 2, LockNone = 3 };

constexpr std::int16_t StateFocused = 1;
constexpr std::int16_t StatePressed = 2;
constexpr std::int16_t StateMouseOver = 4;

constexpr int kHoverTimerId = 237;
constexpr int kHoverTimerPeriodMs = 50;

// The caption of a freshly placed control, replaced by its instance name.
extern const char* const NewInstanceCaption;

// The owner-drawn push button. The host window forwards its notifications to
// the handlers below; the button paints through the window's surface and
// raises its events to the listener.
class zoButtons_H {
  public:
    zoButtons_H(ButtonWindow& window, HoverTimer& timer, ButtonHost& host, ButtonEvents& events);
    ~zoButtons_H();
    zoButtons_H(const zoButtons_H&) = delete;
    zoButtons_H& operator=(const zoButtons_H&) = delete;

    // --- properties -------------------------------------------------------
    int GetButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(int v);
    const std::string& GetCaption() const { return caption_; }
    void SetCaption(const std::string& v);
    int GetCaptionAlign() const { return captionAlign_; }
    void SetCaptionAlign(int v);
    int GetCaptionStyle() const { return captionStyle_; }
    void SetCaptionStyle(int v);
    int GetButtonShape() const { return buttonShape_; }
    void SetButtonShape(int v);
    const PicturePtr& GetPicture() const { return picture_; }
    void SetPicture(const PicturePtr& v);
    int GetPictureAlign() const { return pictureAlign_; }
    void SetPictureAlign(int v);
    bool GetEnabled() const { return window_.IsEnabled(); }
    void SetEnabled(bool v);
    bool GetShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool v);
    int GetPictureSize() const;
    void SetPictureSize(int v);
    int GetPictureSizeCode() const { return pictureSizeCode_; }
    int GetMousePointer() const { return window_.GetMousePointer(); }
    void SetMousePointer(int v);
    PicturePtr GetMouseIcon() const { return window_.GetMouseIcon(); }
    void SetMouseIcon(const PicturePtr& v);
    Font GetFont() const { return window_.GetFont(); }
    void SetFont(const Font& v);
    int GetFontStyle() const;
    void SetFontStyle(int bits);
    Color GetForeColor() const { return window_.GetForeColor(); }
    void SetForeColor(Color v);
    Color GetBackColor() const { return backColor_; }
    void SetBackColor(Color v);
    Color GetGradientColor() const { return gradientColor_; }
    void SetGradientColor(Color v);
    int GetGradientMode() const { return gradientMode_; }
    void SetGradientMode(int v);
    bool GetResetDefaultColors() const { return false; }
    void SetResetDefaultColors(bool v);
    int GetHoverColorLocks() const { return hoverColorLocks_; }
    void SetHoverColorLocks(int v);
    Color GetHoverForeColor() const { return hoverForeColor_; }
    void SetHoverForeColor(Color v);
    Color GetHoverBackColor() const { return hoverBackColor_; }
    void SetHoverBackColor(Color v);

    void Refresh();
    void DelayDrawing(bool delay);

    void ReadProperties(PropertyBag& bag);
    void WriteProperties(PropertyBag& bag);

    // --- window notifications ---------------------------------------------
    void OnShow();
    void OnDisplayAsDefaultChanged();
    void OnAmbientBackColorChanged();
    void OnResize();
    void OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    void OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void OnClick();
    void OnDoubleClick();
    void OnKeyDown(std::int16_t keyCode, std::int16_t shift);
    void OnKeyPress(std::int16_t keyAscii);
    void OnKeyUp(std::int16_t keyCode, std::int16_t shift);
    void OnAccessKey();
    void OnGotFocus();
    void OnLostFocus();
    void OnPaint();
    void HoverCheck(int timerId);

    // --- state the painter and tests look at -------------------------------
    std::int16_t ButtonState() const { return buttonState_; }
    bool HoverTracking() const { return hoverTracking_; }
    std::int16_t LastButton() const { return lastButton_; }
    bool Delayed() const { return delay_; }
    bool IsDesignMode() const { return designMode_; }
    const std::string& AccessKey() const { return accessKey_; }
    Color FaceColor() const { return faceColor_; }
    Color FacePressedColor() const { return facePressedColor_; }
    Color FaceHoverColor() const { return faceHoverColor_; }
    Color ContainerColor() const { return containerColor_; }
    const Rect& CaptionRect() const { return captionRect_; }
    const Rect& PictureRect() const { return pictureRect_; }
    int LeftOffset() const { return leftOffset_; }
    int RightPosition() const { return rightPos_; }
    const Region& WindowRegion() const { return region_; }
    const FontDescription& CaptionFont() const { return captionFont_; }

    // Private routines, public so that the painter can be driven step by step.
    void Relayout();
    void BuildRegion();
    void RefreshDerivedState(std::string_view key);
    void Repaint(bool full);

  private:
    bool PressedOver() const {
        return (buttonState_ & (StatePressed | StateMouseOver)) == (StatePressed | StateMouseOver);
    }
    bool HasPicture() const { return picture_ && picture_->width + picture_->height >= 1; }
    bool IsOval() const { return buttonShape_ >= ShapeOval; }
    // The size code as drawn: 0 means 16, and a stored code outside every
    // size (the set is not validated) is drawn as 16 rather than overflowing.
    int DrawnSizeCode() const {
        return pictureSizeCode_ <= 0 || pictureSizeCode_ > 48 ? 16 : pictureSizeCode_;
    }
    bool IsDiagonal() const { return buttonShape_ >= 1 && buttonShape_ <= 3; }
    Color ToRgb(Color c) const { return TranslateColor(c, window_); }
    void Changed(std::string_view key) { host_.PropertyChanged(key); }
    void UpdateAccessKey(const std::string& caption);
    void MouseDownHandling(std::int16_t button, std::int16_t shift, float x, float y);
    void ClickHandling();
    // The caption font for the window's font, in pixels.
    FontDescription DeriveCaptionFont() const;

    // painter (paint.cpp, bevel.cpp)
    Color FillBackground(Canvas& c);
    void PaintGradient(Canvas& c, const Rect& area, int mode, Color first, Color last);
    void DrawPicture(Canvas& c, const Rect& rect);
    void DrawCaption(Canvas& c, const Rect& rect);
    void DrawStyleLines(Canvas& c);
    void DrawOvalFocusRing(Canvas& c);
    int StateIndex() const;
    bool FocusMarkCondition() const;

    ButtonWindow& window_;
    HoverTimer& timer_;
    ButtonHost& host_;
    ButtonEvents& events_;

    int buttonStyle_ = StyleStandard;
    std::string caption_;
    std::string accessKey_;
    int captionAlign_ = CaptionCenter;
    int captionStyle_ = CaptionFlat;
    int buttonShape_ = ShapeRectangle;
    PicturePtr picture_;
    int pictureAlign_ = PictureLeftEdge;
    bool showFocusRect_ = true;
    int pictureSizeCode_ = 0;
    Color backColor_ = kSysButtonFace;
    Color gradientColor_ = 0;
    int gradientMode_ = GradientNone;
    int hoverColorLocks_ = LockBoth;
    Color hoverForeColor_ = 0;
    Color hoverBackColor_ = 0;

    std::int16_t buttonState_ = 0;
    bool hoverTracking_ = false;
    std::int16_t lastButton_ = 0;
    bool delay_ = false;
    bool designMode_ = false;

    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    bool pictureIsIcon_ = false;
    Color faceColor_ = 0;
    Color facePressedColor_ = 0;
    Color faceHoverColor_ = 0;
    Color containerColor_ = 0;
    Color captionBaseColor_ = 0;  // what the last full paint's face returned
    FontDescription captionFont_;

    Rect captionRect_;
    Rect pictureRect_;
    int leftInset_ = 0;
    int rightLimit_ = 0;
    int space_ = 0;
    int leftOffset_ = 0;
    int rightPos_ = 0;
    bool rightPosSet_ = false;
    Region region_;
};

}  // namespace cindral::button
