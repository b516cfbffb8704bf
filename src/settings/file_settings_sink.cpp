#include "settings/file_settings_sink.h"

#include <ostream>

#include "startup/settings_store.h"

namespace cindral::settings {

FileSettingsSink::FileSettingsSink(std::filesystem::path file, std::ostream& diagnostics)
    : file_(std::move(file)), diagnostics_(diagnostics) {}

void FileSettingsSink::Save(const startup::Settings& settings) {
    if (startup::SaveSettings(settings, file_)) return;
    failed_ = true;
    diagnostics_ << "cindral: could not save the settings to " << file_.string() << '\n';
}

}  // namespace cindral::settings
