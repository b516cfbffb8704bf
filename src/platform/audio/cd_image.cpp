#include "platform/audio/cd_image.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/audio/interpreter/mci_command.h"
#include "platform/audio/interpreter/mci_errors.h"
#include "platform/audio/regular_file.h"

namespace cindral::platform::audio {
namespace {

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           Lower(text.substr(text.size() - suffix.size())) == suffix;
}

// The text of a CUE sheet: a regular file of at most kMaxCueBytes, opened
// without waiting for a writer. 0 or an error code.
std::uint32_t ReadCue(const std::string& path, std::string& text) {
    int fd = -1;
    std::uint64_t size = 0;
    if (const std::uint32_t rc = OpenRegularFile(path, fd, size)) return rc;
    std::uint32_t rc = kOk;
    if (size > kMaxCueBytes) {
        rc = kInvalidFile;
    } else {
        text.resize(static_cast<std::size_t>(size));
        std::size_t got = 0;
        while (got < text.size()) {
            const ssize_t n = read(fd, text.data() + got, text.size() - got);
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        text.resize(got);
    }
    close(fd);
    return rc;
}

// The file name of a CUE "FILE" line (quoted, or up to the next blank),
// empty when there is none; `at` is where the line's text begins.
std::string FileNameOf(const std::string& line, std::string::size_type at) {
    const std::string::size_type q1 = line.find('"', at);
    const std::string::size_type q2 = q1 == std::string::npos ? q1 : line.find('"', q1 + 1);
    if (q2 != std::string::npos) return line.substr(q1 + 1, q2 - q1 - 1);
    const std::string::size_type b = line.find_first_not_of(" \t", at + 5);
    const std::string::size_type e = line.find_first_of(" \t\r", b);
    return b != std::string::npos ? line.substr(b, e - b) : std::string();
}

// Checks the files a CUE sheet names (relative to the sheet's folder): each
// a regular file, all of them together no larger than kMaxImageBytes, and
// at least one track. 0 or an error code.
std::uint32_t CheckCue(const std::string& cuePath, const std::string& text) {
    const std::string::size_type slash = cuePath.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : cuePath.substr(0, slash + 1);
    std::uint64_t total = 0;
    bool anyFile = false, anyTrack = false;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(begin, end - begin);
        begin = end + 1;
        const std::string::size_type at = line.find_first_not_of(" \t");
        if (at == std::string::npos) continue;
        if (Lower(line.substr(at, 6)) == "track ") anyTrack = true;
        if (Lower(line.substr(at, 5)) != "file ") continue;
        const std::string name = FileNameOf(line, at);
        const std::string full = !name.empty() && name[0] == '/' ? name : folder + name;
        struct stat st {};
        if (name.empty() || stat(full.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
            return kFileNotFound;
        if (!S_ISREG(st.st_mode)) return kInvalidFile;
        total += static_cast<std::uint64_t>(st.st_size);
        anyFile = true;
    }
    if (!anyFile || !anyTrack || total > kMaxImageBytes) return kInvalidFile;
    return kOk;
}

}  // namespace

std::uint32_t CheckCueImage(const std::string& path, std::string& cue) {
    // A BIN is read through the CUE sheet beside it.
    cue = path;
    if (!EndsWithNoCase(path, ".cue")) {
        const std::string::size_type dot = path.rfind('.');
        const std::string::size_type slash = path.rfind('/');
        if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
            return kInvalidFile;
        cue = path.substr(0, dot) + ".cue";
    }
    std::string text;
    if (const std::uint32_t rc = ReadCue(cue, text))
        return rc == kFileNotFound && cue != path ? kInvalidFile : rc;
    return CheckCue(cue, text);
}

}  // namespace cindral::platform::audio
