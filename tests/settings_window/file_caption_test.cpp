#include "settings_window/file_caption.h"

#include <gtest/gtest.h>

namespace cindral::settings_window {
namespace {

// Six pixels for every character, whatever its number of UTF-8 bytes.
int SixPerCharacter(std::string_view text) {
    int characters = 0;
    for (char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return 6 * characters;
}

TEST(SettingsFileCaption, LongPathsKeepTheFileNameAndTheStartThatFits) {
    struct Case {
        const char* path;
        int width;
        const char* shown;
    };
    const Case cases[] = {
        // 8 characters, 48 pixels: fits exactly.
        {"/m/a.mp3", 48, "/m/a.mp3"},
        {"", 0, ""},
        // 21 characters, one pixel too many: 20 fit, 9 of them the file name
        // and 3 the dots, so 8 of the start.
        {"/music/album/song.mp3", 125, "/music/a.../song.mp3"},
        // Windows folders; only the dots and the file name fit.
        {"C:\\Music\\Album\\track01.wav", 90, "...\\track01.wav"},
        // 12 characters fit: "/音楽" stays whole; no character is cut apart.
        {"/音楽/アルバム/曲.mp3", 72, "/音楽.../曲.mp3"},
        {"/音楽/アルバム/曲.mp3", 71, "/音.../曲.mp3"},
        // A file name too long for the label: the start and dots at the end.
        {"/a/averyveryverylongname.mp3", 60, "/a/aver..."},
        {"averylongfilename.wav", 60, "averylo..."},
        {"曲曲曲曲曲曲曲曲曲曲曲.wav", 59, "曲曲曲曲曲曲..."},
        // Not even the dots fit.
        {"/music/song.mp3", 10, "..."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileCaptionText(c.path, c.width, SixPerCharacter), c.shown)
            << c.path << " in " << c.width;
    }
}

}  // namespace
}  // namespace cindral::settings_window
