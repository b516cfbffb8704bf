#include "config/settings_store.h"

#include <algorithm>
#include <array>
#include <system_error>

#include "config/decimal_text.h"
#include "config/profile_file.h"
#include "config/profile_text.h"

namespace cindral::config {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// Sets `value` from the text of one numeric key; an unreadable number leaves it.
void LoadNumber(std::int16_t& value, const std::string& text) {
    if (text.empty()) {
        value = 0;
        return;
    }
    if (const std::optional<std::int16_t> number = ParseSettingNumber(text)) value = *number;
}

}  // namespace

std::optional<std::int16_t> ParseSettingNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    const std::optional<DecimalText> number = ParseDecimalText(text);
    if (!number) return std::nullopt;
    const std::string& digits = number->digits;
    const long long point = number->point;
    const bool negative = number->negative;

    // The number is 0.<digits from firstNonZero> x 10^(point - firstNonZero).
    const std::size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos) return std::int16_t{0};
    if (point - static_cast<long long>(firstNonZero) > 5) return std::nullopt;  // >= 100000

    long long whole = 0;
    bool fraction = false;
    for (long long d = static_cast<long long>(firstNonZero); d < std::max<long long>(point, 0);
         ++d) {
        whole = whole * 10 + (d < static_cast<long long>(digits.size()) ? digits[d] - '0' : 0);
    }
    for (std::size_t d = static_cast<std::size_t>(std::max<long long>(point, 0)); d < digits.size();
         ++d) {
        if (digits[d] != '0') fraction = true;
    }
    const long long floored = negative ? -whole - (fraction ? 1 : 0) : whole;
    if (floored < -32768 || floored > 32767) return std::nullopt;
    return static_cast<std::int16_t>(floored);
}

std::string FormatSettingNumber(std::int16_t value) {
    return value >= 0 ? " " + std::to_string(value) : std::to_string(value);
}

void LoadSettings(Settings& settings, const std::filesystem::path& file,
                  const StoredPathCodec& codec) {
    const std::string content = ReadProfileFile(file).value_or(std::string());
    const auto read = [&](std::string_view key) {
        return ReadProfileValue(content, kSettingsSection, key);
    };
    LoadNumber(settings.FireKind, read(kFireKindKey));
    LoadNumber(settings.MusicKind, read(kMusicKindKey));
    LoadNumber(settings.RepeatTrack, read(kRepeatTrackKey));

    settings.MusicFile = read(kMusicFileKey);
    if (codec.toUtf8) settings.MusicFile = codec.toUtf8(settings.MusicFile);
    ForgetMissingMusicFile(settings);
}

void ForgetMissingMusicFile(Settings& settings) {
    if (settings.MusicFile.empty() || !FileExists(PathFromUtf8(settings.MusicFile))) {
        settings.MusicFile.clear();
        if (settings.MusicKind == kFileMusic) settings.MusicKind = kNoMusic;
    }
}

bool SaveSettings(const Settings& settings, const std::filesystem::path& file,
                  const StoredPathCodec& codec) {
    std::error_code ec;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
    const std::string fireKind = FormatSettingNumber(settings.FireKind);
    const std::string musicKind = FormatSettingNumber(settings.MusicKind);
    const std::string repeatTrack = FormatSettingNumber(settings.RepeatTrack);
    const std::string musicFile = codec.toStored
                                      ? codec.toStored(settings.MusicFile).value_or(std::string())
                                      : settings.MusicFile;
    const std::array<ProfileEntry, 4> entries{{
        {kFireKindKey, fireKind},
        {kMusicKindKey, musicKind},
        {kRepeatTrackKey, repeatTrack},
        {kMusicFileKey, musicFile},
    }};
    return WriteIniValues(kSettingsSection, entries, file);
}

}  // namespace cindral::config
