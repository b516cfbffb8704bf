// Profile keys on disk: created, replaced in place, never half written.

#include "config/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "store_test_folder.h"

namespace cindral::config {
namespace {

namespace fs = std::filesystem;
using test_support::ReadBytes;
using test_support::TestFolder;
using test_support::WriteBytes;

TEST(IniFile, WriteCreatesFileSectionAndKeysThenReadsThemBack) {
    TestFolder folder;
    const fs::path ini = folder / "test.ini";
    EXPECT_TRUE(WriteIniValue("Section", "A", " 1", ini));
    EXPECT_TRUE(WriteIniValue("Section", "B", "text", ini));
    EXPECT_TRUE(WriteIniValue("Section", "a", "", ini));
    EXPECT_EQ(ReadBytes(ini), "[Section]\r\na=\r\nB=text\r\n");
    EXPECT_EQ(ReadIniValue("SECTION", "b", ini), "text");
    EXPECT_EQ(ReadIniValue("Section", "A", ini), "");
    EXPECT_EQ(ReadIniValue("Section", "A", folder.path()), "");  // a folder reads as missing
}

TEST(IniFile, WriteKeepsEveryOtherByteOfAFileFromAnotherTool) {
    TestFolder folder;
    const fs::path ini = folder / "other.ini";
    const std::string before =
        "# written by hand\n\n[Window]\nLeft=10\n\n[Section]\nA = old ; not a comment\n"
        "Extra=1\n\n[Tail]\nZ=26";
    WriteBytes(ini, before);
    fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteIniValue("Section", "A", "new", ini));
    ASSERT_TRUE(WriteIniValue("Tail", "Y", "25", ini));
    EXPECT_EQ(ReadBytes(ini),
              "# written by hand\n\n[Window]\nLeft=10\n\n[Section]\nA=new\n"
              "Extra=1\n\n[Tail]\nZ=26\nY=25");
    // The replacement keeps the file's permissions and leaves no temporary file.
    EXPECT_EQ(fs::status(ini).permissions() & fs::perms::owner_write, fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(IniFile, FailedWritesLeaveEverythingAsItWas) {
    TestFolder folder;
    // A "folder" that is a regular file: nothing can be created below it, even by root.
    const fs::path notAFolder = folder / "plain";
    WriteBytes(notAFolder, "data");
    EXPECT_FALSE(WriteIniValue("Section", "A", "1", notAFolder / "test.ini"));
    EXPECT_EQ(ReadBytes(notAFolder), "data");

    // A file marked read-only keeps its content even where the folder is writable.
    const fs::path readOnly = folder / "readonly.ini";
    WriteBytes(readOnly, "[Section]\nA=1\n");
    fs::permissions(readOnly,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(WriteIniValue("Section", "A", "2", readOnly));
    EXPECT_EQ(ReadBytes(readOnly), "[Section]\nA=1\n");

    // A value that would break the file is refused before anything is written.
    const fs::path ini = folder / "test.ini";
    WriteBytes(ini, "[Section]\nA=1\n");
    EXPECT_FALSE(WriteIniValue("Section", "A", "2\n[Section]\nB=3", ini));
    EXPECT_EQ(ReadBytes(ini), "[Section]\nA=1\n");

    // The folder holds exactly the files the test made: no temporary leftovers.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 3);
}

TEST(IniFile, FilesOverTheSizeLimitReadAsUnreadableAndAreNeverReplaced) {
    // The limit itself is still a settings file; one byte more is not. Sparse files
    // keep the disk untouched.
    struct Case {
        std::uintmax_t size;
        bool read;
    };
    for (const Case c : {Case{kProfileFileMax, true}, Case{kProfileFileMax + 1, false},
                         Case{std::uintmax_t{3} << 30, false}}) {
        SCOPED_TRACE(c.size);
        TestFolder folder;
        const fs::path ini = folder / "big.ini";
        WriteBytes(ini, "[Section]\nA=1\n");
        fs::resize_file(ini, c.size);
        EXPECT_EQ(ReadProfileFile(ini).has_value(), c.read);
        EXPECT_EQ(ReadIniValue("Section", "A", ini), c.read ? "1" : "");
        if (c.read) continue;
        EXPECT_FALSE(WriteIniValue("Section", "A", "2", ini));
        EXPECT_EQ(fs::file_size(ini), c.size);
        std::ifstream in(ini, std::ios::binary);
        std::string head(14, '\0');
        in.read(head.data(), 14);
        EXPECT_EQ(head, "[Section]\nA=1\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()),
                  1);
    }
}

TEST(IniFile, WritesThroughASymbolicLink) {
    TestFolder folder;
    const fs::path real = folder / "real.ini";
    const fs::path link = folder / "link.ini";
    WriteBytes(real, "[Section]\nA=1\n");
    std::error_code ec;
    fs::create_symlink(real, link, ec);
    if (ec) GTEST_SKIP() << "symbolic links unavailable here: " << ec.message();
    ASSERT_TRUE(WriteIniValue("Section", "A", "2", link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), "[Section]\nA=2\n");
}

TEST(FileExists, IsTrueOnlyForReadableFiles) {
    TestFolder folder;
    const fs::path file = folder / "song.mp3";
    WriteBytes(file, "ID3");
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FileExists(fs::path(file.native() + fs::path::string_type(1, '\\'))));
    EXPECT_FALSE(FileExists(folder.path()));
    EXPECT_FALSE(FileExists(fs::path(folder.path().native() + fs::path::string_type(1, '\\'))));
    EXPECT_FALSE(FileExists(folder / "missing.mp3"));
    EXPECT_FALSE(FileExists(fs::path()));
    EXPECT_FALSE(FileExists(fs::path("\\")));
}

TEST(FileExists, TakesUtf8Paths) {
    TestFolder folder;
    WriteBytes(folder.path() / fs::path(u8"炎の曲.wav"), "RIFF");
    const std::u8string base = (folder.path() / "").u8string();
    const std::string utf8 = std::string(base.begin(), base.end()) + "炎の曲.wav";
    EXPECT_TRUE(FileExists(PathFromUtf8(utf8)));
    EXPECT_FALSE(FileExists(PathFromUtf8(utf8 + "x")));
}

}  // namespace
}  // namespace cindral::config
