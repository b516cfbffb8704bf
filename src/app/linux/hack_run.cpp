#include "app/linux/hack_run.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

#include "app/linux/first_frame_stamp.h"
#include "app/linux/music_calls.h"
#include "config/settings_store.h"
#include "platform/audio/media_commands.h"
#include "platform/posix/local_time.h"
#include "platform/posix/stop_signals.h"
#include "platform/posix/system_services.h"
#include "platform/wayland/event_pump.h"
#include "platform/wayland/layer_display.h"
#include "platform/x11/event_pump.h"
#include "platform/x11/hack_display.h"
#include "saver/assembly.h"
#include "saver/frame_loop.h"
#include "saver/steady_clock.h"

namespace cindral::app {

namespace {

// The saver on a surface it was given, to the end. There is no mode letter:
// no cursor, system-key or password steps.
int RunGivenSurface(const startup::HackOverrides& overrides,
                    const std::filesystem::path& settingsFile, display::Display& display,
                    saver::SaverHost& host, saver::EventPump& events,
                    const std::function<void()>& onFirstFrame) {
    startup::ProgramState state;
    config::LoadSettings(state.settings, settingsFile);
    startup::ApplyHackOverrides(overrides, state.settings);
    // With no session bus announced, the audio layer's D-Bus use would launch
    // a bus daemon that outlives the saver.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);

    platform::posix::LinuxSystemServices system;
    auto media = platform::audio::CreateLinuxMediaCommands();
    platform::posix::PosixLocalTime localTime;
    saver::SteadyClock clock(localTime);
    saver::SaverAssembly parts({*media, kLinuxMusicCalls, clock, display, host, system}, state);
    saver::SaverWindow& saver = parts.Window();
    if (!saver.Load()) {
        std::fprintf(stderr, "cindral: fire kind %d has no palette\n", state.settings.FireKind);
        return 1;
    }
    auto start = std::chrono::steady_clock::now();
    saver::FrameLoop loop(saver, events, parts.Clock());
    long frames = loop.Run(onFirstFrame);
    if (std::getenv("CINDRAL_FIRST_FRAME_STAMP")) {  // for the saver benchmark
        std::chrono::duration<double> run = std::chrono::steady_clock::now() - start;
        std::fprintf(stderr, "frames %ld in %.2f s\n", frames, run.count());
    }
    host.Unload();
    platform::audio::AbandonLinuxMediaCommandsAtExit(media);
    return 0;
}

}  // namespace

int RunHackSaver(const startup::HackCommandLine& line, const std::filesystem::path& settingsFile) {
    platform::posix::InstallStopSignals();
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
    platform::x11::X11EventPump events(display);
    return RunGivenSurface(line.overrides, settingsFile, display, display, events, [&display] {
        StampFirstFrame(display.RendererName(), display.Vsync(), 1);
    });
}

int RunLayerSaver(const startup::HackOverrides& overrides,
                  const std::filesystem::path& settingsFile,
                  const std::optional<std::string>& outputName) {
    platform::posix::InstallStopSignals();
    platform::wayland::WaylandSaverDisplay display(platform::wayland::LayerModeOptions(outputName));
    // Surfaces are made here rather than in the load step, so that a
    // compositor without what layer mode needs is reported before anything
    // starts (the load step would carry on without a picture).
    if (!display.InitDisplay()) {
        std::fprintf(stderr, "cindral: layer mode cannot start: %s\n", display.Failure().c_str());
        return 1;
    }
    platform::wayland::WaylandEventPump events(display);
    const int status = RunGivenSurface(
        overrides, settingsFile, display, display, events,
        [&display] { StampFirstFrame(display.RendererName(), true, display.SurfaceCount()); });
    if (status == 0 && !display.Failure().empty()) {
        std::fprintf(stderr, "cindral: %s\n", display.Failure().c_str());
        return 1;
    }
    return status;
}

}  // namespace cindral::app
