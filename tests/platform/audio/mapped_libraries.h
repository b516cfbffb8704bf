#pragma once
// Which shared libraries a running process has mapped, read from
// /proc/PID/maps: how tests see that a library was (not) loaded.

#include <string>
#include <vector>

namespace cindral::platform::audio::test_support {

// The names of `libraries` (each a file-name prefix such as "libcdio" or
// "libSDL2-2.0") that process `pid` maps, in the order asked.
std::vector<std::string> MappedLibraries(const std::string& pid,
                                         const std::vector<std::string>& libraries);

}  // namespace cindral::platform::audio::test_support
