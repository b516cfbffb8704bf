#pragma once
// The settings window's shared module: the Linux program opens it only for
// its settings mode, so the other modes never load Qt. One plain entry point
// crosses the boundary.

#include "startup/settings.h"

// The module's file name; the program finds it through its run path (the
// build folder, or the install's lib/cindral/modules).
inline constexpr char kCindralSettingsModule[] = "cindral-settings.so";
inline constexpr char kCindralSettingsEntry[] = "cindral_run_settings_window";

// Shows the settings window over `settings`, saving to the file at the UTF-8
// path `settingsFile`; returns the program's exit status.
extern "C" int cindral_run_settings_window(cindral::startup::Settings* settings,
                                           const char* settingsFile);
using CindralSettingsEntry = decltype(&cindral_run_settings_window);
