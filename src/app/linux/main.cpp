// The Linux program. The command line is the text after the program name, as
// a screen-saver host passes it ("/s", "/p 4711", "/c:4711", ...).

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <new>
#include <string>
#include <system_error>
#include <vector>

#include "app/linux/hack_run.h"
#include "app/linux/saver_run.h"
#include "platform/linux/saver/linux_system_services.h"
#include "platform/linux/saver/x11_connection.h"
#include "platform/linux/saver/x11_instance_claim.h"
#include "platform/linux/saver/x11_preview.h"
#include "platform/linux/saver/x11_window_finder.h"
#include "platform/linux/settings/settings_app.h"
#include "platform/linux/startup/posix_folder_access.h"
#include "saver/still.h"
#include "startup/settings_path.h"
#include "startup/settings_store.h"
#include "startup/startup_dispatch.h"

namespace {

std::filesystem::path ExeDir() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

cindral::startup::SettingsFiles SettingsFiles() {
    cindral::platform::linux::PosixFolderAccess access;
    return cindral::startup::ChooseSettingsFiles(ExeDir(), access);
}

int Run(const std::vector<std::string>& args) {
    using namespace cindral;
    // A screen-saver daemon's hack line (-root, -window-id ...); anything else
    // is the screen-saver command line below.
    if (auto hack = startup::ParseHackCommandLine(args)) {
        if (!hack->error.empty()) {
            std::fprintf(stderr, "cindral: %s\n", hack->error.c_str());
            return 2;
        }
        return app::RunHackSaver(*hack, SettingsFiles().read);
    }
    std::string line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0) line += ' ';
        line += args[i];
    }
    // One connection for the whole run. It is never closed: the instance
    // claim lives on it and ends with the process.
    const platform::linux::XConnection x = platform::linux::OpenXConnection();
    // Qt can show the settings window without X when told to (QT_QPA_PLATFORM).
    const bool qtElsewhere =
        std::getenv("QT_QPA_PLATFORM") && startup::ParseCommandLine(line).ModeLetter == 'C';
    if (!x.display && startup::ShowsWindow(line) && !qtElsewhere) {
        std::fprintf(
            stderr,
            "cindral: cannot open the X display \"%s\" (%d attempts): nothing can be shown\n",
            x.name.c_str(), x.attempts);
        return 1;
    }
    platform::linux::X11WindowFinder finder(x.display);
    platform::linux::X11InstanceClaim claim(x.display);
    platform::linux::LinuxSystemServices system;
    startup::ProgramState state;
    startup::StartupPorts ports{
        finder, system,
        [](startup::Settings& s) { startup::LoadSettings(s, SettingsFiles().read); }, &claim};
    startup::StartupDecision decision = startup::DispatchStartup(line, state, ports);

    switch (decision.action) {
        case startup::StartupAction::Preview:
            return platform::linux::RunPreview(x.display,
                                               static_cast<std::uint32_t>(decision.previewParent),
                                               saver::RenderPreviewStill);
        case startup::StartupAction::Saver:
            return app::RunFullScreenSaver(state, system, x.display);
        case startup::StartupAction::Settings:
            return platform::linux::RunSettingsWindow(state.settings, SettingsFiles().save);
        case startup::StartupAction::Exit:
            return 0;
    }
    return 0;
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
