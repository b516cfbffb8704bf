#include "platform/wayland/seat_input.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <string>

namespace cindral::platform::wayland {

namespace {

SeatInput& InputOf(void* data) { return *static_cast<SeatInput*>(data); }

void OnCapabilities(void* data, wl_seat*, std::uint32_t caps) { InputOf(data).Capabilities(caps); }
void OnSeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeatListener{OnCapabilities, OnSeatName};

void OnKeymap(void* data, wl_keyboard*, std::uint32_t format, std::int32_t fd, std::uint32_t size) {
    InputOf(data).Keymap(format, fd, size);
}
void OnKeyboardEnter(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {}
void OnKeyboardLeave(void*, wl_keyboard*, std::uint32_t, wl_surface*) {}
void OnKey(void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t key,
           std::uint32_t state) {
    InputOf(data).Key(key, state);
}
void OnModifiers(void* data, wl_keyboard*, std::uint32_t, std::uint32_t depressed,
                 std::uint32_t latched, std::uint32_t locked, std::uint32_t group) {
    InputOf(data).Modifiers(depressed, latched, locked, group);
}
void OnRepeatInfo(void*, wl_keyboard*, std::int32_t, std::int32_t) {}
const wl_keyboard_listener kKeyboardListener{OnKeymap, OnKeyboardEnter, OnKeyboardLeave,
                                             OnKey,    OnModifiers,     OnRepeatInfo};

void OnPointerEnter(void* data, wl_pointer*, std::uint32_t serial, wl_surface*, wl_fixed_t,
                    wl_fixed_t) {
    InputOf(data).PointerEnter(serial);
}
void OnPointerLeave(void*, wl_pointer*, std::uint32_t, wl_surface*) {}
void OnMotion(void*, wl_pointer*, std::uint32_t, wl_fixed_t, wl_fixed_t) {}
void OnButton(void* data, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t,
              std::uint32_t state) {
    InputOf(data).Button(state);
}
void OnAxis(void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {}
void OnFrame(void*, wl_pointer*) {}
void OnAxisSource(void*, wl_pointer*, std::uint32_t) {}
void OnAxisStop(void*, wl_pointer*, std::uint32_t, std::uint32_t) {}
void OnAxisDiscrete(void*, wl_pointer*, std::uint32_t, std::int32_t) {}
void OnAxisValue120(void*, wl_pointer*, std::uint32_t, std::int32_t) {}
const wl_pointer_listener kPointerListener{OnPointerEnter, OnPointerLeave, OnMotion,     OnButton,
                                           OnAxis,         OnFrame,        OnAxisSource, OnAxisStop,
                                           OnAxisDiscrete, OnAxisValue120};

}  // namespace

SeatInput::SeatInput(wl_seat* seat, std::deque<SeatEvent>& events, const bool& cursorHidden)
    : seat_(seat), events_(events), cursorHidden_(cursorHidden) {
    wl_seat_add_listener(seat_, &kSeatListener, this);
}

SeatInput::~SeatInput() {
    if (keyboard_) wl_keyboard_destroy(keyboard_);
    if (pointer_) wl_pointer_destroy(pointer_);
}

void SeatInput::Capabilities(std::uint32_t caps) {
    const bool keyboard = (caps & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    const bool pointer = (caps & WL_SEAT_CAPABILITY_POINTER) != 0;
    if (keyboard && !keyboard_) {
        keyboard_ = wl_seat_get_keyboard(seat_);
        wl_keyboard_add_listener(keyboard_, &kKeyboardListener, this);
    } else if (!keyboard && keyboard_) {
        wl_keyboard_destroy(keyboard_);
        keyboard_ = nullptr;
    }
    if (pointer && !pointer_) {
        pointer_ = wl_seat_get_pointer(seat_);
        wl_pointer_add_listener(pointer_, &kPointerListener, this);
    } else if (!pointer && pointer_) {
        wl_pointer_destroy(pointer_);
        pointer_ = nullptr;
    }
}

void SeatInput::Keymap(std::uint32_t format, int fd, std::uint32_t size) {
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
        void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (text != MAP_FAILED) {
            // The text ends with a NUL inside `size`.
            decoder_.SetKeymap(std::string(static_cast<const char*>(text), size - 1));
            munmap(text, size);
        }
    }
    close(fd);
}

void SeatInput::Key(std::uint32_t key, std::uint32_t state) {
    if (state != WL_KEYBOARD_KEY_STATE_PRESSED) return;
    events_.push_back({SeatEvent::Key, decoder_.SaverKeyOfKey(key)});
}

void SeatInput::Modifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked,
                          std::uint32_t group) {
    decoder_.SetModifiers(depressed, latched, locked, group);
}

void SeatInput::PointerEnter(std::uint32_t serial) {
    // A null cursor surface hides the pointer while it is over the surface.
    if (cursorHidden_ && pointer_) wl_pointer_set_cursor(pointer_, serial, nullptr, 0, 0);
}

void SeatInput::Button(std::uint32_t state) {
    if (state == WL_POINTER_BUTTON_STATE_PRESSED) events_.push_back({SeatEvent::Button});
}

}  // namespace cindral::platform::wayland
