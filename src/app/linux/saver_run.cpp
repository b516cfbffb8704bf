#include "app/linux/saver_run.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/linux/first_frame_stamp.h"
#include "app/linux/music_calls.h"
#include "platform/audio/media_commands.h"
#include "platform/posix/local_time.h"
#include "platform/x11/event_pump.h"
#include "platform/x11/saver_display.h"
#include "saver/assembly.h"
#include "saver/frame_loop.h"
#include "saver/steady_clock.h"

namespace cindral::app {

int RunFullScreenSaver(startup::ProgramState& state, platform::posix::LinuxSystemServices& system,
                       ::Display* x) {
    platform::x11::X11EventPump::InstallStopSignalHandlers();
    // With no session bus announced, the audio layer's D-Bus use would launch
    // a bus daemon that outlives the saver.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);

    auto media = platform::audio::CreateLinuxMediaCommands();
    platform::posix::PosixLocalTime localTime;
    saver::SteadyClock clock(localTime);
    platform::x11::X11SaverDisplay display(x);
    system.OnCursorVisibility([&display](bool visible) { display.ShowCursor(visible); });
    saver::SaverAssembly parts({*media, kLinuxMusicCalls, clock, display, display, system}, state);
    saver::SaverWindow& saver = parts.Window();

    int status = 0;
    if (saver.Load()) {
        if (display.WindowCount() == 0) {
            // No window can take the key or click that ends the saver: end now
            // rather than run unseen for ever, and say why.
            saver.EndSaver();
            std::fprintf(stderr, "cindral: the saver cannot show anything: %s\n",
                         display.Failure().c_str());
            status = 1;
        } else {
            auto start = std::chrono::steady_clock::now();
            platform::x11::X11EventPump events(display);
            saver::FrameLoop loop(saver, events, parts.Clock());
            long frames = loop.Run([&display] {
                StampFirstFrame(display.RendererName(), display.Vsync(), display.WindowCount());
            });
            if (std::getenv("CINDRAL_FIRST_FRAME_STAMP")) {
                std::chrono::duration<double> run = std::chrono::steady_clock::now() - start;
                std::fprintf(stderr, "frames %ld in %.2f s\n", frames, run.count());
            }
        }
    } else {
        std::fprintf(stderr,
                     "cindral: the saver cannot start: the fire's palette kind is unknown\n");
        status = 1;
    }
    system.OnCursorVisibility(nullptr);
    display.Unload();
    // Nothing the music is still doing (a load, the output draining) may hold
    // the end back.
    platform::audio::AbandonLinuxMediaCommandsAtExit(media);
    // The program ends now, as the saver's loop demands; the X connection
    // closes with the process.
    return status;
}

}  // namespace cindral::app
