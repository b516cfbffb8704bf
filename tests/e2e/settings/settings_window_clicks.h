#pragma once
// What the settings window end-to-end tests on Linux and under Wine share: the
// client positions of the layout they click, and the settings file the clicks
// must leave, byte for byte.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace cindral::e2e::settings_window {

// The keys as the settings file stores them, in Shift-JIS.
inline const std::string kFireKey = "\x89\x8A\x82\xCC\x8E\xED\x97\xDE";  // 炎の種類
inline const std::string kMusicKey = "BGM\x8B\xE6\x95\xAA";              // BGM区分
inline const std::string kRepeatKey = "BGM\xD8\xCB\xDF\xB0\xC4";         // BGMﾘﾋﾟｰﾄ
inline const std::string kFileKey = "BGM\xCC\xA7\xB2\xD9";               // BGMﾌｧｲﾙ

inline std::string IniFile(const std::string& fire, const std::string& music,
                           const std::string& track, const std::string& file) {
    return "[Section]\r\n" + kFireKey + "=" + fire + "\r\n" + kMusicKey + "=" + music + "\r\n" +
           kRepeatKey + "=" + track + "\r\n" + kFileKey + "=" + file + "\r\n";
}

inline std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Client-area positions of the layout: panel contents sit inside a one-pixel
// border at (16, 16) and (16, 220).
struct At {
    int x, y;
};
constexpr int kFire = 17, kMusicTop = 221;
inline At Preview(int kind) {
    return {kFire + 48 + 116 * (kind % 4) + 42, kFire + (kind < 4 ? 36 : 108) + 32};
}
inline At FireMarker(int kind) {
    if (kind == 8) return {kFire + 148 + 6, kFire + 12 + 6};
    return {kFire + 32 + 116 * (kind % 4) + 6, kFire + (kind < 4 ? 36 : 108) + 6};
}
inline int MusicRow(int kind) { return kind == 1 ? 12 : kind == 0 ? 28 : 44; }
inline At MusicMarker(int kind) { return {kFire + 124 + 6, kMusicTop + MusicRow(kind) + 6}; }
inline At MusicLabel(int kind) { return {kFire + 140 + 10, kMusicTop + MusicRow(kind) + 6}; }
inline const At kRandomLabel{kFire + 164 + 30, kFire + 12 + 6};
inline const At kCombo{kFire + 208 + 12, kMusicTop + 8 + 10};
inline const At kSave{360 + 44, 340 + 16};
inline const At kCancel{452 + 40, 340 + 16};

}  // namespace cindral::e2e::settings_window
