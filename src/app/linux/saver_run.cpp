#include "app/linux/saver_run.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/linux/first_frame_stamp.h"
#include "app/linux/music_calls.h"
#include "platform/audio/media_commands.h"
#include "platform/posix/local_time.h"
#include "platform/posix/stop_signals.h"
#include "saver/assembly.h"
#include "saver/frame_loop.h"
#include "saver/steady_clock.h"

namespace cindral::app {

int RunFullScreenSaver(startup::ProgramState& state, platform::posix::LinuxSystemServices& system,
                       SaverShell& shell) {
    platform::posix::InstallStopSignals();
    // With no session bus announced, the audio layer's D-Bus use would launch
    // a bus daemon that outlives the saver.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);

    auto media = platform::audio::CreateLinuxMediaCommands();
    platform::posix::PosixLocalTime localTime;
    saver::SteadyClock clock(localTime);
    system.OnCursorVisibility([&shell](bool visible) { shell.ShowCursor(visible); });
    saver::SaverAssembly parts(
        {*media, kLinuxMusicCalls, clock, shell.Display(), shell.Host(), system}, state);
    saver::SaverWindow& saver = parts.Window();

    int status = 0;
    if (saver.Load()) {
        if (shell.SurfaceCount() == 0) {
            // No window can take the key or click that ends the saver: end now
            // rather than run unseen for ever, and say why.
            saver.EndSaver();
            std::fprintf(stderr, "cindral: the saver cannot show anything: %s\n",
                         shell.Failure().c_str());
            status = 1;
        } else {
            auto start = std::chrono::steady_clock::now();
            saver::FrameLoop loop(saver, shell.Events(), parts.Clock());
            long frames = loop.Run([&shell] {
                StampFirstFrame(shell.RendererName(), shell.Vsync(), shell.SurfaceCount());
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
    shell.Host().Unload();
    // Nothing the music is still doing (a load, the output draining) may hold
    // the end back.
    platform::audio::AbandonLinuxMediaCommandsAtExit(media);
    // The program ends now, as the saver's loop demands; the display's
    // connection closes with the process.
    return status;
}

}  // namespace cindral::app
