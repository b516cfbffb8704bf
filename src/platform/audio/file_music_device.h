#pragma once
// The "MPEGVideo" device: any file SDL2_mixer decodes (MP3 above all), its
// format told by its content, played as the mixer's one music stream.
// Positions are in milliseconds. Only regular files are opened: a FIFO or a
// device would hold the caller.

#include <memory>
#include <string>

#include "platform/audio/audio_output.h"
#include "platform/audio/interpreter/mci_device.h"

namespace cindral::platform::audio {

class FileMusicDevice : public MciDevice {
  public:
    static std::uint32_t Open(const std::string& path, AudioOutput& output,
                              std::unique_ptr<MciDevice>& device);
    ~FileMusicDevice() override;

    std::uint32_t Play(const std::string* from, const std::string* to) override;
    std::uint32_t Stop() override;
    std::uint32_t Pause() override;
    std::uint32_t Resume() override;
    std::uint32_t Seek(const std::string& to) override;
    std::uint32_t Status(const std::vector<std::string>& item, std::string& reply) override;
    std::uint32_t SetTimeFormat(const std::string& format) override;

  private:
    FileMusicDevice(const MixerLibrary& mix, Mix_Music* music) : mix_(mix), music_(music) {}
    bool Owns() const;      // the mixer's music stream is this device's
    bool Sounding() const;  // owned and not finished
    double PositionSeconds() const;
    std::uint32_t StartAt(double seconds);

    const MixerLibrary& mix_;
    Mix_Music* music_;
    double restartAt_ = 0;  // where a play without "from" begins
    bool paused_ = false;
};

}  // namespace cindral::platform::audio
