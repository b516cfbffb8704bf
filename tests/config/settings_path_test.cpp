// Where the settings files are: beside the program, or the user's folder.

#include "config/settings_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store_test_folder.h"

namespace cindral::config {
namespace {

namespace fs = std::filesystem;
using test_support::TestFolder;
using test_support::WriteBytes;

// Absolute folders on every target (a path without a drive is relative on Windows).
const fs::path kRoot = fs::temp_directory_path();
const fs::path kProgram = kRoot / "opt" / "cindral";
const fs::path kHome = kRoot / "home" / "u";
const fs::path kConfig = kHome / ".cfg";

// Where a save goes: the user's folder only when the program's is read-only.
fs::path SavePath(const SettingsEnvironment& env, bool writable) {
    return ChooseSettingsFiles(kProgram, env, writable).save;
}

TEST(ChooseSettingsFiles, SavesBesideTheProgramWhenItsFolderIsWritable) {
    const auto linuxFiles = ChooseSettingsFiles(kProgram, {false, {}, kConfig, kHome}, true);
    EXPECT_EQ(linuxFiles.save, kProgram / "Cindral.ini");
    EXPECT_EQ(linuxFiles.read, kProgram / "Cindral.ini");
    EXPECT_EQ(SavePath({true, kConfig, {}, {}}, true), kProgram / "Cindral.ini");
}

TEST(ChooseSettingsFiles, SavesInTheUsersFolderOtherwise) {
    EXPECT_EQ(SavePath({false, {}, kConfig, kHome}, false), kConfig / "cindral" / "Cindral.ini");
    // A relative or missing configuration folder falls back to the home folder.
    EXPECT_EQ(SavePath({false, {}, "rel/cfg", kHome}, false),
              kHome / ".config" / "cindral" / "Cindral.ini");
    EXPECT_EQ(SavePath({false, {}, {}, kHome}, false),
              kHome / ".config" / "cindral" / "Cindral.ini");
    // Nowhere else to go: beside the program (a save there fails quietly).
    EXPECT_EQ(SavePath({false, {}, {}, {}}, false), kProgram / "Cindral.ini");
    // Windows keeps user settings under the roaming application data folder.
    const fs::path appData = kHome / "AppData" / "Roaming";
    EXPECT_EQ(SavePath({true, appData, kConfig, kHome}, false),
              appData / "Cindral" / "Cindral.ini");
    EXPECT_EQ(SavePath({true, {}, kConfig, kHome}, false), kProgram / "Cindral.ini");
}

TEST(ChooseSettingsFiles, AReadOnlyProgramsFileIsReadUntilTheUserHasOne) {
    struct Case {
        std::string name;
        bool programHasFile;
        bool userHasFile;
        bool readBesideProgram;
    };
    const Case cases[] = {
        {"only the program's folder has one", true, false, true},
        {"both have one", true, true, false},
        {"only the user's folder has one", false, true, false},
        {"neither has one", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder folder;
        const fs::path program = folder / "program";
        const fs::path config = folder / "config";
        fs::create_directories(program);
        fs::create_directories(config / "cindral");
        if (c.programHasFile) WriteBytes(program / "Cindral.ini", "[Cindral]\n");
        if (c.userHasFile) WriteBytes(config / "cindral" / "Cindral.ini", "[Cindral]\n");
        const auto files = ChooseSettingsFiles(program, {false, {}, config, {}}, false);
        EXPECT_EQ(files.save, config / "cindral" / "Cindral.ini");
        EXPECT_EQ(files.read, c.readBesideProgram ? program / "Cindral.ini" : files.save);
    }
}

TEST(ChooseSettingsFiles, AFolderNamedLikeTheFileIsNoSettingsFile) {
    TestFolder folder;
    fs::create_directories(folder / "program" / "Cindral.ini");
    const auto files =
        ChooseSettingsFiles(folder / "program", {false, {}, folder / "config", {}}, false);
    EXPECT_EQ(files.read, folder / "config" / "cindral" / "Cindral.ini");
}

// The writability answer comes from the port.
struct FixedAccess : FolderAccess {
    bool writable;
    std::vector<fs::path> asked;
    explicit FixedAccess(bool w) : writable(w) {}
    bool CanCreateFilesIn(const fs::path& folder) override {
        asked.push_back(folder);
        return writable;
    }
};

TEST(ChooseSettingsFiles, AsksThePlatformWhetherTheProgramsFolderIsWritable) {
    FixedAccess yes(true);
    EXPECT_EQ(ChooseSettingsFiles(kProgram, yes).save, kProgram / "Cindral.ini");
    EXPECT_EQ(yes.asked, std::vector<fs::path>{kProgram});
    FixedAccess no(false);
    const fs::path save = ChooseSettingsFiles(kProgram, no).save;
    EXPECT_EQ(save, UserSettingsFolder(CurrentSettingsEnvironment()).empty()
                        ? kProgram / "Cindral.ini"
                        : UserSettingsFolder(CurrentSettingsEnvironment()) / "Cindral.ini");
}

}  // namespace
}  // namespace cindral::config
