#pragma once
// Opens the settings window's shared module (without Qt of its own).

#include <string>

#include "platform/qt/settings_module.h"

namespace cindral::platform::qt {

struct SettingsModule {
    SettingsEntry run = nullptr;  // nothing when the module cannot be used
    std::string error;            // why, in the dynamic loader's words
};

// Loads the module for the rest of the process: it is never closed, as Qt
// does not unload.
SettingsModule LoadSettingsModule();

}  // namespace cindral::platform::qt
