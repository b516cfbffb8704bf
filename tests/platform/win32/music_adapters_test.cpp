// The Windows music adapter: the media commands over the real winmm.

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/media_commands.h"
#include "platform/win32/win32.h"

namespace cindral::platform::win32 {
namespace {

// Documented winmm values: MCIERR_BASE is 256; an unknown command word is
// MCIERR_UNRECOGNIZED_COMMAND (MCIERR_BASE + 5).
TEST(WinmmMediaCommands, ReportsTheSystemsErrorsAndTheirTexts) {
    WinmmMediaCommands winmm;
    char reply[512];
    EXPECT_EQ(winmm.mciSendStringA("frobnicate cdaudio", reply, sizeof reply, 0), 261u);
    char text[256] = {};
    ASSERT_TRUE(winmm.mciGetErrorStringA(261, text, sizeof text));
    EXPECT_GT(std::string(text).size(), 5u);

    const std::string open =
        "open \"C:\\no such folder\\\xE7\x81\xAB.mp3\" type MPEGVideo Alias MP3Play";
    EXPECT_NE(winmm.mciSendStringA(open, nullptr, 0, 0), 0u);
    // The alias was not made, so a query about it fails as well.
    EXPECT_NE(winmm.mciSendStringA("status MP3Play mode", reply, 30, 0), 0u);
}

// A sound is always a file (SND_FILENAME, 0x20000) and never the system's
// default sound in its place (SND_NODEFAULT, 2); the player's own flags stay.
TEST(WinmmMediaCommands, PlaysFilesOnlyAndAMissingOneAsNothing) {
    EXPECT_EQ(SoundFileFlags(music::SND_ASYNC | music::SND_LOOP), 0x20000u | 2u | 9u);
    EXPECT_EQ(SoundFileFlags(0), 0x20002u);
    WinmmMediaCommands winmm;
    // Waited for (no SND_ASYNC), so the failure shows in the result.
    EXPECT_FALSE(winmm.PlaySoundA("C:\\no such folder\\fire.wav", 0, 0));
    EXPECT_TRUE(winmm.PlaySoundA(nullptr, 0, 0));
}

}  // namespace
}  // namespace cindral::platform::win32
