// The named system colours as the Qt widgets find them in a palette.

#include "platform/qt/colour_map.h"

#include <gtest/gtest.h>

#include <QPalette>

#include "qt_app.h"

namespace cindral::platform::qt::test {
namespace {

using button::SystemColor;

// A palette whose every role has a colour of its own, so a name read from the
// wrong role shows.
QPalette DistinctPalette() {
    QPalette pal;
    int shade = 10;
    for (int role = 0; role < QPalette::NColorRoles; ++role, shade += 9) {
        pal.setColor(static_cast<QPalette::ColorRole>(role), QColor(shade, 255 - shade, role));
    }
    return pal;
}

// The window, text, selection and 3-D element colours come from the roles
// that draw the same parts in Qt; a name without such a role (menus,
// captions, the desktop) is the window background.
TEST(PaletteColour, EachSystemColourReadsTheRoleThatDrawsItsPart) {
    App();
    const QPalette pal = DistinctPalette();
    const struct {
        SystemColor name;
        QPalette::ColorRole role;
    } cases[] = {
        {SystemColor::Window, QPalette::Base},
        {SystemColor::WindowText, QPalette::Text},
        {SystemColor::Highlight, QPalette::Highlight},
        {SystemColor::HighlightText, QPalette::HighlightedText},
        {SystemColor::ButtonFace, QPalette::Button},
        {SystemColor::ButtonShadow, QPalette::Dark},
        {SystemColor::ButtonText, QPalette::ButtonText},
        {SystemColor::ButtonHighlight, QPalette::Light},
        {SystemColor::DarkShadow, QPalette::Shadow},
        {SystemColor::ScrollBar, QPalette::Window},
        {SystemColor::Menu, QPalette::Window},
        {SystemColor::ActiveCaption, QPalette::Window},
        {SystemColor::MenuBar, QPalette::Window},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PaletteColour(pal, c.name), FromQColor(pal.color(c.role)))
            << "system colour " << static_cast<int>(c.name);
    }
}

}  // namespace
}  // namespace cindral::platform::qt::test
