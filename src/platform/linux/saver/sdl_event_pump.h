#pragma once
// The saver's event pump on SDL2: waits for SDL events as long as the frame
// loop says, hands keys, clicks and closing windows to the saver, and turns
// SIGTERM and SIGINT into a stop request.

#include <cstdint>

#include "saver/ports.h"

namespace cindral::platform::linux {

class SdlEventPump final : public saver::EventPump {
  public:
    // Makes SIGTERM and SIGINT request a stop (and keeps SDL from turning them
    // into quit events of its own). Call before SDL's video starts.
    static void InstallStopSignalHandlers();

    void WaitAndDispatch(std::uint32_t timeoutMs, saver::SaverInput& input) override;
    bool StopRequested() override;
};

// The virtual-key code the saver's key handler reads for an SDL key code and
// modifier state: the arrows, and the keypad's 4 and 6 while NumLock is off
// (the same keys as the arrows then), to 37 and 39; letters to their
// upper-case letter, digits to themselves; every other key to 0.
int VirtualKeyOf(int sdlKeycode, std::uint16_t sdlModifiers);

}  // namespace cindral::platform::linux
