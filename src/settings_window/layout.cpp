#include "settings_window/layout.h"

#include <algorithm>
#include <array>

#include "settings_window/pictures.h"

namespace cindral::settings_window {
namespace {

constexpr Rect At(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

using C = ControlId;
using K = Container;

constexpr Look kBackdrop{.kind = ControlKind::Surface, .fill = kBlack};
// Grey 128 until the texture is tiled over it; a dark single-line border.
constexpr Look kPanel{.kind = ControlKind::Surface,
                      .border = Border::Line,
                      .borderColour = {{64, 64, 64}},
                      .fill = Colour{{128, 128, 128}}};
constexpr Look kTitleFrame{.kind = ControlKind::Frame, .border = Border::Line};
constexpr Look kTitle{.kind = ControlKind::Label, .align = TextAlign::Centre};
constexpr Look kLabel{.kind = ControlKind::Label, .growth = Growth::ToFitText};
constexpr Look kCredit{.kind = ControlKind::Label, .text = kWhite, .growth = Growth::ToFitText};
// The path on the system's window colour, like the text of an entry field,
// so that it reads the same over any texture.
constexpr Look kFileName{.kind = ControlKind::Label,
                         .text = {{}, SystemColour::WindowText},
                         .border = Border::Sunken,
                         .fill = Colour{{}, SystemColour::Window}};
constexpr Look kMarker{.kind = ControlKind::Picture};
constexpr Look kPreview{.kind = ControlKind::Picture, .border = Border::Sunken};
constexpr Look kCombo{.kind = ControlKind::Combo};
constexpr Look kButton{.kind = ControlKind::PushButton};

// Sunken borders are two pixels wide; text keeps one more pixel from the sides.
constexpr Point kSunkenTextMargin{3, 2};

constexpr std::array kControls{
    ControlEntry{C::PicC, 0, K::Window, At(0, 0, 549, 393), "", kBackdrop},
    ControlEntry{C::Panel, 0, K::PicC, At(16, 16, 517, 189), "", kPanel},
    ControlEntry{C::Panel, 1, K::PicC, At(16, 220, 517, 109), "", kPanel},
    // Fire-kind panel.
    ControlEntry{C::TitleFrame, 0, K::FirePanel, At(12, 8, 101, 21), "", kTitleFrame},
    ControlEntry{C::Title, 0, K::FirePanel, At(12, 12, 101, 17), "炎の種類", kTitle},
    ControlEntry{C::FireMarker, 8, K::FirePanel, At(148, 12, 13, 13), "", kMarker},
    ControlEntry{C::RandomLabel, 0, K::FirePanel, At(164, 12, 83, 13), "起動毎にﾗﾝﾀﾞﾑ", kLabel},
    ControlEntry{C::FireMarker, 0, K::FirePanel, At(32, 36, 13, 13), "", kMarker},
    ControlEntry{C::FireMarker, 1, K::FirePanel, At(148, 36, 13, 13), "", kMarker},
    ControlEntry{C::FireMarker, 2, K::FirePanel, At(264, 36, 13, 13), "", kMarker},
    ControlEntry{C::FireMarker, 3, K::FirePanel, At(380, 36, 13, 13), "", kMarker},
    ControlEntry{C::FireImage, 0, K::FirePanel, At(48, 36, 84, 64), "", kPreview},
    ControlEntry{C::FireImage, 1, K::FirePanel, At(164, 36, 84, 64), "", kPreview},
    ControlEntry{C::FireImage, 2, K::FirePanel, At(280, 36, 84, 64), "", kPreview},
    ControlEntry{C::FireImage, 3, K::FirePanel, At(396, 36, 84, 64), "", kPreview},
    ControlEntry{C::FireMarker, 4, K::FirePanel, At(32, 108, 13, 13), "", kMarker},
    ControlEntry{C::FireMarker, 5, K::FirePanel, At(148, 108, 13, 13), "", kMarker},
    ControlEntry{C::FireMarker, 6, K::FirePanel, At(264, 108, 13, 13), "", kMarker},
    ControlEntry{C::FireMarker, 7, K::FirePanel, At(380, 108, 13, 13), "", kMarker},
    ControlEntry{C::FireImage, 4, K::FirePanel, At(48, 108, 84, 64), "", kPreview},
    ControlEntry{C::FireImage, 5, K::FirePanel, At(164, 108, 84, 64), "", kPreview},
    ControlEntry{C::FireImage, 6, K::FirePanel, At(280, 108, 84, 64), "", kPreview},
    ControlEntry{C::FireImage, 7, K::FirePanel, At(396, 108, 84, 64), "", kPreview},
    // Music panel: the markers run 1, 0, 2 from the top; the index is the kind.
    ControlEntry{C::TitleFrame, 1, K::MusicPanel, At(12, 8, 101, 21), "", kTitleFrame},
    ControlEntry{C::Title, 1, K::MusicPanel, At(12, 12, 101, 17), "BGM", kTitle},
    ControlEntry{C::MusicMarker, 1, K::MusicPanel, At(124, 12, 13, 13), "", kMarker},
    ControlEntry{C::MusicLabel, 1, K::MusicPanel, At(140, 12, 43, 13), "音楽CD", kLabel},
    ControlEntry{C::MusicMarker, 0, K::MusicPanel, At(124, 28, 13, 13), "", kMarker},
    ControlEntry{C::MusicLabel, 0, K::MusicPanel, At(140, 28, 23, 13), "無し", kLabel},
    ControlEntry{C::MusicMarker, 2, K::MusicPanel, At(124, 44, 13, 13), "", kMarker},
    ControlEntry{C::MusicLabel, 2, K::MusicPanel, At(140, 44, 60, 13), "MP3、WAV", kLabel},
    ControlEntry{C::RepeatCombo, 0, K::MusicPanel, At(208, 8, 41, 20), "", kCombo},
    ControlEntry{C::RepeatLabel, 0, K::MusicPanel, At(252, 12, 66, 13), "曲目をﾘﾋﾟｰﾄ", kLabel},
    ControlEntry{C::FileButton, 0, K::MusicPanel, At(208, 40, 41, 25), "...", kButton},
    ControlEntry{C::FileName, 0, K::MusicPanel, At(208, 68, 297, 29), "", kFileName},
    // On the backdrop.
    ControlEntry{C::Credit, 0, K::PicC, At(16, 340, 165, 13), kProgramCredit, kCredit},
    ControlEntry{C::SaveButton, 0, K::PicC, At(360, 340, 89, 33), "設定   ", kButton},
    ControlEntry{C::CancelButton, 0, K::PicC, At(452, 340, 81, 33), "ｷｬﾝｾﾙ ", kButton},
};

}  // namespace

std::span<const ControlEntry> Controls() { return kControls; }

const ControlEntry* FindControl(ControlId id, int index) {
    for (const ControlEntry& c : kControls) {
        if (c.id == id && c.index == index) return &c;
    }
    return nullptr;
}

int PushButtonIndex(ControlId id) {
    switch (id) {
        case ControlId::SaveButton:
            return 0;
        case ControlId::CancelButton:
            return 1;
        case ControlId::FileButton:
            return 2;
        default:
            return -1;
    }
}

Size PanelDrawingArea(Panel panel) { return PanelDrawingArea(panel, ScreenMetrics{}); }

Size PanelDrawingArea(Panel panel, const ScreenMetrics& screen) {
    const Rect r = ScaledRect(FindControl(ControlId::Panel, static_cast<int>(panel))->rect, screen);
    return {r.right - r.left - 2, r.bottom - r.top - 2};
}

Rgb ChildShade(Container container) {
    switch (container) {
        case Container::FirePanel:
        case Container::MusicPanel:
            return kTextureShade;
        case Container::PicC:
            return BackdropShadeBehind(FindControl(ControlId::SaveButton)->rect,
                                       kClientSize.height);
        case Container::Window:
            break;
    }
    return kBlack.rgb;
}

Rect TextArea(const ControlEntry& control, const ScreenMetrics& screen) {
    const Rect r = ScaledRect(control.rect, screen);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (control.look.border != Border::Sunken) return {0, 0, width, height};
    const Point m = kSunkenTextMargin;
    return {m.x, m.y, width - m.x, height - m.y};
}

int GrownWidth(const ControlEntry& control, int textWidth, const ScreenMetrics& screen) {
    const Rect r = ScaledRect(control.rect, screen);
    const int width = r.right - r.left;
    if (control.look.growth != Growth::ToFitText) return width;
    return std::max(width, textWidth + 1);
}

Rect ClientRect(const ControlEntry& control) {
    Point origin;
    if (control.container == Container::FirePanel || control.container == Container::MusicPanel) {
        const int panel = control.container == Container::FirePanel ? 0 : 1;
        const Rect p = FindControl(ControlId::Panel, panel)->rect;
        origin = {p.left + 1, p.top + 1};  // inside the panel's border
    }
    const Rect& r = control.rect;
    return {r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
}

}  // namespace cindral::settings_window
