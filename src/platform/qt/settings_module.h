#pragma once
// The settings window's shared module: the Linux program opens it only for
// its settings mode, so the other modes never load Qt. One plain entry point
// crosses the boundary.

#include "config/settings.h"

// Shows the settings window over `settings`, saving to the file at
// `settingsFile`; returns the program's exit status.
extern "C" int cindral_run_settings_window(cindral::config::Settings* settings,
                                           const char* settingsFile);

namespace cindral::platform::qt {

// The module's file name; the program finds it through its run path (the
// build folder, or the install's lib/cindral/modules).
inline constexpr char kSettingsModule[] = "cindral-settings.so";
inline constexpr char kSettingsEntry[] = "cindral_run_settings_window";
using SettingsEntry = decltype(&cindral_run_settings_window);

}  // namespace cindral::platform::qt
