#pragma once
// One open media device as the command interpreter sees it, and the factory
// the interpreter opens devices through. Every call returns an error code (0
// on success) and never waits on the device.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace cindral::platform::audio {

class MciDevice {
  public:
    virtual ~MciDevice() = default;
    // `from` and `to` are null when the command leaves them out.
    virtual std::uint32_t Play(const std::string* from, const std::string* to) = 0;
    virtual std::uint32_t Stop() = 0;
    virtual std::uint32_t Pause() = 0;
    virtual std::uint32_t Resume() = 0;
    // "start", "end" or a position in the current time format.
    virtual std::uint32_t Seek(const std::string& to) = 0;
    // `item` holds the lower-cased words after the device name.
    virtual std::uint32_t Status(const std::vector<std::string>& item, std::string& reply) = 0;
    virtual std::uint32_t SetTimeFormat(const std::string& format) = 0;
};

class MciDevices {
  public:
    virtual ~MciDevices() = default;
    // A music file (MP3, WAV, ...). Leaves `device` alone on failure.
    virtual std::uint32_t OpenFile(const std::string& path, std::unique_ptr<MciDevice>& device) = 0;
    // An audio CD: `source` names a drive or an image; empty for the default.
    virtual std::uint32_t OpenCd(const std::string& source, std::unique_ptr<MciDevice>& device) = 0;
};

}  // namespace cindral::platform::audio
