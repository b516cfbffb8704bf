#include "app/linux/hack_run.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "app/linux/saver_parts.h"
#include "config/settings_store.h"
#include "platform/posix/stop_signals.h"
#include "platform/posix/system_services.h"
#include "platform/wayland/event_pump.h"
#include "platform/wayland/layer_display.h"
#include "platform/x11/event_pump.h"
#include "platform/x11/hack_display.h"

namespace cindral::app {

namespace {

// The saver on a surface it was given, to the end. There is no mode letter:
// no cursor, system-key or password steps.
int RunGivenSurface(const startup::HackOverrides& overrides,
                    const std::filesystem::path& settingsFile, display::Display& display,
                    saver::SaverHost& host, saver::EventPump& events,
                    const std::function<Presentation()>& presentation) {
    startup::ProgramState state;
    config::LoadSettings(state.settings, settingsFile);
    startup::ApplyHackOverrides(overrides, state.settings);

    platform::posix::LinuxSystemServices system;
    LinuxSaverParts shared;
    saver::SaverAssembly parts(shared.Ports(display, host, system), state);
    saver::SaverWindow& saver = parts.Window();
    if (!saver.Load()) {
        std::fprintf(stderr, "cindral: fire kind %d has no palette\n", state.settings.FireKind);
        return 1;
    }
    saver::FrameLoop loop(saver, events, parts.Clock());
    RunFrameLoop(loop, presentation);
    host.Unload();
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
        return Presentation{display.RendererName(), display.Vsync(), 1};
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
    const int status =
        RunGivenSurface(overrides, settingsFile, display, display, events, [&display] {
            return Presentation{display.RendererName(), true, display.SurfaceCount()};
        });
    if (status == 0 && !display.Failure().empty()) {
        std::fprintf(stderr, "cindral: %s\n", display.Failure().c_str());
        return 1;
    }
    return status;
}

}  // namespace cindral::app
