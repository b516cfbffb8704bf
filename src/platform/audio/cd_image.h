#pragma once
// BIN/CUE disc images as the "cdaudio" device accepts them: checked before
// libcdio opens them, so an image that names a FIFO, a folder or a huge file
// is refused instead of holding or flooding the reader.

#include <cstdint>
#include <string>

namespace cindral::platform::audio {

// Most a disc image's data may take: four times a full CD, and short of
// where byte offsets into it would pass 32 bits.
inline constexpr std::uint64_t kMaxImageBytes = (2ull << 30) - 1;
// Most a CUE sheet may take (a full one of 99 tracks takes some 10 KiB).
inline constexpr std::uint64_t kMaxCueBytes = 256 << 10;

// The CUE sheet of the regular file `path`: the file itself when it ends in
// ".cue" (any case), else the file of the same name with ".cue" for its
// extension. The sheet must be a regular file of at most kMaxCueBytes
// (opened without waiting for a writer); every file it names, relative to
// its folder, a regular file, all of them together no larger than
// kMaxImageBytes; and it must hold a track. 0 and the sheet's path in
// `cue`, or an error code.
std::uint32_t CheckCueImage(const std::string& path, std::string& cue);

}  // namespace cindral::platform::audio
