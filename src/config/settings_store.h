#pragma once
// The four settings in the settings file: loading at start-up, saving from the
// settings window, and where the file lives.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "config/settings.h"
#include "config/settings_path.h"

namespace cindral::config {

// Section and key names as the bytes stored in the file. The key names are
// Shift-JIS on every system: converting them through another code page would
// turn different keys into the same text and lose a setting.
inline constexpr std::string_view kSettingsSection = "Section";
inline constexpr std::string_view kFireKindKey =
    "\x89\x8A"
    "\x82\xCC"
    "\x8E\xED"
    "\x97\xDE";  // 炎の種類
inline constexpr std::string_view kMusicKindKey =
    "BGM"
    "\x8B\xE6"
    "\x95\xAA";  // BGM区分
inline constexpr std::string_view kRepeatTrackKey =
    "BGM"
    "\xD8\xCB\xDF\xB0\xC4";  // BGMﾘﾋﾟｰﾄ
inline constexpr std::string_view kMusicFileKey =
    "BGM"
    "\xCC\xA7\xB2\xD9";  // BGMﾌｧｲﾙ

// The largest integer not above the decimal number `text` denotes (optional
// blanks, optional sign, digits with an optional fraction and exponent); nullopt
// when the text is not such a number or the result does not fit in 16 bits.
std::optional<std::int16_t> ParseSettingNumber(std::string_view text);

// Leading-blank decimal: " 3" for 3, "-2" for -2.
std::string FormatSettingNumber(std::int16_t value);

// How the music file's path is written in the file. Unset members keep the
// bytes as they are (UTF-8); a platform whose older files hold the path in
// another encoding converts here. `toStored` gives nothing for a path the file
// cannot hold, which is then saved as no file.
struct StoredPathCodec {
    std::function<std::string(std::string_view stored)> toUtf8;
    std::function<std::optional<std::string>(std::string_view utf8)> toStored;
};

// Loads the four keys of `file` into `settings`. A missing file or key reads as
// empty: an empty number sets 0, a number that cannot be read or does not fit
// leaves its value as it was. A music file that is empty or not an existing file
// empties MusicFile and turns MusicKind 2 into 0 (in memory only).
void LoadSettings(Settings& settings, const std::filesystem::path& file,
                  const StoredPathCodec& codec = {});

// The music-file rule of LoadSettings on its own: a MusicFile that is empty or
// names no existing file is emptied, and MusicKind 2 becomes 0.
void ForgetMissingMusicFile(Settings& settings);

// Writes the four keys, in the order fire kind, music kind, repeat track, music
// file, into one replacement of `file`; creates the file's folder when missing.
// False when nothing could be stored.
bool SaveSettings(const Settings& settings, const std::filesystem::path& file,
                  const StoredPathCodec& codec = {});

}  // namespace cindral::config
