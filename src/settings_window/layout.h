#pragma once
// The settings window's controls: names, containers, positions (pixels,
// relative to the container) and texts, so that every platform window builds
// the same window from one table.

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "settings_window/geometry.h"
#include "startup/startup_dispatch.h"

namespace cindral::settings_window {

// The single-instance rule finds the window by this caption.
inline constexpr std::string_view kWindowCaption = startup::kSettingsCaption;
inline constexpr std::string_view kProgramCredit = "Cindral version 1.0";

// Labels: "ＭＳ Ｐゴシック" 9.75 pt, normal weight, Shift-JIS character set.
inline constexpr std::string_view kLabelFontFace = "ＭＳ Ｐゴシック";
inline constexpr double kLabelFontPoints = 9.75;
// The same size in pixels at the 96 dots per inch the layout's positions assume.
inline constexpr int kLabelFontPixels = static_cast<int>(kLabelFontPoints * 96.0 / 72.0 + 0.5);

inline constexpr std::string_view kFileDialogTitle = "ﾌｧｲﾙを開く";
inline constexpr std::string_view kFileDialogFilterName = "BGMﾌｧｲﾙ (MP3 WAV)";
inline constexpr std::string_view kFileDialogPatterns = "*.MP3;*.WAV";
// The dialog's file buffer holds 255 characters with its closing NUL: a longer
// path is refused and changes nothing.
inline constexpr std::size_t kMaxMusicPathChars = 254;

inline constexpr Size kClientSize{549, 393};  // Pic_C fills the client area
inline constexpr Size kTextureTile{560, 20};  // Pic_Mbl
inline constexpr Size kPreviewSize{80, 60};   // Fire_Image pictures
inline constexpr Size kMarkerSize{13, 13};    // MarkerOff, MarkerOn
inline constexpr Size kIconSize{32, 32};
inline constexpr int kFireMarkers = 9;  // Sel_Img(0..8)
inline constexpr int kMusicKinds = 3;   // Img_BGM(0..2)
inline constexpr int kRandomFireKind = 8;

// Every control that can receive input or shows something.
enum class ControlId {
    PicC,          // Pic_C: backdrop behind everything
    Panel,         // Pic_1(index)
    TitleFrame,    // Shape(3) on panel 0, Shape(6) on panel 1
    Title,         // lbl(13) "炎の種類", lbl(1) "BGM": centred
    FireMarker,    // Sel_Img(index)
    FireImage,     // Fire_Image(index): 84 x 64 holder with a single-line border
    RandomLabel,   // lbl_Rdm
    MusicMarker,   // Img_BGM(index)
    MusicLabel,    // lbl_BGM(index)
    RepeatCombo,   // BGM_Repeat: editable drop-down
    RepeatLabel,   // lbl(2)
    FileName,      // lbl_Fname: single-line border, system window-text colour
    Credit,        // lbl(9): white text
    SaveButton,    // zoButtons_H1
    CancelButton,  // zoButtons_H2
    FileButton,    // zoButtons_H3
};

// The window's push buttons: SaveButton, CancelButton and FileButton, numbered
// 0 to 2 in that order; any other control gets -1.
inline constexpr int kPushButtons = 3;
int PushButtonIndex(ControlId id);

// Where a control sits: on Pic_C, or on one of the panels.
enum class Container { Window, PicC, FirePanel, MusicPanel };

// The window system's own colours, which the user's desktop scheme sets.
enum class SystemColour { None, WindowText, Window };

// A fixed RGB value, or a system colour when `system` names one.
struct Colour {
    Rgb rgb;
    SystemColour system = SystemColour::None;
    friend bool operator==(const Colour&, const Colour&) = default;
};
inline constexpr Colour kBlack{{0, 0, 0}};
inline constexpr Colour kWhite{{255, 255, 255}};

// What a platform window creates for a control.
enum class ControlKind {
    Surface,     // a drawing kept across repaints: the backdrop, the panels
    Frame,       // an outline only; what lies inside shows and takes the mouse
    Picture,     // a marker or a preview, drawn at its top left (inside a border)
    Label,       // one line of text
    Combo,       // an editable drop-down list
    PushButton,  // zoButtons_H reading ButtonPropertySet(id); presses and
                 // clicks go to the window's logic like every other control's
};

// Horizontal placement of a label's text; it is always centred vertically.
enum class TextAlign { Left, Centre };

enum class Border {
    None,
    Line,    // one pixel of the border colour; a surface keeps its drawing inside it
    Sunken,  // the two-pixel sunken edge; pictures and text sit inside it
};

// A label whose text is wider than its rectangle grows to the right to show
// it whole (the substitute faces of other systems run a few pixels wider).
enum class Growth { None, ToFitText };

struct Look {
    ControlKind kind = ControlKind::Label;
    TextAlign align = TextAlign::Left;
    Colour text = kBlack;
    Border border = Border::None;
    Colour borderColour = kBlack;
    // A surface's first drawing, a label's background. None: what lies under
    // the control shows through (a push button shows ChildShade there).
    std::optional<Colour> fill = std::nullopt;
    Growth growth = Growth::None;
};

struct ControlEntry {
    ControlId id;
    int index;  // control-array index; 0 for single controls
    Container container;
    Rect rect;  // left, top, right, bottom in the container
    std::string_view text;
    Look look;
};

// The whole table, in the order a window creates the controls (containers
// before what they hold).
std::span<const ControlEntry> Controls();

// The layout entry of one control; nullptr when the window has no such control.
const ControlEntry* FindControl(ControlId id, int index = 0);

// The panel's drawing area: its size within its single-line border, which
// stays one pixel wide on any screen.
Size PanelDrawingArea(Panel panel);
Size PanelDrawingArea(Panel panel, const ScreenMetrics& screen);

// A control's rectangle in Pic_C's (the client area's) coordinates.
Rect ClientRect(const ControlEntry& control);

// What holds the controls of `container` in a window made from the table:
// its backdrop, one of its two panels, or null for the window itself.
template <class Holder>
Holder* HolderOf(Container container, Holder* backdrop, const std::array<Holder*, 2>& panels) {
    switch (container) {
        case Container::PicC:
            return backdrop;
        case Container::FirePanel:
            return panels[0];
        case Container::MusicPanel:
            return panels[1];
        case Container::Window:
            break;
    }
    return nullptr;
}

// The colour a control that shows its container's colour takes on
// `container`: the texture's average on a panel, the backdrop's shade behind
// the push buttons on Pic_C, and Pic_C's first black on the window.
Rgb ChildShade(Container container);

// Where a label's text goes, in the label's own coordinates on `screen`:
// inside a sunken border it keeps 3 pixels from the sides and 2 from the top
// and bottom; the label scales, the border and these margins stay as wide.
Rect TextArea(const ControlEntry& control, const ScreenMetrics& screen = {});

// The width a label takes on `screen` for text `textWidth` pixels wide: its
// own, or, for a label that grows to fit, the text's width and one pixel when
// that is more.
int GrownWidth(const ControlEntry& control, int textWidth, const ScreenMetrics& screen = {});

}  // namespace cindral::settings_window
