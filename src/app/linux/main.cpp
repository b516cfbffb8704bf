// The Linux program. The command line is the text after the program name, as
// a screen-saver host passes it ("/s", "/p 4711", "/c:4711", ...).

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/linux/hack_run.h"
#include "app/linux/saver_run.h"
#include "platform/linux/saver/linux_system_services.h"
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

}  // namespace

int main(int argc, char** argv) {
    using namespace cindral;
    // A screen-saver daemon's hack line (-root, -window-id ...); anything else
    // is the screen-saver command line below.
    if (auto hack =
            startup::ParseHackCommandLine(std::vector<std::string>(argv + 1, argv + argc))) {
        if (!hack->error.empty()) {
            std::fprintf(stderr, "cindral: %s\n", hack->error.c_str());
            return 2;
        }
        return app::RunHackSaver(*hack, SettingsFiles().read);
    }
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }

    ::Display* x = XOpenDisplay(nullptr);
    platform::linux::X11WindowFinder finder(x);
    platform::linux::LinuxSystemServices system;
    startup::ProgramState state;
    startup::StartupPorts ports{finder, system, [](startup::Settings& s) {
                                    startup::LoadSettings(s, SettingsFiles().read);
                                }};
    startup::StartupDecision decision = startup::DispatchStartup(line, state, ports);
    const bool displayOpened = x != nullptr;
    if (x) XCloseDisplay(x);

    switch (decision.action) {
        case startup::StartupAction::Preview:
            return platform::linux::RunPreview(static_cast<std::uint32_t>(decision.previewParent),
                                               saver::RenderPreviewStill);
        case startup::StartupAction::Saver:
            return app::RunFullScreenSaver(state, system);
        case startup::StartupAction::Settings:
            // Qt would abort without a display; say why and fail instead.
            if (!displayOpened && !std::getenv("QT_QPA_PLATFORM")) {
                std::fprintf(stderr,
                             "cindral: cannot open the X display for the settings window\n");
                return 1;
            }
            return platform::linux::RunSettingsWindow(state.settings, SettingsFiles().save);
        case startup::StartupAction::Exit:
            return 0;
    }
    return 0;
}
