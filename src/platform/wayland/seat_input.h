#pragma once
// A seat's keyboard and pointer as the saver hears them: key presses decoded
// through the keymap the compositor sends, button presses, and the pointer
// hidden whenever it enters a saver surface. A seat gains and loses its
// keyboard and pointer as devices come and go (a virtual keyboard appears
// only while its client runs), so both are taken anew on every capability
// change.

#include <cstdint>
#include <deque>

#include "platform/wayland/keys.h"

struct wl_keyboard;
struct wl_pointer;
struct wl_seat;

namespace cindral::platform::wayland {

// What input the saver reacts to, oldest first.
struct SeatEvent {
    enum Kind { Key, Button } kind;
    saver::Key key = saver::Key::Other;
};

class SeatInput {
  public:
    SeatInput(wl_seat* seat, std::deque<SeatEvent>& events, const bool& cursorHidden);
    ~SeatInput();
    SeatInput(const SeatInput&) = delete;
    SeatInput& operator=(const SeatInput&) = delete;

    wl_seat* Seat() const { return seat_; }

    // Protocol callbacks.
    void Capabilities(std::uint32_t caps);
    void Keymap(std::uint32_t format, int fd, std::uint32_t size);
    void Key(std::uint32_t key, std::uint32_t state);
    void Modifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked,
                   std::uint32_t group);
    void PointerEnter(std::uint32_t serial);
    void Button(std::uint32_t state);

  private:
    wl_seat* seat_;
    wl_keyboard* keyboard_ = nullptr;
    wl_pointer* pointer_ = nullptr;
    KeyboardDecoder decoder_;
    std::deque<SeatEvent>& events_;
    const bool& cursorHidden_;
};

}  // namespace cindral::platform::wayland
