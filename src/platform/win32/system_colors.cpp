#include "platform/win32/system_colors.h"

#include <utility>

#include "platform/win32/win32.h"

namespace cindral::platform::win32 {

namespace {

using button::SystemColor;

constexpr std::pair<SystemColor, int> kIndices[] = {
    {SystemColor::ScrollBar, COLOR_SCROLLBAR},
    {SystemColor::Desktop, COLOR_BACKGROUND},
    {SystemColor::ActiveCaption, COLOR_ACTIVECAPTION},
    {SystemColor::InactiveCaption, COLOR_INACTIVECAPTION},
    {SystemColor::Menu, COLOR_MENU},
    {SystemColor::Window, COLOR_WINDOW},
    {SystemColor::WindowFrame, COLOR_WINDOWFRAME},
    {SystemColor::MenuText, COLOR_MENUTEXT},
    {SystemColor::WindowText, COLOR_WINDOWTEXT},
    {SystemColor::CaptionText, COLOR_CAPTIONTEXT},
    {SystemColor::ActiveBorder, COLOR_ACTIVEBORDER},
    {SystemColor::InactiveBorder, COLOR_INACTIVEBORDER},
    {SystemColor::AppWorkspace, COLOR_APPWORKSPACE},
    {SystemColor::Highlight, COLOR_HIGHLIGHT},
    {SystemColor::HighlightText, COLOR_HIGHLIGHTTEXT},
    {SystemColor::ButtonFace, COLOR_BTNFACE},
    {SystemColor::ButtonShadow, COLOR_BTNSHADOW},
    {SystemColor::GrayText, COLOR_GRAYTEXT},
    {SystemColor::ButtonText, COLOR_BTNTEXT},
    {SystemColor::InactiveCaptionText, COLOR_INACTIVECAPTIONTEXT},
    {SystemColor::ButtonHighlight, COLOR_BTNHIGHLIGHT},
    {SystemColor::DarkShadow, COLOR_3DDKSHADOW},
    {SystemColor::Light, COLOR_3DLIGHT},
    {SystemColor::InfoText, COLOR_INFOTEXT},
    {SystemColor::InfoBackground, COLOR_INFOBK},
    {SystemColor::HotLight, COLOR_HOTLIGHT},
    {SystemColor::GradientActiveCaption, COLOR_GRADIENTACTIVECAPTION},
    {SystemColor::GradientInactiveCaption, COLOR_GRADIENTINACTIVECAPTION},
    {SystemColor::MenuHighlight, COLOR_MENUHILIGHT},
    {SystemColor::MenuBar, COLOR_MENUBAR},
};

}  // namespace

int SystemColorIndex(SystemColor name) {
    for (const auto& [n, index] : kIndices) {
        if (n == name) return index;
    }
    return COLOR_BTNFACE;  // every name is in the table
}

}  // namespace cindral::platform::win32
