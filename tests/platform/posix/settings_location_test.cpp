// The user's settings folder by the XDG base-directory rules.

#include "platform/posix/settings_location.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

namespace cindral::platform::posix {
namespace {

namespace fs = std::filesystem;

TEST(XdgSettingsFolder, TheConfigurationFolderElseTheHomesConfigFolder) {
    struct Case {
        const char* name;
        fs::path xdgConfigHome, home, folder;
    };
    const Case cases[] = {
        {"an absolute configuration folder", "/home/u/.cfg", "/home/u", "/home/u/.cfg/cindral"},
        // Relative values are to be ignored.
        {"a relative one", "rel/cfg", "/home/u", "/home/u/.config/cindral"},
        {"none", "", "/home/u", "/home/u/.config/cindral"},
        {"no home either", "", "", ""},
        {"only a relative one", "rel/cfg", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(XdgSettingsFolder(c.xdgConfigHome, c.home), c.folder);
    }
}

// Sets an environment variable for the test's length.
class Variable {
  public:
    Variable(const char* name, const char* value) : name_(name) {
        if (const char* old = getenv(name)) old_ = old;
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~Variable() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(PosixSettingsLocation, ReadsTheProcesssEnvironment) {
    Variable home("HOME", "/home/v");
    {
        Variable config("XDG_CONFIG_HOME", "/srv/cfg");
        EXPECT_EQ(PosixSettingsLocation().UserSettingsFolder(), fs::path("/srv/cfg/cindral"));
    }
    Variable config("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(PosixSettingsLocation().UserSettingsFolder(), fs::path("/home/v/.config/cindral"));
}

}  // namespace
}  // namespace cindral::platform::posix
