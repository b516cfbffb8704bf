// The Linux program. The command line is the text after the program name, as
// a screen-saver host passes it ("/s", "/p 4711", "/c:4711", ...).

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/linux/backend_choice.h"
#include "app/linux/environment.h"
#include "app/linux/hack_run.h"
#include "app/linux/saver_run.h"
#include "app/linux/saver_shells.h"
#include "config/settings_path.h"
#include "config/settings_store.h"
#include "platform/posix/folder_access.h"
#include "platform/posix/instance_claim.h"
#include "platform/posix/settings_location.h"
#include "platform/posix/system_services.h"
#include "platform/qt/settings_module_loader.h"
#include "platform/wayland/window_finder.h"
#include "platform/x11/connection.h"
#include "platform/x11/instance_claim.h"
#include "platform/x11/preview.h"
#include "platform/x11/window_finder.h"
#include "saver/still.h"
#include "startup/startup_dispatch.h"

namespace {

using cindral::app::EnvValue;
using cindral::app::IsSet;

std::filesystem::path ExeDir() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

cindral::config::SettingsFiles ProgramSettingsFiles() {
    cindral::platform::posix::PosixFolderAccess access;
    cindral::platform::posix::PosixSettingsLocation location;
    return cindral::config::ChooseSettingsFiles(ExeDir(), access, location);
}

// True when Qt will show its windows through an X connection of its own.
bool QtOnX() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return !platform || !*platform || std::string_view(platform).starts_with("xcb");
}

// Qt opens its own X connection, once and with no second try. A server short
// of client slots refuses it like the shared one, so a connection is first
// won with the same retries and handed back just before Qt asks; the round
// trip on the shared connection lets the server see it closed.
bool ReachDisplayForQt(const cindral::platform::x11::XConnection& shared) {
    const cindral::platform::x11::XConnection probe = cindral::platform::x11::OpenXConnection();
    if (!probe.display) {
        std::fprintf(stderr,
                     "cindral: the X display \"%s\" refused the settings window (%d attempts)\n",
                     probe.name.c_str(), probe.attempts);
        return false;
    }
    XCloseDisplay(probe.display);
    XSync(shared.display, False);
    return true;
}

// How the preview's picture is drawn, said for the tests and the benchmark.
void StampPreviewRenderer(const std::string& path) {
    if (EnvValue("CINDRAL_FIRST_FRAME_STAMP"))
        std::fprintf(stderr, "preview renderer %s\n", path.c_str());
}

// Layer mode is asked for by --layer (or -layer), or by a locker that starts
// the program on a socket of its own. The flag is taken out of `args`.
bool TakeLayerRequest(std::vector<std::string>& args) {
    bool asked = false;
    std::erase_if(args, [&asked](const std::string& a) {
        const bool layer = a == "--layer" || a == "-layer";
        asked = asked || layer;
        return layer;
    });
    return asked || IsSet(EnvValue("WAYLAND_SOCKET"));
}

int RunLayerMode(const std::vector<std::string>& args, const std::filesystem::path& settingsFile) {
    using namespace cindral;
    startup::HackOverrides overrides;
    if (auto hack = startup::ParseHackCommandLine(args, startup::HackSurface::GivenByCompositor)) {
        if (!hack->error.empty()) {
            std::fprintf(stderr, "cindral: %s\n", hack->error.c_str());
            return 2;
        }
        overrides = hack->overrides;
    }
    return app::RunLayerSaver(overrides, settingsFile, EnvValue("SWAYLOCK_PLUGIN_OUTPUT_NAME"));
}

std::string JoinArgs(const std::vector<std::string>& args) {
    std::string line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0) line += ' ';
        line += args[i];
    }
    return line;
}

int RunSettingsWindow(cindral::startup::ProgramState& state, const std::filesystem::path& saveTo,
                      const cindral::platform::x11::XConnection* x) {
    using namespace cindral;
    // Qt comes with the module, loaded before the display is reached so that
    // Qt's connection follows the probe's at once.
    const platform::qt::SettingsModule window = platform::qt::LoadSettingsModule();
    if (!window.run) {
        std::fprintf(stderr, "cindral: the settings window cannot be loaded: %s\n",
                     window.error.c_str());
        return 1;
    }
    if (x && x->display && QtOnX() && !ReachDisplayForQt(*x)) return 1;
    return window.run(&state.settings, saveTo.c_str());
}

// What the screen-saver command line runs over on one display system.
struct DisplaySystem {
    cindral::startup::WindowFinder& finder;
    cindral::startup::InstanceClaim& claim;
    std::function<int(std::int64_t parent)> preview;
    std::function<int(cindral::startup::ProgramState&,
                      cindral::platform::posix::LinuxSystemServices&)>
        saver;
    const cindral::platform::x11::XConnection* x;  // null: Qt reaches its display itself
};

int RunScreenSaverLine(const std::string& line, const cindral::config::SettingsFiles& files,
                       const DisplaySystem& on) {
    using namespace cindral;
    platform::posix::LinuxSystemServices system;
    startup::ProgramState state;
    startup::StartupPorts ports{
        on.finder, system, [&files](config::Settings& s) { config::LoadSettings(s, files.read); },
        &on.claim};
    const startup::StartupDecision decision = startup::DispatchStartup(line, state, ports);
    switch (decision.action) {
        case startup::StartupAction::Preview:
            return on.preview(decision.previewParent);
        case startup::StartupAction::Saver:
            return on.saver(state, system);
        case startup::StartupAction::Settings:
            return RunSettingsWindow(state, files.save, on.x);
        case startup::StartupAction::Exit:
            return 0;
    }
    return 0;
}

// The screen-saver command line on a Wayland session.
int RunOnWayland(const std::string& line, const cindral::config::SettingsFiles& files) {
    using namespace cindral;
    // The settings window is a native Wayland window unless told otherwise.
    setenv("QT_QPA_PLATFORM", "wayland", 0);
    platform::wayland::WaylandWindowFinder finder;
    platform::posix::LockFileInstanceClaim claim(
        platform::posix::InstanceLockPath(EnvValue("XDG_RUNTIME_DIR")));
    auto preview = [](std::int64_t) {
        std::fprintf(stderr,
                     "cindral: the preview mode (/p) is for X11 and Windows hosts; a Wayland "
                     "session has no preview window to draw into\n");
        return 1;
    };
    auto saver = [](startup::ProgramState& state, platform::posix::LinuxSystemServices& system) {
        app::WaylandSaverShell shell({});
        if (!shell.Connect()) {
            std::fprintf(stderr, "cindral: %s\n", shell.Failure().c_str());
            return 1;
        }
        const int status = app::RunFullScreenSaver(state, system, shell);
        if (status == 0 && !shell.Failure().empty()) {
            std::fprintf(stderr, "cindral: %s\n", shell.Failure().c_str());
            return 1;
        }
        return status;
    };
    return RunScreenSaverLine(line, files, {finder, claim, preview, saver, nullptr});
}

// The screen-saver command line on X11.
int RunOnX11(const std::string& line, const cindral::config::SettingsFiles& files) {
    using namespace cindral;
    // One connection for the whole run. It is never closed: the instance
    // claim lives on it and ends with the process.
    const platform::x11::XConnection x = platform::x11::OpenXConnection();
    // Qt can show the settings window without X when told to (QT_QPA_PLATFORM).
    const bool qtElsewhere = !QtOnX() && startup::ParseCommandLine(line).ModeLetter == 'C';
    if (!x.display && startup::ShowsWindow(line) && !qtElsewhere) {
        std::fprintf(
            stderr,
            "cindral: cannot open the X display \"%s\" (%d attempts): nothing can be shown\n",
            x.name.c_str(), x.attempts);
        return 1;
    }
    platform::x11::X11WindowFinder finder(x.display);
    platform::x11::X11InstanceClaim claim(x.display);
    auto preview = [&x](std::int64_t parent) {
        return platform::x11::RunPreview(x.display, static_cast<std::uint32_t>(parent),
                                         saver::RenderPreviewStill, StampPreviewRenderer);
    };
    auto saver = [&x](startup::ProgramState& state, platform::posix::LinuxSystemServices& system) {
        app::X11SaverShell shell(x.display);
        return app::RunFullScreenSaver(state, system, shell);
    };
    return RunScreenSaverLine(line, files, {finder, claim, preview, saver, &x});
}

int Run(std::vector<std::string> args) {
    using namespace cindral;
    // The client library would take an empty WAYLAND_SOCKET for a broken
    // socket number rather than for none.
    if (const auto socket = EnvValue("WAYLAND_SOCKET"); socket && socket->empty()) {
        unsetenv("WAYLAND_SOCKET");
    }
    const app::BackendChoice backend = app::ChooseBackend(app::ProcessBackendEnvironment());
    if (!backend.error.empty()) {
        std::fprintf(stderr, "cindral: %s\n", backend.error.c_str());
        return 2;
    }
    const bool wayland = backend.backend == app::Backend::Wayland;
    const config::SettingsFiles files = ProgramSettingsFiles();
    if (TakeLayerRequest(args)) {
        if (!wayland) {
            std::fprintf(stderr,
                         "cindral: layer mode needs a Wayland compositor; the X11 backend was "
                         "chosen (no WAYLAND_DISPLAY, or CINDRAL_BACKEND=x11)\n");
            return 2;
        }
        return RunLayerMode(args, files.read);
    }
    // A screen-saver daemon's hack line (-root, -window-id ...) is X11's own;
    // anything else is the screen-saver command line below.
    if (auto hack = startup::ParseHackCommandLine(args)) {
        if (!hack->error.empty()) {
            std::fprintf(stderr, "cindral: %s\n", hack->error.c_str());
            return 2;
        }
        return app::RunHackSaver(*hack, files.read);
    }
    const std::string line = JoinArgs(args);
    return wayland ? RunOnWayland(line, files) : RunOnX11(line, files);
}

}  // namespace

int main(int argc, char** argv) {
    // Nothing may end the program unexplained: whatever escapes is named on
    // standard error and the status says the run failed.
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::bad_alloc& e) {
        std::fprintf(stderr, "cindral: out of memory (%s)\n", e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cindral: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "cindral: unexpected failure\n");
    }
    return 1;
}
