// The Windows program. The command line is the text after the program name,
// as the screen-saver host passes it ("/s", "/p 4711", "/c:4711", ...).

#include <cstdio>

#include "app/windows/saver_run.h"
#include "platform/windows/saver/preview_window.h"
#include "platform/windows/settings/win32_settings_window.h"
#include "platform/windows/startup/process_command_line.h"
#include "platform/windows/startup/settings_location.h"
#include "platform/windows/startup/win32_instance_claim.h"
#include "platform/windows/startup/win32_system_services.h"
#include "platform/windows/startup/win32_window_finder.h"
#include "platform/windows/win32.h"
#include "saver/still.h"
#include "startup/settings_store.h"
#include "startup/startup_dispatch.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace cindral;
    using namespace cindral::platform::windows;

    // Lives until the program ends: the saver and the settings window hold the
    // claim for as long as they run.
    Win32InstanceClaim claim;
    Win32WindowFinder finder;
    Win32SystemServices system;
    startup::ProgramState state;
    const startup::SettingsFiles files = WindowsSettingsFiles();
    startup::StartupPorts ports{finder, system,
                                [&files](startup::Settings& s) {
                                    startup::LoadSettings(s, files.read, AnsiMusicPathCodec());
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
