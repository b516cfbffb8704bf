// The Linux program. The command line is the text after the program name, as
// a screen-saver host passes it ("/s", "/p 4711", "/c:4711", ...).

#include <X11/Xlib.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "app/linux/saver_run.h"
#include "platform/linux/saver/linux_system_services.h"
#include "platform/linux/saver/x11_preview.h"
#include "platform/linux/saver/x11_window_finder.h"
#include "saver/still.h"
#include "startup/settings_store.h"
#include "startup/startup_dispatch.h"

namespace {

std::filesystem::path ExeDir() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace cindral;
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
                                    startup::LoadSettings(s, startup::SettingsFilePath(ExeDir()));
                                }};
    startup::StartupDecision decision = startup::DispatchStartup(line, state, ports);
    if (x) XCloseDisplay(x);

    switch (decision.action) {
        case startup::StartupAction::Preview:
            return platform::linux::RunPreview(static_cast<std::uint32_t>(decision.previewParent),
                                               saver::RenderPreviewStill);
        case startup::StartupAction::Saver:
            return app::RunFullScreenSaver(state, system);
        case startup::StartupAction::Settings:  // the settings window is not built yet
        case startup::StartupAction::Exit:
            return 0;
    }
    return 0;
}
