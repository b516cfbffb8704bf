#include "startup/hack_command_line.h"

#include <gtest/gtest.h>

#include <fstream>

#include "../config/store_test_folder.h"

namespace cindral::startup {
namespace {

using Args = std::vector<std::string>;

TEST(HackCommandLine, ScreenSaverLinesAreNotHackLines) {
    for (const Args& args :
         {Args{}, Args{"/s"}, Args{"-S"}, Args{"/p", "4711"}, Args{"/c:4711"}, Args{"-r"},
          Args{"/root"}, Args{"root"}, Args{"---root"}, Args{"-window"}, Args{"--fire"}}) {
        EXPECT_FALSE(ParseHackCommandLine(args)) << (args.empty() ? "" : args[0]);
    }
}

TEST(HackCommandLine, TargetsAndOverridesInEitherSpelling) {
    struct Case {
        Args args;
        std::optional<std::uint32_t> windowId;
        HackOverrides overrides;
    };
    const Case cases[] = {
        {{"-root"}, std::nullopt, {}},
        {{"--root"}, std::nullopt, {}},
        {{"-window-id", "4711"}, 4711u, {}},
        {{"--window-id", "0x1a00007"}, 0x1a00007u, {}},
        {{"--window-id", "0X1A00007"}, 0x1a00007u, {}},
        // A dialog's preview adds -window-id to a line that says -root.
        {{"-root", "-window-id", "12"}, 12u, {}},
        {{"--window-id", "12", "--root"}, 12u, {}},
        {{"--window-id", "5", "--window-id", "6"}, 6u, {}},
        {{"--root", "--fire-kind", "8", "--music-kind", "2", "--repeat-track", "99", "--music-file",
          "/m/a b.mp3"},
         std::nullopt,
         {8, 2, 99, "/m/a b.mp3"}},
        {{"-fire-kind", "0", "-music-kind", "0", "-repeat-track", "0", "-music-file", "", "-root"},
         std::nullopt,
         {0, 0, 0, ""}},
        {{"--music-file", "-root", "--root"}, std::nullopt, {{}, {}, {}, "-root"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " .. " + c.args.back());
        auto line = ParseHackCommandLine(c.args);
        ASSERT_TRUE(line);
        EXPECT_EQ(line->error, "");
        EXPECT_EQ(line->windowId, c.windowId);
        EXPECT_EQ(line->overrides.fireKind, c.overrides.fireKind);
        EXPECT_EQ(line->overrides.musicKind, c.overrides.musicKind);
        EXPECT_EQ(line->overrides.repeatTrack, c.overrides.repeatTrack);
        EXPECT_EQ(line->overrides.musicFile, c.overrides.musicFile);
    }
}

TEST(HackCommandLine, LinesThatCannotRunSayWhy) {
    struct Case {
        Args args;
        std::string error;
    };
    const Case cases[] = {
        {{"--fire-kind", "3"}, "say which window to draw into: -root or -window-id ID"},
        {{"--root", "--fire-kind", "9"},
         "--fire-kind takes 0 to 8 (a fire kind, 8 a random one), not '9'"},
        {{"--root", "--fire-kind", "-1"},
         "--fire-kind takes 0 to 8 (a fire kind, 8 a random one), not '-1'"},
        {{"--root", "--fire-kind", "3x"},
         "--fire-kind takes 0 to 8 (a fire kind, 8 a random one), not '3x'"},
        {{"--root", "--music-kind", "3"},
         "--music-kind takes 0 to 2 (none, audio CD, music file), not '3'"},
        {{"--root", "--repeat-track", "100"},
         "--repeat-track takes 0 to 99 (0 the whole disc), not '100'"},
        {{"--root", "--repeat-track", ""},
         "--repeat-track takes 0 to 99 (0 the whole disc), not ''"},
        {{"--window-id"}, "--window-id needs a value"},
        {{"--root", "--music-file"}, "--music-file needs a value"},
        {{"--window-id", "0"}, "--window-id takes a window id (decimal or 0x-hex), not '0'"},
        {{"--window-id", "0x"}, "--window-id takes a window id (decimal or 0x-hex), not '0x'"},
        {{"--window-id", "12abc"},
         "--window-id takes a window id (decimal or 0x-hex), not '12abc'"},
        {{"--root", "/s"}, "unknown argument '/s'"},
        {{"-root", "--speed", "3"}, "unknown argument '--speed'"},
    };
    for (const auto& c : cases) {
        auto line = ParseHackCommandLine(c.args);
        ASSERT_TRUE(line) << c.error;
        EXPECT_EQ(line->error, c.error);
    }
}

// In layer mode the compositor gives the surface: the settings flags stand
// alone, and a window flag is refused rather than ignored.
TEST(HackCommandLine, LayerModeTakesOnlyTheSettingsFlags) {
    struct Case {
        Args args;
        std::string error;
        std::optional<std::int16_t> fireKind;
    };
    const std::string windowRefused =
        "layer mode draws where the compositor says: -root and -window-id do not apply";
    const Case cases[] = {
        {{"--fire-kind", "3"}, "", 3},
        {{"-music-kind", "0", "-fire-kind", "8"}, "", 8},
        {{"--root", "--fire-kind", "3"}, windowRefused, 3},
        {{"--window-id", "12"}, windowRefused, std::nullopt},
        {{"--fire-kind", "9"},
         "--fire-kind takes 0 to 8 (a fire kind, 8 a random one), not '9'",
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0]);
        auto line = ParseHackCommandLine(c.args, HackSurface::GivenByCompositor);
        ASSERT_TRUE(line);
        EXPECT_EQ(line->error, c.error);
        EXPECT_EQ(line->overrides.fireKind, c.fireKind);
    }
    EXPECT_FALSE(ParseHackCommandLine({}, HackSurface::GivenByCompositor));
}

TEST(HackCommandLine, WindowIdsAreDecimalOrHexWithinThirtyTwoBits) {
    const std::pair<std::string_view, std::optional<std::uint32_t>> cases[] = {
        {"1", 1u},
        {"4294967295", 4294967295u},
        {"0xffffffff", 4294967295u},
        {"0x0000002a", 42u},
        {"4294967296", std::nullopt},
        {"0x100000000", std::nullopt},
        {"0", std::nullopt},
        {"0x0", std::nullopt},
        {"", std::nullopt},
        {"-5", std::nullopt},
        {"+5", std::nullopt},
        {" 5", std::nullopt},
        {"0x-5", std::nullopt},
        {"0xg", std::nullopt},
        {"017", 17u},  // decimal: a leading zero is no octal prefix
    };
    for (const auto& [text, id] : cases) EXPECT_EQ(ParseWindowId(text), id) << text;
}

TEST(HackCommandLine, RootMeansTheDaemonsWindowWhenItNamesOne) {
    struct Case {
        Args args;
        std::optional<std::string> daemonWindow;
        bool root;
        std::uint32_t id;
        std::string error;
    };
    const Case cases[] = {
        {{"-root"}, std::nullopt, true, 0, ""},
        {{"-root"}, "0x400001", false, 0x400001, ""},
        {{"-root"}, "4194305", false, 4194305, ""},
        {{"-window-id", "77"}, "0x400001", false, 77, ""},  // the named window wins
        {{"-root"}, "", false, 0, "XSCREENSAVER_WINDOW names no window: ''"},
        {{"-root"}, "screen", false, 0, "XSCREENSAVER_WINDOW names no window: 'screen'"},
    };
    for (const auto& c : cases) {
        auto line = ParseHackCommandLine(c.args);
        ASSERT_TRUE(line);
        HackWindow w = ChooseHackWindow(*line, c.daemonWindow);
        EXPECT_EQ(w.root, c.root) << c.daemonWindow.value_or("unset");
        EXPECT_EQ(w.id, c.id) << c.daemonWindow.value_or("unset");
        EXPECT_EQ(w.error, c.error);
    }
}

TEST(HackCommandLine, OverridesReplaceOnlyTheGivenSettings) {
    config::test_support::TestFolder folder;
    const std::string song = (folder.path() / "song.mp3").string();
    std::ofstream(song) << "ID3";
    const config::Settings file{3, 1, 7, song};
    struct Case {
        HackOverrides overrides;
        config::Settings expected;
    };
    const Case cases[] = {
        {{}, {3, 1, 7, song}},
        {{5, {}, {}, {}}, {5, 1, 7, song}},
        {{{}, 2, {}, {}}, {3, 2, 7, song}},
        {{{}, {}, 0, {}}, {3, 1, 0, song}},
        {{8, 0, 12, song}, {8, 0, 12, song}},
        // A music file that is not there plays nothing, as when read from the file.
        {{{}, 2, {}, (folder.path() / "gone.mp3").string()}, {3, 0, 7, ""}},
        {{{}, 2, {}, ""}, {3, 0, 7, ""}},
        {{{}, {}, {}, ""}, {3, 1, 7, ""}},
    };
    for (const auto& c : cases) {
        config::Settings s = file;
        ApplyHackOverrides(c.overrides, s);
        EXPECT_EQ(s.FireKind, c.expected.FireKind);
        EXPECT_EQ(s.MusicKind, c.expected.MusicKind);
        EXPECT_EQ(s.RepeatTrack, c.expected.RepeatTrack);
        EXPECT_EQ(s.MusicFile, c.expected.MusicFile);
    }
}

}  // namespace
}  // namespace cindral::startup
