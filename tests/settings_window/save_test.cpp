#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "../config/store_test_folder.h"
#include "config/settings_store.h"
#include "fakes.h"
#include "settings_window/file_settings_sink.h"
#include "settings_window/repeat_text.h"

namespace cindral::settings_window::test_support {
namespace {

TEST(SettingsSave, ComboTextBecomesTheRepeatTrack) {
    struct Case {
        const char* text;
        std::int16_t expected;  // with a previous track of 5
    };
    const Case cases[] = {
        {"", 0},        {"7", 7},         {"2.5", 2},         {"3.5", 4},
        {"x", 0},       {" 12 ", 12},     {"-3", -3},         {"+6", 6},
        {"1e3", 1000},  {".5", 0},        {"1.5", 2},         {"30.", 30},
        {"-2.5", -2},   {"32767", 32767}, {"-32768", -32768}, {"-32768.5", -32768},
        {"32767.5", 5}, {"40000", 5},     {"-32769", 5},      {"1e400", 5},
        {"1e-400", 0},  {".", 0},         {"inf", 0},         {"nan", 0},
        {"0x10", 0},    {"7a", 0},        {"1e", 0},          {"--1", 0},
        {"１２", 0},    {"   ", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Rig rig(config::Settings{2, 1, 5, "/a.mp3"});
        rig.Loaded();
        rig.w.RepeatTextEdited(c.text);
        rig.w.MouseDown(ControlId::SaveButton);
        ASSERT_EQ(rig.sink.saved.size(), 1u);
        EXPECT_EQ(rig.sink.saved[0].RepeatTrack, c.expected);
        EXPECT_EQ(rig.settings.RepeatTrack, c.expected);
    }
}

TEST(SettingsSave, SavesAllFourValuesThenUnloads) {
    struct Case {
        config::Settings loaded;
        std::vector<std::pair<ControlId, int>> presses;
        config::Settings saved;
    };
    const Case cases[] = {
        // Untouched: a fire kind of 12 is written back as it was.
        {{12, 0, 0, ""}, {}, {12, 0, 0, ""}},
        // "無し" keeps and stores the path and the track.
        {{1, 2, 4, "/m/a.wav"}, {{ControlId::MusicLabel, 0}}, {1, 0, 4, "/m/a.wav"}},
        {{0, 0, 0, "/m/a.wav"},
         {{ControlId::FireImage, 6}, {ControlId::MusicMarker, 1}},
         {6, 1, 0, "/m/a.wav"}},
        {{3, 1, 0, ""}, {{ControlId::FireMarker, 8}}, {8, 1, 0, ""}},
    };
    for (const Case& c : cases) {
        Rig rig(c.loaded);
        rig.Loaded();
        for (const auto& [control, index] : c.presses) rig.w.MouseDown(control, index);
        rig.log.lines.clear();
        rig.w.MouseDown(ControlId::SaveButton);
        ASSERT_EQ(rig.sink.saved.size(), 1u);
        const config::Settings& s = rig.sink.saved[0];
        EXPECT_EQ(s.FireKind, c.saved.FireKind);
        EXPECT_EQ(s.MusicKind, c.saved.MusicKind);
        EXPECT_EQ(s.RepeatTrack, c.saved.RepeatTrack);
        EXPECT_EQ(s.MusicFile, c.saved.MusicFile);
        EXPECT_EQ(rig.log.lines,
                  (std::vector<std::string>{"save", "window rect",
                                            "zoom 234,117,789,535 -> 100,200,100,200", "close"}));
    }
}

TEST(SettingsSave, AFailingSaveStillClosesTheWindow) {
    Rig rig(config::Settings{1, 0, 0, ""});
    rig.Loaded();
    rig.log.failing = {"save", "window rect"};
    rig.w.MouseDown(ControlId::SaveButton);
    EXPECT_EQ(rig.log.lines, (std::vector<std::string>{"save", "window rect", "close"}));
    EXPECT_TRUE(rig.w.Unloaded());
}

std::string Key(std::string_view k) { return std::string(k); }

TEST(SettingsSave, FileSinkWritesTheFourKeysInOrder) {
    config::test_support::TestFolder folder;
    const auto ini = folder / "Cindral.ini";
    std::ostringstream diagnostics;
    FileSettingsSink sink(ini, diagnostics);
    sink.Save(config::Settings{8, 0, 2, "/music/火.mp3"});
    using namespace config;
    EXPECT_EQ(config::test_support::ReadBytes(ini),
              "[Section]\r\n" + Key(config::kFireKindKey) + "= 8\r\n" + Key(config::kMusicKindKey) +
                  "= 0\r\n" + Key(config::kRepeatTrackKey) + "= 2\r\n" +
                  Key(config::kMusicFileKey) + "=/music/火.mp3\r\n");
    EXPECT_FALSE(sink.Failed());
    EXPECT_TRUE(diagnostics.str().empty());

    // A settings path that cannot be written is told on the diagnostics stream.
    config::test_support::WriteBytes(folder / "file", "x");
    FileSettingsSink blocked(folder / "file" / "Cindral.ini", diagnostics);
    blocked.Save(config::Settings{});
    EXPECT_TRUE(blocked.Failed());
    EXPECT_NE(diagnostics.str().find("could not save the settings"), std::string::npos);
}

TEST(SettingsSave, FileSinkStoresTheMusicPathAsItsCodecHasIt) {
    config::test_support::TestFolder folder;
    const auto ini = folder / "Cindral.ini";
    std::ostringstream diagnostics;
    config::StoredPathCodec codec;
    codec.toStored = [](std::string_view utf8) -> std::optional<std::string> {
        return "stored:" + std::string(utf8);
    };
    FileSettingsSink sink(ini, diagnostics, codec);
    sink.Save(config::Settings{1, 2, 0, "/music/a.mp3"});
    EXPECT_NE(config::test_support::ReadBytes(ini).find(Key(config::kMusicFileKey) +
                                                        "=stored:/music/a.mp3\r\n"),
              std::string::npos);
}

TEST(SettingsSave, TrackTextFormats) {
    // "##": digits, the empty text for 0, a minus sign before a negative value.
    const std::pair<std::int16_t, const char*> cases[] = {
        {0, ""},      {1, "1"},         {30, "30"},        {-3, "-3"},
        {999, "999"}, {32767, "32767"}, {-32768, "-32768"}};
    for (const auto& [track, text] : cases) EXPECT_EQ(FormatTrack(track), text);
    const std::vector<std::string> entries = RepeatEntries();
    ASSERT_EQ(entries.size(), 31u);
    EXPECT_EQ(entries.front(), "");  // the blank entry stands for 0
    for (int t = 1; t <= 30; ++t) EXPECT_EQ(TrackFromText(entries[t], -1), t);
}

}  // namespace
}  // namespace cindral::settings_window::test_support
