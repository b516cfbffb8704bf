#include "startup/startup_dispatch.h"

namespace cindral::startup {

namespace {

// The modes whose window the single-instance rule looks for.
bool OpensRuledWindow(const CommandLine& cl) {
    return cl.ModeLetter == 'C' || cl.ModeLetter == 'S' || cl.empty;
}

}  // namespace

bool ShowsWindow(std::string_view commandLine) {
    CommandLine cl = ParseCommandLine(commandLine);
    return OpensRuledWindow(cl) || cl.ModeLetter == 'P';
}

StartupDecision DispatchStartup(std::string_view commandLine, ProgramState& state,
                                StartupPorts& ports) {
    CommandLine cl = ParseCommandLine(commandLine);
    if (ports.claim) {
        bool blocked =
            OpensRuledWindow(cl) ? !ports.claim->TryClaim() : ports.claim->HeldElsewhere();
        if (blocked) return {StartupAction::Exit};
    }
    // Both look-ups always run, so a lookup with side effects behaves the same
    // whichever window is open.
    bool saverOpen = ports.windows.WindowExists(kSaverCaption);
    bool settingsOpen = ports.windows.WindowExists(kSettingsCaption);
    if (saverOpen || settingsOpen) return {StartupAction::Exit};

    state.ModeLetter = cl.ModeLetter;

    if (cl.ModeLetter == 'P') {
        return {StartupAction::Preview, PreviewHandle(cl.argument)};
    }

    if (ports.loadSettings) ports.loadSettings(state.settings);

    if (cl.ModeLetter == 'A') {
        if (!IsWindowsNT(ports.system)) {
            if (auto owner = OwnerHandle(cl.argument)) ports.system.ChangeSaverPassword(*owner);
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
