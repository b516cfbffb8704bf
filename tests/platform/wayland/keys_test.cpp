#include "platform/wayland/keys.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>
#include <string>

namespace cindral::platform::wayland {
namespace {

// The keymap a compositor sends for a US keyboard, in the text format of
// wl_keyboard.keymap.
std::string UsKeymapText() {
    xkb_context* ctx = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    xkb_rule_names names{"evdev", "pc105", "us", "", ""};
    xkb_keymap* map = xkb_keymap_new_from_names(ctx, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    std::string text;
    if (map) {
        char* s = xkb_keymap_get_as_string(map, XKB_KEYMAP_FORMAT_TEXT_V1);
        text = s;
        free(s);
        xkb_keymap_unref(map);
    }
    xkb_context_unref(ctx);
    return text;
}

// Keys arrive as evdev codes and are read through the keymap, unshifted: the
// arrows (and the keypad's 4 and 6 without NumLock) step CD tracks; every
// other key, whatever its keysym's number, is Other and ends the saver.
TEST(WaylandKeys, EvdevCodesDecodeThroughTheKeymapToSaverKeys) {
    using saver::Key;
    struct KeyCase {
        std::uint32_t evdev;
        bool numLock;
        bool shift;
        Key expected;
    };
    KeyboardDecoder decoder;
    ASSERT_TRUE(decoder.SetKeymap(UsKeymapText()));
    const std::uint32_t numLock = decoder.NumLockMask();
    ASSERT_NE(numLock, 0u);
    const std::uint32_t shift = 1u;  // the first modifier of every XKB keymap
    const KeyCase cases[] = {
        {KEY_LEFT, false, false, Key::Left},
        {KEY_RIGHT, false, false, Key::Right},
        {KEY_LEFT, true, false, Key::Left},
        {KEY_RIGHT, false, true, Key::Right},
        {KEY_KP4, false, false, Key::Left},
        {KEY_KP6, false, false, Key::Right},
        {KEY_KP4, true, false, Key::Other},
        {KEY_KP6, true, false, Key::Other},
        {KEY_KP8, false, false, Key::Other},  // the keypad's up arrow is no track key
        {KEY_UP, false, false, Key::Other},
        // Keysyms numbered as the arrows' virtual keys are no arrows.
        {KEY_APOSTROPHE, false, false, Key::Other},  // 39
        {KEY_5, false, true, Key::Other},            // '%' is 37
        {KEY_A, false, false, Key::Other},
        {KEY_1, false, false, Key::Other},
        {KEY_ESC, false, false, Key::Other},
        {KEY_SPACE, false, false, Key::Other},
    };
    for (const auto& c : cases) {
        decoder.SetModifiers(c.shift ? shift : 0, 0, c.numLock ? numLock : 0, 0);
        EXPECT_EQ(decoder.SaverKeyOfKey(c.evdev), c.expected)
            << "evdev " << c.evdev << " numLock " << c.numLock << " shift " << c.shift;
    }
}

// A keyboard that sent no usable keymap yet decodes every key as Other, which
// still ends the saver; a later keymap (a new keyboard) takes over.
TEST(WaylandKeys, WithoutAKeymapKeysAreOtherUntilOneArrives) {
    KeyboardDecoder decoder;
    EXPECT_EQ(decoder.SaverKeyOfKey(KEY_LEFT), saver::Key::Other);
    EXPECT_FALSE(decoder.SetKeymap("xkb_keymap { this is not a keymap"));
    EXPECT_FALSE(decoder.HasKeymap());
    EXPECT_EQ(decoder.SaverKeyOfKey(KEY_RIGHT), saver::Key::Other);
    ASSERT_TRUE(decoder.SetKeymap(UsKeymapText()));
    EXPECT_EQ(decoder.SaverKeyOfKey(KEY_RIGHT), saver::Key::Right);
}

}  // namespace
}  // namespace cindral::platform::wayland
