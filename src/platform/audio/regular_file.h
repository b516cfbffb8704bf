#pragma once
// Files the layer reads (music, sounds, CUE sheets) are opened without
// waiting for a writer and checked on the descriptor itself, so a FIFO or a
// device behind a name is refused instead of holding the reader.

#include <cstdint>
#include <string>

#include "platform/audio/audio_libraries.h"

namespace cindral::platform::audio {

// 0 with `fd` open for reading and `size` set; kFileNotFound for a missing
// file or a directory, kInvalidFile for anything that is not a regular file.
std::uint32_t OpenRegularFile(const std::string& path, int& fd, std::uint64_t& size);

// An SDL stream (made by the loaded `mix`) that owns `fd` and closes it;
// null (with `fd` closed) when none can be made.
SDL_RWops* StreamOfFile(const MixerLibrary& mix, int fd);

}  // namespace cindral::platform::audio
