// The key codes the saver's key handler reads for X keys.

#include "platform/x11/keys.h"

#include <gtest/gtest.h>
// After GoogleTest: Xlib's None macro would break it.
// clang-format off
#include <X11/Xlib.h>
#include <X11/keysym.h>
// clang-format on

namespace cindral::platform::x11 {
namespace {

TEST(VirtualKeyOf, ArrowsAndTheKeypadArrowsAreThirtySevenAndThirtyNine) {
    struct Case {
        unsigned long keysym;
        bool numLock;
        int expected;
    };
    const Case cases[] = {
        {XK_Left, false, 37},
        {XK_Right, false, 39},
        {XK_Left, true, 37},
        {XK_Right, true, 39},
        // The keypad's 4 and 6 are the arrows while NumLock is off ...
        {XK_KP_Left, false, 37},
        {XK_KP_Right, false, 39},
        {XK_KP_4, false, 37},
        {XK_KP_6, false, 39},
        // ... and digits, no arrows, while it is on.
        {XK_KP_Left, true, 0},
        {XK_KP_Right, true, 0},
        {XK_KP_4, true, 0},
        {XK_KP_6, true, 0},
        {XK_KP_Up, false, 0},  // the keypad's up arrow is no track key
        {XK_a, false, 'A'},
        {XK_z, true, 'Z'},
        {XK_0, false, '0'},
        {XK_5, false, '5'},
        {XK_9, false, '9'},
        // No other key may pass for an arrow, a letter or a digit.
        {XK_Up, false, 0},
        {XK_apostrophe, false, 0},  // ASCII 39
        {XK_percent, false, 0},     // ASCII 37
        {XK_KP_5, true, 0},
        {XK_Escape, false, 0},
        {XK_space, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyOf(c.keysym, c.numLock), c.expected)
            << XKeysymToString(c.keysym) << (c.numLock ? " with NumLock" : "");
    }
}

}  // namespace
}  // namespace cindral::platform::x11
