// Any sequence of media-command strings through the interpreter over the
// fake devices: no crash, every code returned has a description, a reply is
// written only on success and always ends inside the buffer, and every
// device made is closed once at the end.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fake_mci_devices.h"
#include "platform/audio/interpreter/mci_errors.h"
#include "platform/audio/interpreter/mci_interpreter.h"

namespace {

using namespace cindral::platform::audio;

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr std::size_t kBuffer = 64;
constexpr char kUntouched = 0x5A;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    fake::FakeMciDevices devices;
    devices.files = {"/m/song.mp3", "/m/a\" type b.mp3", "/m/x\" alias y.mp3", "cdaudio"};
    devices.discPresent = size % 2 == 0;
    {
        MciInterpreter interpreter(devices);
        while (!input.empty()) {
            const std::size_t end = std::min(input.find('\n'), input.size());
            std::string_view line = input.substr(0, end);
            input.remove_prefix(std::min(end + 1, input.size()));
            // The first byte of a line picks the reply capacity.
            const std::uint32_t capacity =
                line.empty() ? 0 : static_cast<std::uint8_t>(line[0]) % (kBuffer + 1);
            if (!line.empty()) line.remove_prefix(1);

            char reply[kBuffer];
            std::memset(reply, kUntouched, sizeof reply);
            const std::uint32_t code =
                interpreter.Send(std::string(line), capacity ? reply : nullptr, capacity);
            Check(code == 0 || !MciErrorText(code).empty());
            if (code != 0 || capacity == 0) {
                Check(std::all_of(reply, reply + kBuffer, [](char c) { return c == kUntouched; }));
            } else {
                Check(std::memchr(reply, '\0', capacity) != nullptr);
                Check(std::all_of(reply + capacity, reply + kBuffer,
                                  [](char c) { return c == kUntouched; }));
            }
        }
        interpreter.CloseAll();
        const auto closed =
            std::count_if(devices.log.begin(), devices.log.end(),
                          [](const std::string& e) { return e.rfind("closed ", 0) == 0; });
        Check(closed == devices.created);
    }
    return 0;
}
