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
    std::function<void(Settings&)> loadSettings;
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

// Runs the start-up steps up to the point where a window takes over.
StartupDecision DispatchStartup(std::string_view commandLine, ProgramState& state,
                                StartupPorts& ports);

}  // namespace cindral::startup
