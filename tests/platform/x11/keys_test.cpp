// The saver keys the key handler reads for X keys.

#include "platform/x11/keys.h"

#include <gtest/gtest.h>
// After GoogleTest: Xlib's None macro would break it.
// clang-format off
#include <X11/Xlib.h>
#include <X11/keysym.h>
// clang-format on

namespace cindral::platform::x11 {
namespace {

TEST(SaverKeyOf, ArrowsAndTheKeypadArrowsWithoutNumLockAreTheTrackKeys) {
    using saver::Key;
    struct Case {
        unsigned long keysym;
        bool numLock;
        Key expected;
    };
    const Case cases[] = {
        {XK_Left, false, Key::Left},
        {XK_Right, false, Key::Right},
        {XK_Left, true, Key::Left},
        {XK_Right, true, Key::Right},
        // The keypad's 4 and 6 are the arrows while NumLock is off ...
        {XK_KP_Left, false, Key::Left},
        {XK_KP_Right, false, Key::Right},
        {XK_KP_4, false, Key::Left},
        {XK_KP_6, false, Key::Right},
        // ... and digits, no arrows, while it is on.
        {XK_KP_Left, true, Key::Other},
        {XK_KP_Right, true, Key::Other},
        {XK_KP_4, true, Key::Other},
        {XK_KP_6, true, Key::Other},
        {XK_KP_Up, false, Key::Other},  // the keypad's up arrow is no track key
        {XK_a, false, Key::Other},
        {XK_z, true, Key::Other},
        {XK_0, false, Key::Other},
        {XK_5, false, Key::Other},
        {XK_9, false, Key::Other},
        // No other key may pass for an arrow, whatever its code.
        {XK_Up, false, Key::Other},
        {XK_apostrophe, false, Key::Other},  // ASCII 39
        {XK_percent, false, Key::Other},     // ASCII 37
        {XK_KP_5, true, Key::Other},
        {XK_Escape, false, Key::Other},
        {XK_space, false, Key::Other},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SaverKeyOf(c.keysym, c.numLock), c.expected)
            << XKeysymToString(c.keysym) << (c.numLock ? " with NumLock" : "");
    }
}

}  // namespace
}  // namespace cindral::platform::x11
