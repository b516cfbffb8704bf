// The entry point of the settings window's shared module.

#include "platform/qt/settings_module.h"

#include "platform/qt/settings_app.h"

extern "C" __attribute__((visibility("default"))) int cindral_run_settings_window(
    cindral::config::Settings* settings, const char* settingsFile) {
    return cindral::platform::qt::RunSettingsWindow(*settings, settingsFile);
}
