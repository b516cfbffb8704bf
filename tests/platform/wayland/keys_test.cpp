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

struct KeyCase {
    std::uint32_t evdev;
    bool numLock;
    bool shift;
    int virtualKey;
};

// Keys arrive as evdev codes and are read through the keymap, unshifted: the
// arrows (and the keypad's 4 and 6 without NumLock) step CD tracks, letters
// and digits give their codes, other keys 0 (which still end the saver).
TEST(WaylandKeys, EvdevCodesDecodeThroughTheKeymapToVirtualKeys) {
    KeyboardDecoder decoder;
    ASSERT_TRUE(decoder.SetKeymap(UsKeymapText()));
    const std::uint32_t numLock = decoder.NumLockMask();
    ASSERT_NE(numLock, 0u);
    const std::uint32_t shift = 1u;  // the first modifier of every XKB keymap
    const KeyCase cases[] = {
        {KEY_LEFT, false, false, 37}, {KEY_RIGHT, false, false, 39}, {KEY_LEFT, true, false, 37},
        {KEY_KP4, false, false, 37},  {KEY_KP6, false, false, 39},   {KEY_KP4, true, false, 0},
        {KEY_KP6, true, false, 0},    {KEY_A, false, false, 'A'},    {KEY_A, false, true, 'A'},
        {KEY_Z, false, false, 'Z'},   {KEY_1, false, false, '1'},    {KEY_1, false, true, '1'},
        {KEY_0, false, false, '0'},   {KEY_ESC, false, false, 0},    {KEY_SPACE, false, false, 0},
        {KEY_ENTER, false, false, 0},
    };
    for (const auto& c : cases) {
        decoder.SetModifiers(c.shift ? shift : 0, 0, c.numLock ? numLock : 0, 0);
        EXPECT_EQ(decoder.VirtualKeyOfKey(c.evdev), c.virtualKey)
            << "evdev " << c.evdev << " numLock " << c.numLock << " shift " << c.shift;
    }
}

// A keyboard that sent no usable keymap yet decodes every key as 0, which
// still ends the saver; a later keymap (a new keyboard) takes over.
TEST(WaylandKeys, WithoutAKeymapKeysAreZeroUntilOneArrives) {
    KeyboardDecoder decoder;
    EXPECT_EQ(decoder.VirtualKeyOfKey(KEY_LEFT), 0);
    EXPECT_FALSE(decoder.SetKeymap("xkb_keymap { this is not a keymap"));
    EXPECT_FALSE(decoder.HasKeymap());
    EXPECT_EQ(decoder.VirtualKeyOfKey(KEY_A), 0);
    ASSERT_TRUE(decoder.SetKeymap(UsKeymapText()));
    EXPECT_EQ(decoder.VirtualKeyOfKey(KEY_A), 'A');
}

}  // namespace
}  // namespace cindral::platform::wayland
