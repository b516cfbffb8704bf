#pragma once
// What every Linux saver run shares around the saver assembly: the media
// layer, the local time and the clock, and the run of the frame loop with the
// saver benchmark's stamps.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "music/ports.h"
#include "platform/posix/local_time.h"
#include "saver/assembly.h"
#include "saver/frame_loop.h"
#include "saver/steady_clock.h"

namespace cindral::app {

class LinuxSaverParts {
  public:
    LinuxSaverParts();
    // Nothing the music is still doing (a load, the output draining) holds
    // the end back: the media layer is abandoned, not waited for.
    ~LinuxSaverParts();
    LinuxSaverParts(const LinuxSaverParts&) = delete;
    LinuxSaverParts& operator=(const LinuxSaverParts&) = delete;

    // The assembly's ports over the display system's `display` and `host`.
    saver::PlatformPorts Ports(display::Display& display, saver::SaverHost& host,
                               startup::SystemServices& system);

  private:
    std::unique_ptr<music::MediaCommands> media_;
    platform::posix::PosixLocalTime localTime_;
    saver::SteadyClock clock_{localTime_};
};

// How frames reach the screen: `renderer` names the path ("xrender", "xshm",
// "ximage", or a Wayland one), `vsync` whether frames wait for the display
// (its vertical blank, or the compositor's frame callback).
struct Presentation {
    std::string renderer;
    bool vsync = false;
    std::size_t windows = 0;
};

// Runs `loop` to its end. With CINDRAL_FIRST_FRAME_STAMP set (for the saver
// benchmark) it prints on standard error the wall-clock and CPU time of the
// first presented frame with `presentation()`, then the frames drawn and the
// time taken.
void RunFrameLoop(saver::FrameLoop& loop, const std::function<Presentation()>& presentation);

}  // namespace cindral::app
