#pragma once
// What the settings window end-to-end tests on Linux and under Wine share: the
// client positions of the layout they click, the settings file the clicks
// must leave, byte for byte, and what a screenshot of the window must show.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../saver/e2e_support.h"

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
// The same point in a window laid out `scale` times larger (on a denser
// screen): rounded down, it stays on the centre pixel of a marker.
inline At Scaled(At at, double scale) {
    return {static_cast<int>(at.x * scale), static_cast<int>(at.y * scale)};
}

// One session of the window: the file it opens on (none when empty), clicks
// (with button 1, 2 or 3), text typed into the combo box, more clicks, then
// "設定" with `saveButton`; `after` is the file that must be left.
struct ClickStep {
    At at;
    int button;
};
struct ClickCase {
    std::string before;
    std::vector<ClickStep> clicks;
    std::string typed;  // into the combo box, when not empty
    std::vector<ClickStep> then;
    int saveButton;
    std::string after;
};

// The sessions both platforms must agree on; `song` is an existing music
// file as the program names it.
inline std::vector<ClickCase> ClickCases(const std::string& song) {
    return {
        // A preview with the right button; each music label; a track typed.
        {IniFile(" 0", " 0", " 0", ""),
         {{Preview(5), 3}, {MusicLabel(2), 1}, {MusicLabel(0), 1}, {MusicLabel(1), 1}, {kCombo, 1}},
         "12",
         {},
         3,
         IniFile(" 5", " 1", " 12", "")},
        // A marker, then the random choice; text that is no number stores 0,
        // and "無し" (which disables the combo box) keeps and stores the path.
        {IniFile(" 3", " 2", " 4", song),
         {{FireMarker(2), 1}, {kRandomLabel, 1}, {MusicMarker(1), 1}, {kCombo, 1}},
         "x",
         {{MusicMarker(0), 1}},
         1,
         IniFile(" 8", " 0", " 0", song)},
        // No settings file at all: the values load as 0 and are all written.
        {"", {{Preview(7), 2}}, "", {}, 1, IniFile(" 7", " 0", " 0", "")},
    };
}

// The window opened on a file with fire kind `fire` and music kind `music`:
// the backdrop's colours, the panels' texture, and one red marker per group;
// `scale` is the window's size over its layout's.
inline void ExpectBackdropTextureAndMarkers(const Picture& p, int fire, int music,
                                            double scale = 1.0) {
    const auto S = [scale](int v) { return static_cast<int>(v * scale); };
    // Backdrop: RGB(0, 0, 30) on the top row, RGB(220, 220, 250) in the middle.
    for (int x : {0, 8, 300, 540}) {
        EXPECT_EQ(p.R(S(x), 0), 0);
        EXPECT_EQ(p.G(S(x), 0), 0);
        EXPECT_EQ(p.B(S(x), 0), 30);
    }
    for (int x : {5, 540}) {
        EXPECT_EQ(p.R(S(x), S(196)), 220);
        EXPECT_EQ(p.G(S(x), S(196)), 220);
        EXPECT_EQ(p.B(S(x), S(196)), 250);
    }
    // Texture on free parts of both panels: average near RGB 197, 194, 193.
    struct Area {
        int x0, y0, x1, y1;
    };
    for (const Area& a : {Area{20, 192, 530, 203}, Area{345, 252, 530, 282}}) {
        double r = 0, g = 0, b = 0, n = 0;
        for (int y = S(a.y0); y < S(a.y1); ++y) {
            for (int x = S(a.x0); x < S(a.x1); ++x, ++n) {
                r += p.R(x, y);
                g += p.G(x, y);
                b += p.B(x, y);
            }
        }
        EXPECT_NEAR(r / n, 197, 4);
        EXPECT_NEAR(g / n, 194, 4);
        EXPECT_NEAR(b / n, 193, 4);
    }
    const auto red = [&p, scale](At at) {
        at = Scaled(at, scale);
        return p.R(at.x, at.y) > 180 && p.G(at.x, at.y) < 80 && p.B(at.x, at.y) < 80;
    };
    for (int k = 0; k <= 8; ++k) EXPECT_EQ(red(FireMarker(k)), k == fire) << k;
    for (int k = 0; k <= 2; ++k) EXPECT_EQ(red(MusicMarker(k)), k == music) << k;
}

}  // namespace cindral::e2e::settings_window
