#pragma once
// The port of the music layer: the platform's multimedia library.

#include <cstdint>
#include <string>

namespace cindral::music {

// The four calls of the platform's multimedia library the player needs, with
// their platform shapes: replies are written into the caller's buffer of the
// given capacity and end at their first NUL. Text from the player is UTF-8;
// an adapter whose platform wants another code page converts it.
class MediaCommands {
  public:
    virtual ~MediaCommands() = default;

    // Runs one command string. `reply` may be null with `replyCapacity` 0.
    // Returns 0 on success, otherwise an error code.
    virtual std::uint32_t mciSendStringA(const std::string& command, char* reply,
                                         std::uint32_t replyCapacity,
                                         std::uintptr_t callbackWindow) = 0;

    // Writes the description of `errorCode` into `text`; false when there is
    // none.
    virtual bool mciGetErrorStringA(std::uint32_t errorCode, char* text,
                                    std::uint32_t capacity) = 0;

    // Plays `sound` (null: stop any sound this call started) with the given
    // SND_* flags.
    virtual bool PlaySoundA(const char* sound, std::uintptr_t module, std::uint32_t flags) = 0;

    virtual std::uint32_t waveOutGetNumDevs() = 0;
};

inline constexpr std::uint32_t SND_ASYNC = 0x0001;
inline constexpr std::uint32_t SND_LOOP = 0x0008;

}  // namespace cindral::music
