#pragma once
// The saver as a screen-saver daemon's hack on Linux: the fire drawn into the
// daemon's window (or the root window) until a termination signal or the
// window's destruction, with the music the settings ask for.

#include <filesystem>

#include "startup/hack_command_line.h"

namespace cindral::app {

// Returns the program's exit status; a window that cannot be used is
// reported on stderr.
int RunHackSaver(const startup::HackCommandLine& line, const std::filesystem::path& settingsFile);

}  // namespace cindral::app
