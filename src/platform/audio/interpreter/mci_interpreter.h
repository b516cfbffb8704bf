#pragma once
// The media-command interpreter: parses command strings, keeps the open
// devices by alias and routes each command to its device. It sees devices
// only through MciDevices, so it builds and runs without any audio library.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/interpreter/mci_device.h"

namespace cindral::platform::audio {

class MciInterpreter {
  public:
    explicit MciInterpreter(MciDevices& devices) : factory_(devices) {}

    // Runs one command string as the platform call does: the command ends at
    // its first NUL, and a reply that does not fit `capacity` (with its NUL)
    // is an error. `reply` may be null with `capacity` 0.
    std::uint32_t Send(const std::string& command, char* reply, std::uint32_t capacity);

    // Closes every device (as "close all").
    void CloseAll() { devices_.clear(); }

  private:
    struct Open {
        std::unique_ptr<MciDevice> device;
        bool cd = false;
    };

    std::uint32_t Run(const std::string& command, std::string& reply);
    std::uint32_t Command(const std::vector<std::string>& w, std::string& reply);
    std::uint32_t OpenDevice(const std::vector<std::string>& w);

    MciDevices& factory_;
    std::map<std::string, Open> devices_;  // by lower-case alias
};

}  // namespace cindral::platform::audio
