// The four settings in the settings file: key bytes, the saved layout, loading
// rules and the music-file fallback.

#include "config/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "config/profile_file.h"
#include "store_test_folder.h"

#if __has_include(<iconv.h>)
#include <iconv.h>
#define CINDRAL_HAVE_ICONV 1
#endif

namespace cindral::config {
namespace {

namespace fs = std::filesystem;
using test_support::ReadBytes;
using test_support::TestFolder;
using test_support::WriteBytes;

std::string Key(std::string_view key) { return std::string(key); }

TEST(SettingsKeys, AreTheShiftJisBytesOfTheJapaneseNames) {
#ifdef CINDRAL_HAVE_ICONV
    const auto toShiftJis = [](std::string utf8) {
        iconv_t cd = iconv_open("SHIFT_JIS", "UTF-8");
        EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
        std::string out(64, '\0');
        char* in = utf8.data();
        std::size_t inLeft = utf8.size();
        char* o = out.data();
        std::size_t outLeft = out.size();
        EXPECT_NE(iconv(cd, &in, &inLeft, &o, &outLeft), static_cast<std::size_t>(-1));
        iconv_close(cd);
        out.resize(out.size() - outLeft);
        return out;
    };
    EXPECT_EQ(Key(kFireKindKey), toShiftJis("炎の種類"));
    EXPECT_EQ(Key(kMusicKindKey), toShiftJis("BGM区分"));
    EXPECT_EQ(Key(kRepeatTrackKey), toShiftJis("BGMﾘﾋﾟｰﾄ"));
    EXPECT_EQ(Key(kMusicFileKey), toShiftJis("BGMﾌｧｲﾙ"));
#else
    GTEST_SKIP() << "no iconv on this target";
#endif
}

TEST(SaveSettings, WritesFourLinesInOrderWithLeadingBlankNumbers) {
    TestFolder folder;
    const fs::path ini = folder / "Cindral.ini";
    ASSERT_TRUE(SaveSettings({3, 1, -2, ""}, ini));
    EXPECT_EQ(ReadBytes(ini), "[Section]\r\n" + Key(kFireKindKey) + "= 3\r\n" + Key(kMusicKindKey) +
                                  "= 1\r\n" + Key(kRepeatTrackKey) + "=-2\r\n" +
                                  Key(kMusicFileKey) + "=\r\n");
}

TEST(SaveSettings, ReplacesOnlyItsLinesInAFileFromAnotherTool) {
    TestFolder folder;
    const fs::path ini = folder / "Cindral.ini";
    const std::string before = "; kept\r\n[Other]\r\nX=1\r\n\r\n[Section]\r\n" +
                               Key(kMusicKindKey) + "=2\r\nOwn=yes\r\n\r\n[Last]\r\nY=2\r\n";
    WriteBytes(ini, before);
    ASSERT_TRUE(SaveSettings({7, 2, 0, "/music/火.mp3"}, ini));
    EXPECT_EQ(ReadBytes(ini), "; kept\r\n[Other]\r\nX=1\r\n\r\n[Section]\r\n" + Key(kMusicKindKey) +
                                  "= 2\r\nOwn=yes\r\n" + Key(kFireKindKey) + "= 7\r\n" +
                                  Key(kRepeatTrackKey) + "= 0\r\n" + Key(kMusicFileKey) +
                                  "=/music/火.mp3\r\n\r\n[Last]\r\nY=2\r\n");
}

TEST(SaveSettings, CreatesTheMissingFolder) {
    TestFolder folder;
    const fs::path ini = folder.path() / "config" / "cindral" / "Cindral.ini";
    ASSERT_TRUE(SaveSettings({1, 0, 0, ""}, ini));
    EXPECT_EQ(ReadIniValue(kSettingsSection, kFireKindKey, ini), "1");
}

TEST(SaveSettings, RoundTripsThroughLoad) {
    TestFolder folder;
    const fs::path music = folder.path() / fs::path(u8"曲 1.mp3");
    WriteBytes(music, "ID3");
    const std::u8string musicUtf8 = music.u8string();
    const Settings saved{8, 2, 12, std::string(musicUtf8.begin(), musicUtf8.end())};
    ASSERT_TRUE(SaveSettings(saved, folder / "Cindral.ini"));
    Settings loaded;
    LoadSettings(loaded, folder / "Cindral.ini");
    EXPECT_EQ(loaded.FireKind, 8);
    EXPECT_EQ(loaded.MusicKind, 2);
    EXPECT_EQ(loaded.RepeatTrack, 12);
    EXPECT_EQ(loaded.MusicFile, saved.MusicFile);
}

// A codec that stores the path with every letter "a" written as the byte 0xE1
// (a Latin-1 stand-in) and refuses paths with a "#".
StoredPathCodec LatinCodec() {
    return {[](std::string_view stored) {
                std::string out;
                for (char c : stored) out += c == '\xE1' ? std::string("a") : std::string(1, c);
                return out;
            },
            [](std::string_view utf8) -> std::optional<std::string> {
                if (utf8.find('#') != std::string_view::npos) return std::nullopt;
                std::string out(utf8);
                for (char& c : out) c = c == 'a' ? '\xE1' : c;
                return out;
            }};
}

TEST(SaveSettings, WritesTheMusicPathThroughTheCodecAndLoadsItBack) {
    TestFolder folder;
    WriteBytes(folder / "a.mp3", "ID3");
    WriteBytes(folder / "b#.mp3", "ID3");
    const std::string plain = (folder / "a.mp3").string();
    std::string stored = plain;
    for (char& c : stored) c = c == 'a' ? '\xE1' : c;
    struct Case {
        std::string musicFile;
        std::string storedBytes;  // the key's value in the file
        std::string loaded;       // MusicFile after loading the file again
    } cases[] = {
        {plain, stored, plain},
        {(folder / "b#.mp3").string(), "", ""},  // refused: saved as no file
    };
    for (const Case& c : cases) {
        const fs::path ini = folder / "Cindral.ini";
        ASSERT_TRUE(SaveSettings({0, 2, 0, c.musicFile}, ini, LatinCodec()));
        EXPECT_EQ(ReadIniValue(kSettingsSection, kMusicFileKey, ini), c.storedBytes);
        Settings loaded;
        LoadSettings(loaded, ini, LatinCodec());
        EXPECT_EQ(loaded.MusicFile, c.loaded) << c.musicFile;
        EXPECT_EQ(loaded.MusicKind, c.loaded.empty() ? 0 : 2) << c.musicFile;
    }
}

TEST(ParseSettingNumber, TakesTheFloorOfDecimalNumbersThatFit) {
    EXPECT_EQ(ParseSettingNumber(" 3"), 3);
    EXPECT_EQ(ParseSettingNumber("12"), 12);
    EXPECT_EQ(ParseSettingNumber("2.9"), 2);
    EXPECT_EQ(ParseSettingNumber("-0.5"), -1);
    EXPECT_EQ(ParseSettingNumber("+4."), 4);
    EXPECT_EQ(ParseSettingNumber(".5"), 0);
    EXPECT_EQ(ParseSettingNumber("1e3"), 1000);
    EXPECT_EQ(ParseSettingNumber("25E-1"), 2);
    EXPECT_EQ(ParseSettingNumber("-1e-400"), -1);
    EXPECT_EQ(ParseSettingNumber("32767.99"), 32767);
    EXPECT_EQ(ParseSettingNumber("-32768"), -32768);
}

TEST(ParseSettingNumber, RejectsTextThatIsNotANumberOrDoesNotFit) {
    for (const char* text : {"", "abc", "3abc", "- 3", "1e", "e3", ".", "--1", "0x10", "inf", "nan",
                             "1,5", "70000", "32768", "-32768.5", "1e5", "1e400",
                             "9"
                             "9999"}) {
        EXPECT_EQ(ParseSettingNumber(text), std::nullopt) << text;
    }
    EXPECT_EQ(ParseSettingNumber(std::string(100000, '9')), std::nullopt);
}

TEST(FormatSettingNumber, WritesLeadingBlankDecimal) {
    EXPECT_EQ(FormatSettingNumber(3), " 3");
    EXPECT_EQ(FormatSettingNumber(0), " 0");
    EXPECT_EQ(FormatSettingNumber(-32768), "-32768");
}

class LoadSettingsTest : public ::testing::Test {
  protected:
    // Settings loaded from a [Section] holding `lines`, starting from `start`.
    Settings Load(const std::string& lines, Settings start = {}) {
        WriteBytes(ini_, "[Section]\r\n" + lines);
        LoadSettings(start, ini_);
        return start;
    }
    std::string Utf8(const fs::path& path) {
        const std::u8string s = path.u8string();
        return std::string(s.begin(), s.end());
    }
    TestFolder folder_;
    fs::path ini_ = folder_ / "Cindral.ini";
};

TEST_F(LoadSettingsTest, MissingFileOrKeysGiveZerosAndEmpty) {
    Settings settings{5, 2, 7, "x"};
    LoadSettings(settings, folder_ / "missing.ini");
    EXPECT_EQ(settings.FireKind, 0);
    EXPECT_EQ(settings.MusicKind, 0);
    EXPECT_EQ(settings.RepeatTrack, 0);
    EXPECT_EQ(settings.MusicFile, "");

    const Settings empty = Load("Other=1\r\n", {5, 1, 7, "x"});
    EXPECT_EQ(empty.FireKind, 0);
    EXPECT_EQ(empty.MusicKind, 0);
    EXPECT_EQ(empty.RepeatTrack, 0);
}

TEST_F(LoadSettingsTest, NumbersFromTheFile) {
    const Settings s = Load(Key(kFireKindKey) + "=2.9\r\n" + Key(kMusicKindKey) + "= 1\r\n" +
                            Key(kRepeatTrackKey) + "=-0.5\r\n");
    EXPECT_EQ(s.FireKind, 2);
    EXPECT_EQ(s.MusicKind, 1);
    EXPECT_EQ(s.RepeatTrack, -1);
    EXPECT_EQ(Load(Key(kFireKindKey) + "=3").FireKind, 3);
    EXPECT_EQ(Load(Key(kFireKindKey) + "= 3").FireKind, 3);
}

TEST_F(LoadSettingsTest, UnreadableNumbersKeepThePreviousValue) {
    const Settings s = Load(Key(kFireKindKey) + "=abc\r\n" + Key(kMusicKindKey) + "=1\r\n" +
                                Key(kRepeatTrackKey) + "=70000\r\n",
                            {4, 0, 9, ""});
    EXPECT_EQ(s.FireKind, 4);
    EXPECT_EQ(s.MusicKind, 1);  // a bad key before it does not stop the later ones
    EXPECT_EQ(s.RepeatTrack, 9);
}

TEST_F(LoadSettingsTest, MusicFileThatIsNotAnExistingFileIsDropped) {
    const fs::path song = folder_ / "song.mp3";
    WriteBytes(song, "ID3");
    const std::string kind2 = Key(kMusicKindKey) + "=2\r\n";

    Settings s = Load(kind2 + Key(kMusicFileKey) + "=" + Utf8(song) + "\r\n");
    EXPECT_EQ(s.MusicKind, 2);
    EXPECT_EQ(s.MusicFile, Utf8(song));

    for (const std::string& gone : {Utf8(folder_ / "gone.mp3"), Utf8(folder_.path()),
                                    Utf8(folder_.path()) + "\\", std::string()}) {
        s = Load(kind2 + Key(kMusicFileKey) + "=" + gone + "\r\n", {0, 0, 0, "old"});
        EXPECT_EQ(s.MusicKind, 0) << gone;
        EXPECT_EQ(s.MusicFile, "") << gone;
    }

    // Only music kind 2 falls back.
    s = Load(Key(kMusicKindKey) + "=1\r\n" + Key(kMusicFileKey) + "=\r\n");
    EXPECT_EQ(s.MusicKind, 1);
    s = Load(Key(kMusicKindKey) + "=1\r\n");
    EXPECT_EQ(s.MusicKind, 1);
}

TEST_F(LoadSettingsTest, MusicPathsLongerThan255BytesAreCutAndThenDropped) {
    // A slash and 85 three-byte characters are 256 bytes: the cut at 255 ends inside the
    // last character (which a Windows path conversion rejects).
    std::string path = "/";
    for (int i = 0; i < 85; ++i) path += "火";
    Settings s = Load(Key(kMusicKindKey) + "=2\r\n" + Key(kMusicFileKey) + "=" + path + "\r\n",
                      {0, 0, 0, "old"});
    EXPECT_EQ(s.MusicKind, 0);
    EXPECT_EQ(s.MusicFile, "");

    // An existing file whose path is longer than 255 bytes: the cut path names nothing.
    const std::string name(240, 'n');
    WriteBytes(folder_ / name, "ID3");
    if (!fs::exists(folder_ / name)) GTEST_SKIP() << "long file names unavailable";
    s = Load(Key(kMusicKindKey) + "=2\r\n" + Key(kMusicFileKey) + "=" + Utf8(folder_ / name) +
             "\r\n");
    EXPECT_EQ(s.MusicKind, 0);
    EXPECT_EQ(s.MusicFile, "");
}

TEST_F(LoadSettingsTest, SurvivesHugeLinesAndRandomBytes) {
    const std::string huge(100000, '3');
    Settings s = Load(huge + "\r\n" + Key(kFireKindKey) + "=" + huge + "\r\n" + Key(kMusicKindKey) +
                          "=1\r\n[" + huge,
                      {6, 0, 0, ""});
    EXPECT_EQ(s.FireKind, 6);  // 255 digits do not fit in 16 bits
    EXPECT_EQ(s.MusicKind, 1);

    // Keys after a line of 20 MB still count.
    const std::string line20mb(20u << 20, 'x');
    s = Load(line20mb + "\r\n" + Key(kFireKindKey) + "=5\r\n", {6, 0, 0, ""});
    EXPECT_EQ(s.FireKind, 5);

    std::mt19937 generator(7);
    for (int round = 0; round < 20; ++round) {
        std::string noise(generator() % 5000, '\0');
        for (char& c : noise) c = static_cast<char>(generator());
        WriteBytes(ini_, noise);
        Settings loaded{1, 1, 1, "x"};
        LoadSettings(loaded, ini_);
        EXPECT_EQ(loaded.MusicFile, "");
        ASSERT_TRUE(SaveSettings({2, 0, 0, ""}, ini_));
        const std::string after = ReadBytes(ini_);
        EXPECT_EQ(after.substr(0, noise.size()), noise);  // the noise itself is kept
        LoadSettings(loaded, ini_);
        EXPECT_EQ(loaded.FireKind, 2);
    }
}

}  // namespace
}  // namespace cindral::config
