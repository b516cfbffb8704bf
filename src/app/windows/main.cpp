// The Windows program. The command line is the text after the program name,
// as the screen-saver host passes it ("/s", "/p 4711", "/c:4711", ...).

#include <cstdio>

#include "app/windows/saver_run.h"
#include "config/settings_store.h"
#include "platform/win32/instance_claim.h"
#include "platform/win32/preview.h"
#include "platform/win32/process_command_line.h"
#include "platform/win32/settings_location.h"
#include "platform/win32/settings_window.h"
#include "platform/win32/system_services.h"
#include "platform/win32/win32.h"
#include "platform/win32/window_finder.h"
#include "saver/still.h"
#include "startup/startup_dispatch.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace cindral;
    using namespace cindral::platform::win32;

    // Lives until the program ends: the saver and the settings window hold the
    // claim for as long as they run.
    Win32InstanceClaim claim;
    Win32WindowFinder finder;
    Win32SystemServices system;
    startup::ProgramState state;
    const config::SettingsFiles files = WindowsSettingsFiles();
    startup::StartupPorts ports{finder, system,
                                [&files](config::Settings& s) {
                                    config::LoadSettings(s, files.read, AnsiMusicPathCodec());
                                },
                                &claim};
    const startup::StartupDecision decision =
        startup::DispatchStartup(ProcessCommandLine(), state, ports);

    switch (decision.action) {
        case startup::StartupAction::Preview: {
            HWND parent =
                reinterpret_cast<HWND>(static_cast<std::intptr_t>(decision.previewParent));
            if (!RunPreview(parent, saver::RenderPreviewStill)) {
                std::fprintf(stderr, "cindral: the preview parent %ld is no window\n",
                             static_cast<long>(decision.previewParent));
                return 1;
            }
            return 0;
        }
        case startup::StartupAction::Saver:
            return app::RunFullScreenSaver(state, system);
        case startup::StartupAction::Settings:
            return RunSettingsWindow(state.settings, files.save);
        case startup::StartupAction::Exit:
            return 0;
    }
    return 0;
}
