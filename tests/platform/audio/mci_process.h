#pragma once
// Runs the cindral-mci program as its own process, so that a test of
// something that could hang can give up after a bounded time without being
// stuck itself.

#include <string>
#include <vector>

namespace cindral::platform::audio::test_support {

struct MciRun {
    bool finished = false;           // false: killed after the time allowed
    std::vector<std::string> lines;  // standard output, one per line
    std::string errors;              // standard error
};

// `environment` holds NAME=VALUE settings added for the program; the audio
// goes to SDL's dummy driver unless they name another.
MciRun RunMci(const std::string& input, const std::vector<std::string>& environment, double seconds,
              const std::string& scratchDir);

}  // namespace cindral::platform::audio::test_support
