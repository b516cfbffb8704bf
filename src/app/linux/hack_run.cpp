#include "app/linux/hack_run.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/linux/first_frame_stamp.h"
#include "app/linux/music_calls.h"
#include "config/settings_store.h"
#include "platform/audio/media_commands.h"
#include "platform/posix/local_time.h"
#include "platform/posix/system_services.h"
#include "platform/x11/event_pump.h"
#include "platform/x11/hack_display.h"
#include "saver/assembly.h"
#include "saver/frame_loop.h"
#include "saver/steady_clock.h"

namespace cindral::app {

int RunHackSaver(const startup::HackCommandLine& line, const std::filesystem::path& settingsFile) {
    platform::x11::X11EventPump::InstallStopSignalHandlers();
    std::optional<std::string> daemonWindow;
    if (const char* w = std::getenv("XSCREENSAVER_WINDOW")) daemonWindow = w;
    const startup::HackWindow target = startup::ChooseHackWindow(line, daemonWindow);
    std::string error = target.error;
    platform::x11::X11HackDisplay display;
    if (error.empty()) display.Open(target.root, target.id, error);
    if (!error.empty()) {
        std::fprintf(stderr, "cindral: %s\n", error.c_str());
        return 1;
    }

    // Hack mode has no mode letter: no cursor, system-key or password steps.
    startup::ProgramState state;
    config::LoadSettings(state.settings, settingsFile);
    startup::ApplyHackOverrides(line.overrides, state.settings);
    // With no session bus announced, the audio layer's D-Bus use would launch
    // a bus daemon that outlives the saver.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);

    platform::posix::LinuxSystemServices system;
    auto media = platform::audio::CreateLinuxMediaCommands();
    platform::posix::PosixLocalTime localTime;
    saver::SteadyClock clock(localTime);
    saver::SaverAssembly parts({*media, kLinuxMusicCalls, clock, display, display, system}, state);
    saver::SaverWindow& saver = parts.Window();
    if (!saver.Load()) {
        std::fprintf(stderr, "cindral: fire kind %d has no palette\n", state.settings.FireKind);
        return 1;
    }
    auto start = std::chrono::steady_clock::now();
    platform::x11::X11EventPump events(display);
    saver::FrameLoop loop(saver, events, parts.Clock());
    long frames =
        loop.Run([&display] { StampFirstFrame(display.RendererName(), display.Vsync(), 1); });
    if (std::getenv("CINDRAL_FIRST_FRAME_STAMP")) {  // for the saver benchmark
        std::chrono::duration<double> run = std::chrono::steady_clock::now() - start;
        std::fprintf(stderr, "frames %ld in %.2f s\n", frames, run.count());
    }
    display.Unload();
    return 0;
}

}  // namespace cindral::app
