#include "settings_window/file_settings_sink.h"

#include <ostream>
#include <string>

namespace cindral::settings_window {

FileSettingsSink::FileSettingsSink(std::filesystem::path file, std::ostream& diagnostics,
                                   config::StoredPathCodec codec)
    : file_(std::move(file)), diagnostics_(diagnostics), codec_(std::move(codec)) {}

void FileSettingsSink::Save(const config::Settings& settings) {
    if (config::SaveSettings(settings, file_, codec_)) return;
    failed_ = true;
    // As UTF-8: a name the narrow code page cannot hold is still told.
    const std::u8string name = file_.u8string();
    diagnostics_ << "cindral: could not save the settings to "
                 << std::string(name.begin(), name.end()) << '\n';
}

}  // namespace cindral::settings_window
