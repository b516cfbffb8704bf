#pragma once
// The player's media commands over the real Windows multimedia library. Text
// from the player is UTF-8 and is passed to the ANSI calls in the system's
// code page; replies come back as UTF-8.
//
// PlaySoundA gets SND_FILENAME and SND_NODEFAULT added: without them the name
// is looked up as a sound alias first, and a missing file plays the system's
// default sound.

#include "music/bgm.h"

namespace cindral::platform::win32 {

class WinmmMediaCommands final : public music::MediaCommands {
  public:
    std::uint32_t mciSendStringA(const std::string& command, char* reply,
                                 std::uint32_t replyCapacity,
                                 std::uintptr_t callbackWindow) override;
    bool mciGetErrorStringA(std::uint32_t errorCode, char* text, std::uint32_t capacity) override;
    bool PlaySoundA(const char* sound, std::uintptr_t module, std::uint32_t flags) override;
    std::uint32_t waveOutGetNumDevs() override;
};

// The flags PlaySoundA gets for the player's `flags` when it names a sound.
std::uint32_t SoundFileFlags(std::uint32_t flags);

// UTF-8 text in the system's ANSI code page, character by character: a
// character the code page lacks becomes '?' (the command then fails as the
// system would fail it), and a reply converts back the same way.
std::string AnsiCommandText(const std::string& utf8);
std::string Utf8ReplyText(const char* ansi);

}  // namespace cindral::platform::win32
