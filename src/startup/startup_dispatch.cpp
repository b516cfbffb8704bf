#include "startup/startup_dispatch.h"

namespace cindral::startup {

StartupDecision DispatchStartup(std::string_view commandLine, ProgramState& state,
                                StartupPorts& ports) {
    // Both look-ups always run, so a lookup with side effects behaves the same
    // whichever window is open.
    bool saverOpen = ports.windows.WindowExists(kSaverCaption);
    bool settingsOpen = ports.windows.WindowExists(kSettingsCaption);
    if (saverOpen || settingsOpen) return {StartupAction::Exit};

    CommandLine cl = ParseCommandLine(commandLine);
    state.ModeLetter = cl.ModeLetter;

    if (cl.ModeLetter == 'P') {
        return {StartupAction::Preview, PreviewHandle(cl.argument)};
    }

    if (ports.loadSettings) ports.loadSettings(state.settings);

    if (cl.ModeLetter == 'A') {
        if (!ports.system.IsWindowsNT()) {
            if (auto owner = OwnerHandle(cl.argument)) ports.system.PwdChangePasswordA(*owner);
        }
        return {StartupAction::Exit};
    }
    if (cl.ModeLetter == 'C') return {StartupAction::Settings};
    if (cl.ModeLetter != 'S' && !cl.empty) return {StartupAction::Exit};

    if (cl.ModeLetter == 'S') {
        state.CursorCount = ports.system.ShowCursor(false);
        EnableSystemKeys(ports.system, false);
    }
    return {StartupAction::Saver};
}

}  // namespace cindral::startup
