#pragma once
// The saver drawn where someone else decides when it ends: as an X11
// screen-saver daemon's hack, into the window the daemon names (or the root
// window), and as a Wayland locker's layer client, on the background layer.
// Both end on a termination signal or when their surface goes, with the
// music the settings ask for.

#include <filesystem>
#include <optional>
#include <string>

#include "startup/hack_command_line.h"

namespace cindral::app {

// Returns the program's exit status; a window that cannot be used is
// reported on stderr.
int RunHackSaver(const startup::HackCommandLine& line, const std::filesystem::path& settingsFile);

// Layer mode: `outputName` limits it to one output (the locker's).
int RunLayerSaver(const startup::HackOverrides& overrides,
                  const std::filesystem::path& settingsFile,
                  const std::optional<std::string>& outputName);

}  // namespace cindral::app
