#pragma once
// Background music of the full-screen saver: an audio CD, an MP3 file or a
// WAV file, driven entirely through media-command strings and the sound call.
// Nothing here reports to the user; failures end in return codes, in the
// CdAlive flag that stops CD polling, or in nothing.

#include <array>
#include <cstdint>
#include <string>

#include "config/settings.h"
#include "music/ports.h"

namespace cindral::music {

// How the saver treats a music file: by the last three characters of its
// name, upper-cased ("WAV" or "MP3"); any other ending plays nothing.
enum class MusicFileKind { None, Wav, Mp3 };
MusicFileKind MusicFileKindOf(const std::string& path);

class Cindral_BGM {
  public:
    Cindral_BGM(MediaCommands& port, const config::Settings& settings);

    // Command routines.
    std::int32_t MciSend(const std::string& command, std::string& reply);
    std::string MciQuery(const std::string& command);
    std::int32_t MciPlay(const std::string& device, const std::string& from, const std::string& to);

    // Audio CD.
    void CdOpen();
    void CdPoll();
    void CdPrevTrack();
    void CdNextTrack();
    void CdStopClose();
    bool CdAlive() const { return cdAlive_; }

    // MP3 file.
    void Mp3OpenPlay();
    bool Mp3IsPlaying();
    void Mp3Repeat();
    void Mp3StopClose();

    // WAV file.
    void WavPlay();
    void WavStop();

    const std::string& LastReply() const { return lastReply_; }

    static constexpr std::size_t kReplyCapacity = 512;
    static constexpr std::size_t kErrorCapacity = 256;
    static constexpr std::size_t kCdModeCapacity = 255;
    static constexpr std::size_t kMp3ModeCapacity = 30;

  private:
    void CdStep(int delta);
    std::uint32_t SendDirect(const std::string& command);

    MediaCommands& port_;
    const config::Settings& settings_;
    bool cdAlive_ = false;
    std::string lastReply_;
    // Module buffers: they keep their contents between calls, so a command
    // that writes nothing leaves the previous text in place.
    std::array<char, kReplyCapacity> replyBuf_{};
    std::array<char, kErrorCapacity> errorBuf_{};
    std::array<char, kCdModeCapacity> cdModeBuf_{};
    std::array<char, kMp3ModeCapacity> mp3ModeBuf_{};
};

}  // namespace cindral::music
