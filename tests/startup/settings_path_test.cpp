// Where the settings file goes: beside the program, or the user's folder.

#include "startup/settings_path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store_test_folder.h"

namespace cindral::startup {
namespace {

namespace fs = std::filesystem;
using test_support::TestFolder;
using test_support::WriteBytes;

// Absolute folders on every target (a path without a drive is relative on Windows).
const fs::path kRoot = fs::temp_directory_path();
const fs::path kProgram = kRoot / "opt" / "cindral";
const fs::path kHome = kRoot / "home" / "u";
const fs::path kConfig = kHome / ".cfg";

TEST(SettingsFilePath, BesideTheProgramWhenItsFolderIsWritable) {
    EXPECT_EQ(SettingsFilePath(kProgram, {false, {}, kConfig, kHome}, true),
              kProgram / "Cindral.ini");
    EXPECT_EQ(SettingsFilePath(kProgram, {true, kConfig, {}, {}}, true), kProgram / "Cindral.ini");
}

TEST(SettingsFilePath, InTheUsersFolderOtherwise) {
    EXPECT_EQ(SettingsFilePath(kProgram, {false, {}, kConfig, kHome}, false),
              kConfig / "cindral" / "Cindral.ini");
    // A relative or missing configuration folder falls back to the home folder.
    EXPECT_EQ(SettingsFilePath(kProgram, {false, {}, "rel/cfg", kHome}, false),
              kHome / ".config" / "cindral" / "Cindral.ini");
    EXPECT_EQ(SettingsFilePath(kProgram, {false, {}, {}, kHome}, false),
              kHome / ".config" / "cindral" / "Cindral.ini");
    // Nowhere else to go: beside the program (a save there fails quietly).
    EXPECT_EQ(SettingsFilePath(kProgram, {false, {}, {}, {}}, false), kProgram / "Cindral.ini");
    // Windows keeps user settings under the roaming application data folder.
    const fs::path appData = kHome / "AppData" / "Roaming";
    EXPECT_EQ(SettingsFilePath(kProgram, {true, appData, kConfig, kHome}, false),
              appData / "Cindral" / "Cindral.ini");
    EXPECT_EQ(SettingsFilePath(kProgram, {true, {}, kConfig, kHome}, false),
              kProgram / "Cindral.ini");
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
    EXPECT_EQ(SettingsFilePath(locked, {false, {}, kConfig, {}}, FolderIsWritable(locked)),
              kConfig / "cindral" / "Cindral.ini");
}

}  // namespace
}  // namespace cindral::startup
