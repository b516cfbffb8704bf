#pragma once
// Settings mode of the Linux program: shows the settings window modally over
// the loaded settings and returns the program's exit status once it has
// closed (0; 1 when a save failed or Qt could not start, said on stderr).
// Needs a display.

#include <filesystem>

#include "config/settings.h"

namespace cindral::platform::qt {

int RunSettingsWindow(config::Settings& settings, const std::filesystem::path& settingsFile);

}  // namespace cindral::platform::qt
