#include "platform/wayland/keys.h"

#include <xkbcommon/xkbcommon.h>

namespace cindral::platform::wayland {

saver::Key SaverKeyOf(std::uint32_t keysym, bool numLock) {
    if (keysym == XKB_KEY_Left ||
        ((keysym == XKB_KEY_KP_Left || keysym == XKB_KEY_KP_4) && !numLock)) {
        return saver::Key::Left;
    }
    if (keysym == XKB_KEY_Right ||
        ((keysym == XKB_KEY_KP_Right || keysym == XKB_KEY_KP_6) && !numLock)) {
        return saver::Key::Right;
    }
    return saver::Key::Other;
}

KeyboardDecoder::KeyboardDecoder() : context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {}

KeyboardDecoder::~KeyboardDecoder() {
    if (state_) xkb_state_unref(state_);
    if (keymap_) xkb_keymap_unref(keymap_);
    if (context_) xkb_context_unref(context_);
}

bool KeyboardDecoder::SetKeymap(const std::string& text) {
    if (state_) xkb_state_unref(state_);
    if (keymap_) xkb_keymap_unref(keymap_);
    state_ = nullptr;
    keymap_ = nullptr;
    if (!context_) return false;
    keymap_ = xkb_keymap_new_from_string(context_, text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                         XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap_) state_ = xkb_state_new(keymap_);
    return state_ != nullptr;
}

void KeyboardDecoder::SetModifiers(std::uint32_t depressed, std::uint32_t latched,
                                   std::uint32_t locked, std::uint32_t group) {
    if (state_) xkb_state_update_mask(state_, depressed, latched, locked, 0, 0, group);
}

std::uint32_t KeyboardDecoder::NumLockMask() const {
    if (!keymap_) return 0;
    const xkb_mod_index_t index = xkb_keymap_mod_get_index(keymap_, XKB_MOD_NAME_NUM);
    return index == XKB_MOD_INVALID ? 0 : 1u << index;
}

saver::Key KeyboardDecoder::SaverKeyOfKey(std::uint32_t key) const {
    if (!state_) return saver::Key::Other;
    // Wayland sends evdev codes; XKB's are 8 higher.
    const xkb_keycode_t code = key + 8;
    const xkb_layout_index_t layout = xkb_state_key_get_layout(state_, code);
    const xkb_keysym_t* syms = nullptr;
    // The unshifted keysym, as the X11 saver reads it: Shift+A is still 'A'.
    if (xkb_keymap_key_get_syms_by_level(keymap_, code, layout, 0, &syms) < 1)
        return saver::Key::Other;
    const bool numLock =
        xkb_state_mod_name_is_active(state_, XKB_MOD_NAME_NUM, XKB_STATE_MODS_EFFECTIVE) > 0;
    return SaverKeyOf(syms[0], numLock);
}

}  // namespace cindral::platform::wayland
