#include "settings_window/file_settings_sink.h"

#include <ostream>

#include "config/settings_store.h"

namespace cindral::settings_window {

FileSettingsSink::FileSettingsSink(std::filesystem::path file, std::ostream& diagnostics)
    : file_(std::move(file)), diagnostics_(diagnostics) {}

void FileSettingsSink::Save(const config::Settings& settings) {
    if (config::SaveSettings(settings, file_)) return;
    failed_ = true;
    diagnostics_ << "cindral: could not save the settings to " << file_.string() << '\n';
}

}  // namespace cindral::settings_window
