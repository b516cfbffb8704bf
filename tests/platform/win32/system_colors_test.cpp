// The button's system colours reach GetSysColor under the window system's
// own numbers.

#include "platform/win32/system_colors.h"

#include <gtest/gtest.h>

namespace cindral::platform::win32 {
namespace {

TEST(SystemColorIndex, EveryNameIsTheColourIndexAStoredValueNumbers) {
    // Stored colour values number system colours as GetSysColor does (0x8000000F
    // is COLOR_BTNFACE, 15), from COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30);
    // 25 is no colour.
    for (int index = 0; index <= 30; ++index) {
        if (index == 25) continue;
        EXPECT_EQ(SystemColorIndex(static_cast<button::SystemColor>(index)), index);
    }
    EXPECT_EQ(SystemColorIndex(button::SystemColor::ButtonFace), 15);
    EXPECT_EQ(SystemColorIndex(button::SystemColor::ButtonText), 18);
}

}  // namespace
}  // namespace cindral::platform::win32
