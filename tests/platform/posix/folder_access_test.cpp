// Folder writability from the kernel's access check, asked without writing.

#include "platform/posix/folder_access.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace cindral::platform::posix {
namespace {

namespace fs = std::filesystem;

class PosixFolderAccessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device device;
        root = fs::temp_directory_path() / ("cindral-access-" + std::to_string(device()));
        fs::create_directories(root);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(root / "locked", fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root, ec);
    }
    fs::path root;
    PosixFolderAccess access;
};

TEST_F(PosixFolderAccessTest, AnswersForFoldersOnlyAndWritesNothing) {
    std::ofstream(root / "plain") << "x";
    struct stat before {};
    ASSERT_EQ(stat(root.c_str(), &before), 0);
    struct Case {
        fs::path folder;
        bool expected;
    };
    const Case cases[] = {
        {root, true},
        {root / "missing", false},
        {fs::path(), false},
        {root / "plain", false},  // a file is no folder
    };
    for (const Case& c : cases)
        EXPECT_EQ(access.CanCreateFilesIn(c.folder), c.expected) << c.folder;
    // Nothing was created or removed in the folder: its entries and its change
    // time are as they were.
    struct stat after {};
    ASSERT_EQ(stat(root.c_str(), &after), 0);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1);
}

TEST_F(PosixFolderAccessTest, AFolderWithoutWritePermissionIsNotWritable) {
    if (geteuid() == 0) GTEST_SKIP() << "permission bits do not stop root";
    const fs::path locked = root / "locked";
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(access.CanCreateFilesIn(locked));
}

}  // namespace
}  // namespace cindral::platform::posix
