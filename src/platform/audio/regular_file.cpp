#include "platform/audio/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/audio/interpreter/mci_errors.h"

namespace cindral::platform::audio {

std::uint32_t OpenRegularFile(const std::string& path, int& fd, std::uint64_t& size) {
    fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return kFileNotFound;
    struct stat st {};
    std::uint32_t rc = kOk;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode))
        rc = kFileNotFound;
    else if (!S_ISREG(st.st_mode))
        rc = kInvalidFile;
    if (rc != kOk) {
        close(fd);
        fd = -1;
        return rc;
    }
    // Reads of a regular file may block as usual from here on.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    size = static_cast<std::uint64_t>(st.st_size);
    return kOk;
}

SDL_RWops* StreamOfFile(const MixerLibrary& mix, int fd) {
    FILE* file = fdopen(fd, "rb");
    if (!file) {
        close(fd);
        return nullptr;
    }
    SDL_RWops* stream = mix.SDL_RWFromFP(file, SDL_TRUE);
    if (!stream) std::fclose(file);
    return stream;
}

}  // namespace cindral::platform::audio
