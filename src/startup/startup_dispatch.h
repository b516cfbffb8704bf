#pragma once
// Start-up: the single-instance rule, the mode letter and what each mode does
// before its window (if any) takes over.

#include <cstdint>
#include <functional>
#include <string_view>

#include "startup/command_line.h"
#include "startup/ports.h"
#include "startup/program_state.h"

namespace cindral::startup {

// Captions of the program's own windows.
inline constexpr std::string_view kSaverCaption = "Cindral_Main";
inline constexpr std::string_view kSettingsCaption = "Cindralの設定";
inline constexpr std::string_view kPreviewCaption = "Preview Window";

struct StartupPorts {
    WindowFinder& windows;
    SystemServices& system;
    std::function<void(config::Settings&)> loadSettings;
    // Null where the platform has none: the caption look-up alone decides.
    InstanceClaim* claim = nullptr;
};

enum class StartupAction {
    Exit,      // end the program now
    Preview,   // show the preview window inside `previewParent`
    Settings,  // show the settings window
    Saver,     // load the full-screen saver window
};

struct StartupDecision {
    StartupAction action = StartupAction::Exit;
    std::int32_t previewParent = 0;
};

// True for the command lines whose mode shows a window: preview, settings and
// the full-screen saver (a letter "S" or an empty line). Such a start cannot
// do its job without a display.
bool ShowsWindow(std::string_view commandLine);

// Runs the start-up steps up to the point where a window takes over. The
// starts that open one of the windows the single-instance rule looks for
// (settings, full-screen saver) first take the instance claim, every other
// start only tests it; a claim held elsewhere ends the program like an open
// window does. The caption look-up follows either way.
StartupDecision DispatchStartup(std::string_view commandLine, ProgramState& state,
                                StartupPorts& ports);

}  // namespace cindral::startup
