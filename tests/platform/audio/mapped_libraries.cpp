#include "mapped_libraries.h"

#include <fstream>
#include <set>

namespace cindral::platform::audio::test_support {

std::vector<std::string> MappedLibraries(const std::string& pid,
                                         const std::vector<std::string>& libraries) {
    // The file name of every mapped file, after the path's last slash.
    std::set<std::string> files;
    std::ifstream maps("/proc/" + pid + "/maps");
    for (std::string line; std::getline(maps, line);) {
        const auto slash = line.rfind('/');
        if (slash != std::string::npos) files.insert(line.substr(slash + 1));
    }
    std::vector<std::string> mapped;
    for (const std::string& library : libraries) {
        for (const std::string& file : files) {
            if (file.starts_with(library)) {
                mapped.push_back(library);
                break;
            }
        }
    }
    return mapped;
}

}  // namespace cindral::platform::audio::test_support
