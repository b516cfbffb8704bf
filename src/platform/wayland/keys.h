#pragma once
// The keyboard as the saver's key handler reads it on Wayland: the
// compositor sends a keymap (and sends it again whenever a new keyboard
// appears), key codes and the modifier state; xkbcommon turns them into
// keysyms.

#include <cstdint>
#include <string>

#include "saver/ports.h"

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace cindral::platform::wayland {

// The saver's key for a key: `keysym` is the key's first (unshifted) keysym,
// `numLock` whether NumLock is on. The left and right arrows, and the
// keypad's 4 and 6 while NumLock is off, are Left and Right; every other key
// is Other.
saver::Key SaverKeyOf(std::uint32_t keysym, bool numLock);

class KeyboardDecoder {
  public:
    KeyboardDecoder();
    ~KeyboardDecoder();
    KeyboardDecoder(const KeyboardDecoder&) = delete;
    KeyboardDecoder& operator=(const KeyboardDecoder&) = delete;

    // A keymap in the XKB text format (wl_keyboard.keymap's xkb_v1). False
    // when it does not compile; keys then decode to Other.
    bool SetKeymap(const std::string& text);
    bool HasKeymap() const { return keymap_ != nullptr; }
    // wl_keyboard.modifiers.
    void SetModifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked,
                      std::uint32_t group);
    // The saver's key for wl_keyboard.key's `key` (an evdev code).
    saver::Key SaverKeyOfKey(std::uint32_t key) const;
    // The keymap's modifier mask of NumLock (0 without a keymap).
    std::uint32_t NumLockMask() const;

  private:
    xkb_context* context_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
    xkb_state* state_ = nullptr;
};

}  // namespace cindral::platform::wayland
