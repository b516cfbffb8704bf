#pragma once
// Reading and writing keys of a private-profile (INI) file on disk, with the
// observable behaviour of the platform's profile calls (see profile_text.h for
// the format rules). Portable: used on every target.
//
// Names and values are byte strings: the caller chooses their encoding (the
// settings keys are Shift-JIS bytes, paths are UTF-8).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace cindral::config {

// Largest profile file read, in bytes. A bigger file is no settings file (a
// mistake, or an attack on memory): it reads as unreadable, so it is never
// loaded whole and never replaced.
inline constexpr std::uintmax_t kProfileFileMax = 64u << 20;

// The whole content of a readable regular file; nullopt when `file` is missing,
// not a regular file, larger than kProfileFileMax, or cannot be read.
std::optional<std::string> ReadProfileFile(const std::filesystem::path& file);

// The value of `key` in `section` of `file`, without surrounding blanks, at most
// 255 bytes; the empty text when the file, the section or the key is missing or
// the file cannot be read (see ReadProfileFile).
std::string ReadIniValue(std::string_view section, std::string_view key,
                         const std::filesystem::path& file);

struct ProfileEntry {
    std::string_view key;
    std::string_view value;
};

// Sets the keys of `section` in `file`, in the order given, creating the file,
// the section and the keys where they are missing. The file is replaced as a
// whole: the new content goes to a temporary file in the same folder that is then
// renamed over the old one, so the file is never left half written.
// Returns false, leaving the file as it was, when an entry cannot be stored
// unchanged (IsStorableProfileEntry), when the file exists but cannot be read
// (writing it would lose its other lines), when it is marked read-only, or when
// the folder cannot be written. The folder itself is not created.
bool WriteIniValues(std::string_view section, std::span<const ProfileEntry> entries,
                    const std::filesystem::path& file);

// One key; see WriteIniValues.
bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                   const std::filesystem::path& file);

// True when `path` names a regular file that can be opened for reading. One
// trailing backslash is removed first. A folder, a missing or unreadable file and
// the empty path give false.
bool FileExists(const std::filesystem::path& path);

// A file name beside `file` (its name plus a random suffix) that does not exist yet.
std::filesystem::path UnusedNameBeside(const std::filesystem::path& file);

// A path from UTF-8 bytes, on every target (the plain std::string constructor
// would use the ANSI code page on Windows); the empty path when the bytes are
// not UTF-8 where the target has to convert them.
std::filesystem::path PathFromUtf8(std::string_view utf8);

}  // namespace cindral::config
