#pragma once
// The settings sink over the settings file: the four keys through the
// settings store, in one replacement of the file, the music path in the form
// the platform's codec stores it.

#include <filesystem>
#include <iosfwd>

#include "config/settings_store.h"
#include "settings_window/ports.h"

namespace cindral::settings_window {

class FileSettingsSink : public SettingsSink {
  public:
    // A failed save is told to `diagnostics` (never to the user in a box) and
    // remembered, so that the program can end with a failure status.
    FileSettingsSink(std::filesystem::path file, std::ostream& diagnostics,
                     config::StoredPathCodec codec = {});
    void Save(const config::Settings& settings) override;
    bool Failed() const { return failed_; }

  private:
    std::filesystem::path file_;
    std::ostream& diagnostics_;
    config::StoredPathCodec codec_;
    bool failed_ = false;
};

}  // namespace cindral::settings_window
