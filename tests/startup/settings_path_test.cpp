// Where the settings file goes: beside the program, or the user's folder.

#include "startup/settings_path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store_test_folder.h"

namespace cindral::startup {
namespace {

namespace fs = std::filesystem;
using testing::TestFolder;
using testing::WriteBytes;

TEST(SettingsFilePath, BesideTheProgramWhenItsFolderIsWritable) {
    const SettingsEnvironment env{false, {}, "/home/u/.cfg", "/home/u"};
    EXPECT_EQ(SettingsFilePath("/opt/cindral", env, true), fs::path("/opt/cindral/Cindral.ini"));
}

TEST(SettingsFilePath, InTheUsersFolderOtherwise) {
    EXPECT_EQ(SettingsFilePath("/opt/c", {false, {}, "/home/u/.cfg", "/home/u"}, false),
              fs::path("/home/u/.cfg/cindral/Cindral.ini"));
    // A relative or missing configuration folder falls back to the home folder.
    EXPECT_EQ(SettingsFilePath("/opt/c", {false, {}, "rel/cfg", "/home/u"}, false),
              fs::path("/home/u/.config/cindral/Cindral.ini"));
    EXPECT_EQ(SettingsFilePath("/opt/c", {false, {}, {}, "/home/u"}, false),
              fs::path("/home/u/.config/cindral/Cindral.ini"));
    // Nowhere else to go: beside the program (a save there fails quietly).
    EXPECT_EQ(SettingsFilePath("/opt/c", {false, {}, {}, {}}, false),
              fs::path("/opt/c/Cindral.ini"));
    // Windows keeps user settings under the roaming application data folder.
    const fs::path appData = fs::path("C:") / "Users" / "u" / "AppData" / "Roaming";
    EXPECT_EQ(SettingsFilePath("C:/Program Files/Cindral", {true, appData, "/x", "/y"}, false),
              appData / "Cindral" / "Cindral.ini");
}

TEST(FolderIsWritable, CreatesAndRemovesAProbeFile) {
    TestFolder folder;
    EXPECT_TRUE(FolderIsWritable(folder.path()));
    EXPECT_TRUE(fs::is_empty(folder.path()));
    EXPECT_FALSE(FolderIsWritable(folder / "missing"));
    EXPECT_FALSE(FolderIsWritable(fs::path()));
    WriteBytes(folder / "plain", "x");
    EXPECT_FALSE(FolderIsWritable(folder / "plain"));
}

TEST(FolderIsWritable, IsFalseForAReadOnlyFolder) {
    TestFolder folder;
    const fs::path locked = folder / "locked";
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    WriteBytes(locked / "probe", "x");
    if (fs::exists(locked / "probe")) {
        GTEST_SKIP() << "permission bits do not stop this user (root) from writing";
    }
    EXPECT_FALSE(FolderIsWritable(locked));
    EXPECT_EQ(SettingsFilePath(locked, {false, {}, "/home/u/.cfg", {}}, FolderIsWritable(locked)),
              fs::path("/home/u/.cfg/cindral/Cindral.ini"));
}

}  // namespace
}  // namespace cindral::startup
