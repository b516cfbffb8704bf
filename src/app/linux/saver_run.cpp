#include "app/linux/saver_run.h"

#include <SDL2/SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/linux/music/linux_media_commands.h"
#include "platform/linux/saver/posix_local_time.h"
#include "platform/linux/saver/sdl_event_pump.h"
#include "platform/linux/saver/sdl_saver_display.h"
#include "saver/assembly.h"
#include "saver/frame_loop.h"

namespace cindral::app {

namespace {

// For the start-up benchmark: the wall-clock time of the first presented
// frame and how it was presented, printed when CINDRAL_FIRST_FRAME_STAMP is set.
void StampFirstFrame(const platform::linux::SdlSaverDisplay& display) {
    if (!std::getenv("CINDRAL_FIRST_FRAME_STAMP")) return;
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::fprintf(stderr,
                 "first-frame-realtime-ns %lld cpu-ms %.1f renderer %s vsync %d windows %zu\n",
                 static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec,
                 cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6, display.RendererName().c_str(),
                 display.VsyncActive() ? 1 : 0, display.WindowCount());
}

// SDL opens an X connection of its own, which the server may refuse now and
// then like any other: a few tries over about half a second.
bool InitVideoRetrying() {
    for (int attempt = 0; attempt < 6; ++attempt) {
        if (attempt > 0) SDL_Delay(100);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
    }
    return false;
}

}  // namespace

int RunFullScreenSaver(startup::ProgramState& state, platform::linux::LinuxSystemServices& system,
                       ::Display* x) {
    platform::linux::SdlEventPump::InstallStopSignalHandlers();
    // Without an X server SDL would fall back to an invisible off-screen
    // driver and the saver would run unseen, with nothing able to end it.
    if (!std::getenv("SDL_VIDEODRIVER")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    // With no session bus announced, SDL's D-Bus use would launch a bus daemon
    // that outlives the saver.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
    if (!InitVideoRetrying()) {
        std::fprintf(stderr, "cindral: the saver cannot show anything: no video display: %s\n",
                     SDL_GetError());
        return 1;
    }
    system.OnCursorVisibility(
        [](bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); });

    auto media = platform::CreateLinuxMediaCommands();
    platform::linux::PosixLocalTime localTime;
    platform::linux::SdlSaverDisplay display(x);
    saver::SaverAssembly parts({*media, localTime, display, display, system}, state);
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
            platform::linux::SdlEventPump events;
            saver::FrameLoop loop(saver, events, parts.Clock());
            long frames = loop.Run([&display] { StampFirstFrame(display); });
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
    display.Unload();
    // Nothing the music is still doing (a load, the output draining) may hold
    // the end back.
    platform::linux::AbandonLinuxMediaCommandsAtExit(media);
    // The program ends now, as the saver's loop demands. SDL is not shut down:
    // its X connection closes with the process, and shutting it down would put
    // Xlib's default error handler back in time for a late error about the
    // destroyed windows to end the program with status 1.
    return status;
}

}  // namespace cindral::app
