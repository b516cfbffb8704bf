// The saver keys the key handler reads for key-down messages.

#include "platform/win32/keys.h"

#include <gtest/gtest.h>

namespace cindral::platform::win32 {
namespace {

TEST(SaverKeyOf, OnlyTheLeftAndRightArrowsAreTrackKeys) {
    using saver::Key;
    struct Case {
        std::uintptr_t virtualKey;
        Key expected;
    } cases[] = {
        {0x25, Key::Left},    // VK_LEFT
        {0x27, Key::Right},   // VK_RIGHT
        {0x26, Key::Other},   // VK_UP
        {0x28, Key::Other},   // VK_DOWN
        {0x64, Key::Other},   // VK_NUMPAD4: the keypad's 4 with NumLock on is a digit
        {0x66, Key::Other},   // VK_NUMPAD6
        {0x41, Key::Other},   // 'A'
        {0x30, Key::Other},   // '0'
        {0x1B, Key::Other},   // VK_ESCAPE
        {0x20, Key::Other},   // VK_SPACE
        {0x125, Key::Other},  // a word that only ends like VK_LEFT
    };
    for (const Case& c : cases) EXPECT_EQ(SaverKeyOf(c.virtualKey), c.expected) << c.virtualKey;
}

}  // namespace
}  // namespace cindral::platform::win32
