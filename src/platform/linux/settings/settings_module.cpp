// The entry point of the settings window's shared module.

#include "platform/linux/settings/settings_module.h"

#include "platform/linux/settings/settings_app.h"

extern "C" __attribute__((visibility("default"))) int cindral_run_settings_window(
    cindral::startup::Settings* settings, const char* settingsFile) {
    return cindral::platform::linux::RunSettingsWindow(*settings, settingsFile);
}
