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
const fs::path kUser = kHome / ".cfg" / "cindral";

TEST(ChooseSettingsFiles, BesideTheProgramWhenItsFolderIsWritableElseInTheUsers) {
    const auto writable = ChooseSettingsFiles(kProgram, kUser, true);
    EXPECT_EQ(writable.save, kProgram / "Cindral.ini");
    EXPECT_EQ(writable.read, kProgram / "Cindral.ini");
    const auto readOnly = ChooseSettingsFiles(kProgram, kUser, false);
    EXPECT_EQ(readOnly.save, kUser / "Cindral.ini");
    EXPECT_EQ(readOnly.read, kUser / "Cindral.ini");
    // Nowhere else to go: beside the program (a save there fails quietly).
    EXPECT_EQ(ChooseSettingsFiles(kProgram, {}, false).save, kProgram / "Cindral.ini");
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
        const auto files = ChooseSettingsFiles(program, config / "cindral", false);
        EXPECT_EQ(files.save, config / "cindral" / "Cindral.ini");
        EXPECT_EQ(files.read, c.readBesideProgram ? program / "Cindral.ini" : files.save);
    }
}

TEST(ChooseSettingsFiles, AFolderNamedLikeTheFileIsNoSettingsFile) {
    TestFolder folder;
    fs::create_directories(folder / "program" / "Cindral.ini");
    const auto files = ChooseSettingsFiles(folder / "program", folder / "config", false);
    EXPECT_EQ(files.read, folder / "config" / "Cindral.ini");
}

// The writability answer and the user's folder come from the ports; the
// folder is asked for only when the program's is read-only.
struct FixedPorts : FolderAccess, SettingsLocation {
    bool writable;
    std::vector<std::string> asked;
    explicit FixedPorts(bool w) : writable(w) {}
    bool CanCreateFilesIn(const fs::path& folder) override {
        asked.push_back("access " + folder.string());
        return writable;
    }
    fs::path UserSettingsFolder() override {
        asked.push_back("location");
        return kUser;
    }
};

TEST(ChooseSettingsFiles, AsksThePlatformForWritabilityAndThenForTheUsersFolder) {
    FixedPorts yes(true);
    EXPECT_EQ(ChooseSettingsFiles(kProgram, yes, yes).save, kProgram / "Cindral.ini");
    EXPECT_EQ(yes.asked, std::vector<std::string>{"access " + kProgram.string()});
    FixedPorts no(false);
    EXPECT_EQ(ChooseSettingsFiles(kProgram, no, no).save, kUser / "Cindral.ini");
    EXPECT_EQ(no.asked, (std::vector<std::string>{"access " + kProgram.string(), "location"}));
}

}  // namespace
}  // namespace cindral::config
