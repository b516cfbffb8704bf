#pragma once
// The settings window's controls: names, containers, positions (pixels,
// relative to the container) and texts, so that every platform window builds
// the same window from one table.

#include <span>
#include <string_view>

#include "settings_window/geometry.h"

namespace cindral::settings_window {

inline constexpr std::string_view kWindowCaption = "Cindralの設定";
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

struct ControlSpec {
    ControlId id;
    int index;  // control-array index; 0 for single controls
    Container container;
    Rect rect;  // left, top, right, bottom in the container
    std::string_view text;
};

// The whole table, in the order a window creates the controls (containers
// before what they hold).
std::span<const ControlSpec> Controls();

// The layout entry of one control; nullptr when the window has no such control.
const ControlSpec* FindControl(ControlId id, int index = 0);

// The panel's drawing area: its size within its single-line border, which
// stays one pixel wide on any screen.
Size PanelDrawingArea(Panel panel);
Size PanelDrawingArea(Panel panel, const ScreenMetrics& screen);

// A control's rectangle in Pic_C's (the client area's) coordinates.
Rect ClientRect(const ControlSpec& control);

}  // namespace cindral::settings_window
