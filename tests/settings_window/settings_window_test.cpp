#include "settings_window/settings_window.h"

#include <gtest/gtest.h>

#include "fakes.h"

namespace cindral::settings_window::test_support {
namespace {

config::Settings Loaded(std::int16_t fire, std::int16_t music, std::int16_t track = 0,
                        std::string file = "") {
    return {fire, music, track, std::move(file)};
}

std::vector<std::string> Tiles(int panel, int lastY) {
    std::vector<std::string> out;
    for (int x : {0, 560}) {
        for (int y = 0; y <= lastY; y += 20) {
            out.push_back("tile " + std::to_string(panel) + " " + std::to_string(x) + "," +
                          std::to_string(y));
        }
    }
    return out;
}

TEST(SettingsLoad, RunsEveryStepInOrder) {
    Rig rig(Loaded(3, 1, 0, "/music/a.mp3"));
    rig.w.Load();

    std::vector<std::string> expected = {"screen", "outer size 555x418", "screen", "move 234,117"};
    // The fire panel's drawing area is 515 x 187 and the music panel's 515 x 107:
    // tiles down to the first one that starts below the bottom, in two columns
    // (the second starts right of the 515-pixel width and is clipped).
    for (const auto& t : Tiles(0, 200)) expected.push_back(t);
    for (const auto& t : Tiles(1, 120)) expected.push_back(t);
    for (int i = 0; i <= 8; ++i) expected.push_back("fire marker " + std::to_string(i) + " off");
    expected.push_back("fire marker 3 on");
    for (int i = 0; i <= 2; ++i) expected.push_back("music marker " + std::to_string(i) + " off");
    for (const char* l : {"button disabled", "combo disabled", "music marker 1 on", "combo enabled",
                          "combo text ''", "combo entry ''"}) {
        expected.push_back(l);
    }
    for (int t = 1; t <= 30; ++t) expected.push_back("combo entry '" + std::to_string(t) + "'");
    for (const char* l : {"file caption '/music/a.mp3'", "combo text ''", "cursor", "window rect",
                          "zoom 100,200,100,200 -> 234,117,789,535", "default pointer"}) {
        expected.push_back(l);
    }
    EXPECT_EQ(rig.log.lines, expected);
    EXPECT_EQ(rig.origin, (EffectOrigin{100, 200}));
}

struct LoadCase {
    std::int16_t fire, music, track;
    int fireOn;  // -1: no fire marker on
    int musicOn;
    bool combo, button;
    const char* text;
};

TEST(SettingsLoad, ShowsTheLoadedValues) {
    const LoadCase cases[] = {
        {0, 0, 0, 0, 0, false, false, ""},
        {7, 1, 7, 7, 1, true, false, "7"},
        {8, 2, -3, 8, 2, false, true, "-3"},
        {4, 0, 1234, 4, 0, false, false, "1234"},
        // Out-of-range kinds: no marker of the group, both controls disabled.
        {12, 5, 0, -1, -1, false, false, ""},
        {-1, -1, 0, -1, -1, false, false, ""},
        {9, 3, 0, -1, -1, false, false, ""},
    };
    for (const LoadCase& c : cases) {
        Rig rig(Loaded(c.fire, c.music, c.track, "/x.wav"));
        rig.w.Load();
        SCOPED_TRACE(std::to_string(c.fire) + "/" + std::to_string(c.music));
        for (int i = 0; i < kFireMarkers; ++i)
            EXPECT_EQ(rig.w.FireMarkers()[i], i == c.fireOn) << i;
        for (int i = 0; i < kMusicKinds; ++i) EXPECT_EQ(rig.w.MusicMarkers()[i], i == c.musicOn);
        EXPECT_EQ(rig.w.RepeatComboEnabled(), c.combo);
        EXPECT_EQ(rig.w.FileButtonEnabled(), c.button);
        EXPECT_EQ(rig.w.RepeatText(), c.text);
        EXPECT_EQ(rig.w.FileCaption(), "/x.wav");
        EXPECT_EQ(rig.w.RepeatList().size(), 31u);
        // What is shown is what the view was told last.
        EXPECT_EQ(rig.log.Starting("combo text").back(),
                  std::string("combo text '") + c.text + "'");
        // Loading changes none of the values.
        EXPECT_EQ(rig.settings.FireKind, c.fire);
        EXPECT_EQ(rig.settings.MusicKind, c.music);
        EXPECT_EQ(rig.settings.RepeatTrack, c.track);
    }
}

TEST(SettingsLoad, AFailingStepIsSkippedAndTheRestRuns) {
    struct Case {
        const char* failing;
        const char* skipped;  // a line that is missing afterwards (nullptr: none)
    };
    const Case cases[] = {
        {"screen", "outer size 555x418"},
        {"outer size 555x418", nullptr},
        {"tile 0 0,0", nullptr},
        {"fire marker 2 off", nullptr},
        {"music marker 1 on", nullptr},  // the combo is still enabled after it
        {"combo text ''", nullptr},
        {"combo entry '5'", nullptr},
        {"file caption '/x.wav'", nullptr},
        {"window rect", "zoom 100,200,100,200 -> 234,117,789,535"},
        {"zoom 100,200,100,200 -> 234,117,789,535", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failing);
        Rig rig(Loaded(3, 1, 0, "/x.wav"));
        rig.log.failing = {c.failing};
        rig.w.Load();
        const auto& l = rig.log.lines;
        if (c.skipped) {
            EXPECT_EQ(std::count(l.begin(), l.end(), c.skipped), 0);
        }
        // Whatever failed, the last steps still ran.
        EXPECT_EQ(l.back(), "default pointer");
        EXPECT_EQ(rig.log.Starting("combo entry").size(), 31u);
        EXPECT_EQ(rig.log.Starting("file caption").size(), 1u);
        EXPECT_TRUE(rig.w.FireMarkers()[3]);
        EXPECT_EQ(std::count(l.begin(), l.end(), "combo enabled"), 1);
    }
    // The second step asks for the screen again, so a failing first step still
    // moves the window.
    Rig rig(Loaded(0, 0));
    rig.log.failing = {"outer size 555x418"};
    rig.w.Load();
    EXPECT_EQ(rig.log.Starting("move"), std::vector<std::string>{"move 234,117"});
}

TEST(SettingsLoad, EffectOriginComesFromTheCursor) {
    struct Case {
        std::optional<Point> cursor;
        bool cursorFails;
        EffectOrigin origin;
        const char* zoom;
    };
    const Case cases[] = {
        {Point{100, 200}, false, {100, 200}, "zoom 100,200,100,200 -> 234,117,789,535"},
        // Low 16 bits as signed values: 70000 -> 4464, 40000 -> -25536.
        {Point{70000, 40000},
         false,
         {4464, -25536},
         "zoom 4464,-25536,4464,-25536 -> 234,117,789,535"},
        {Point{-70000, -1}, false, {-4464, -1}, "zoom -4464,-1,-4464,-1 -> 234,117,789,535"},
        {std::nullopt, false, {0, 0}, "zoom 0,0,0,0 -> 234,117,789,535"},
        {Point{5, 5}, true, {0, 0}, "zoom 0,0,0,0 -> 234,117,789,535"},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.origin = {9, 9};
        rig.window.cursor = c.cursor;
        if (c.cursorFails) rig.log.failing = {"cursor"};
        rig.w.Load();
        EXPECT_EQ(rig.origin, c.origin);
        EXPECT_EQ(rig.log.Starting("zoom"), std::vector<std::string>{c.zoom});
    }
}

TEST(SettingsLoad, ResizeDrawsTheBackdropOverTheWholeClientArea) {
    Rig rig;
    rig.w.Resized();
    const auto lines = rig.log.Starting("backdrop");
    ASSERT_EQ(lines.size(), 394u);  // y = 0 to 393, both ends
    EXPECT_EQ(lines.front(), "backdrop 0 549 0,0,30");
    EXPECT_EQ(lines[196], "backdrop 196 549 220,220,250");
    EXPECT_EQ(lines.back(), "backdrop 393 549 0,0,30");
}

// At 144 dots per inch (10 twips per pixel) the window is 1.5 times its
// layout: Pic_C 824 x 590, the panels' drawing areas 774 x 282 and 774 x 162.
// Tiles keep their 560 x 20 pixels (pictures grow by whole pixels only).
std::vector<std::string> ScaledTiles(int panel, int lastY) {
    std::vector<std::string> out;
    for (int x : {0, 560, 1120}) {
        for (int y = 0; y <= lastY; y += 20) {
            out.push_back("tile " + std::to_string(panel) + " " + std::to_string(x) + "," +
                          std::to_string(y));
        }
    }
    return out;
}

TEST(SettingsLoad, ADenserScreenScalesTheFrameTilesAndBackdrop) {
    // Loaded at 144 dpi, and a 96-dpi window moved to a 144-dpi screen.
    for (bool moved : {false, true}) {
        SCOPED_TRACE(moved);
        Rig rig;
        if (!moved) rig.window.screen = {{1920, 1080}, 10.0, 10.0};
        rig.w.Load();
        if (moved) {
            rig.log.lines.clear();
            rig.window.screen = {{1920, 1080}, 10.0, 10.0};
            rig.w.ScreenChanged();
        } else {
            const auto frame = rig.log.Starting("outer size");
            ASSERT_EQ(frame.size(), 1u);
            EXPECT_EQ(frame[0], "outer size 830x615");
            EXPECT_EQ(rig.log.Starting("move"), std::vector<std::string>{"move 545,155"});
        }
        std::vector<std::string> tiles = ScaledTiles(0, 300);
        for (const auto& t : ScaledTiles(1, 180)) tiles.push_back(t);
        EXPECT_EQ(rig.log.Starting("tile"), tiles);
        rig.w.Resized();
        const auto lines = rig.log.Starting("backdrop");
        ASSERT_EQ(lines.size(), (moved ? 2u : 1u) * 591u);  // y = 0 to 590
        EXPECT_EQ(lines.front(), "backdrop 0 824 0,0,30");
        EXPECT_EQ(lines[295], "backdrop 295 824 220,220,250");
        EXPECT_EQ(lines.back(), "backdrop 590 824 0,0,30");
    }
}

TEST(SettingsEvents, PressingAPreviewOrMarkerSelectsThatFireKind) {
    for (ControlId control : {ControlId::FireImage, ControlId::FireMarker}) {
        for (int kind = 0; kind <= 7; ++kind) {
            Rig rig(Loaded(8, 0));
            rig.Loaded().w.MouseDown(control, kind);
            EXPECT_EQ(rig.settings.FireKind, kind);
            for (int i = 0; i < kFireMarkers; ++i) EXPECT_EQ(rig.w.FireMarkers()[i], i == kind);
            EXPECT_EQ(rig.log.Starting("fire marker").back(),
                      "fire marker " + std::to_string(kind) + " on");
        }
    }
    // The random choice's own marker takes a press too.
    Rig rig(Loaded(2, 0));
    rig.Loaded().w.MouseDown(ControlId::FireMarker, 8);
    EXPECT_EQ(rig.settings.FireKind, 8);
    EXPECT_EQ(CountOn(rig.w.FireMarkers()), 1);
    EXPECT_TRUE(rig.w.FireMarkers()[8]);
}

TEST(SettingsEvents, RandomLabelActsOnClickOnly) {
    Rig rig(Loaded(5, 0));
    rig.Loaded().w.MouseDown(ControlId::RandomLabel);
    EXPECT_EQ(rig.settings.FireKind, 5);
    EXPECT_TRUE(rig.log.lines.empty());

    rig.w.Click(ControlId::RandomLabel);
    EXPECT_EQ(rig.settings.FireKind, 8);
    EXPECT_EQ(CountOn(rig.w.FireMarkers()), 1);
    EXPECT_TRUE(rig.w.FireMarkers()[8]);
    // Markers 0..7 go off, then the random one on; its own is not switched off.
    std::vector<std::string> expected;
    for (int i = 0; i <= 7; ++i) expected.push_back("fire marker " + std::to_string(i) + " off");
    expected.push_back("fire marker 8 on");
    EXPECT_EQ(rig.log.lines, expected);

    // A preview pressed afterwards turns the random marker off.
    rig.w.MouseDown(ControlId::FireImage, 6);
    EXPECT_FALSE(rig.w.FireMarkers()[8]);
    EXPECT_TRUE(rig.w.FireMarkers()[6]);
    EXPECT_EQ(rig.settings.FireKind, 6);
}

TEST(SettingsEvents, SelectingAMusicKindSetsMarkersAndEnabledStates) {
    struct Case {
        int kind;
        bool combo, button;
    };
    const Case cases[] = {{0, false, false}, {1, true, false}, {2, false, true}};
    for (ControlId control : {ControlId::MusicMarker, ControlId::MusicLabel}) {
        for (const Case& c : cases) {
            for (std::int16_t from : {0, 1, 2}) {
                Rig rig(Loaded(0, from, 4, "/m/song.mp3"));
                rig.Loaded().w.MouseDown(control, c.kind);
                EXPECT_EQ(rig.settings.MusicKind, c.kind);
                for (int i = 0; i < kMusicKinds; ++i)
                    EXPECT_EQ(rig.w.MusicMarkers()[i], i == c.kind);
                EXPECT_EQ(rig.w.RepeatComboEnabled(), c.combo);
                EXPECT_EQ(rig.w.FileButtonEnabled(), c.button);
                // The path, its caption and the combo text stay.
                EXPECT_EQ(rig.settings.MusicFile, "/m/song.mp3");
                EXPECT_EQ(rig.w.FileCaption(), "/m/song.mp3");
                EXPECT_EQ(rig.w.RepeatText(), "4");
                EXPECT_EQ(rig.log.Starting("file caption").size(), 0u);
            }
        }
    }
}

TEST(SettingsEvents, ControlsWithoutHandlersDoNothing) {
    const ControlId idle[] = {ControlId::PicC,   ControlId::Panel,       ControlId::TitleFrame,
                              ControlId::Title,  ControlId::RepeatLabel, ControlId::FileName,
                              ControlId::Credit, ControlId::RepeatCombo};
    for (ControlId c : idle) {
        Rig rig(Loaded(1, 2, 0, "/a.wav"));
        rig.Loaded().w.MouseDown(c);
        rig.w.Click(c);
        EXPECT_TRUE(rig.log.lines.empty());
    }
    // Clicks on previews, markers and buttons (the buttons' keyboard click)
    // are not handled either.
    for (ControlId c : {ControlId::FireImage, ControlId::FireMarker, ControlId::MusicMarker,
                        ControlId::MusicLabel, ControlId::SaveButton, ControlId::CancelButton,
                        ControlId::FileButton}) {
        Rig rig(Loaded(1, 2, 0, "/a.wav"));
        rig.Loaded().w.Click(c, 0);
        EXPECT_TRUE(rig.log.lines.empty());
        EXPECT_FALSE(rig.w.Unloaded());
    }
}

TEST(SettingsEvents, EveryGroupKeepsExactlyOneMarkerOn) {
    struct Event {
        ControlId control;
        int index;
        bool click;
    };
    const std::vector<Event> events = {
        {ControlId::FireImage, 2, false},   {ControlId::RandomLabel, 0, true},
        {ControlId::MusicLabel, 2, false},  {ControlId::FireMarker, 7, false},
        {ControlId::MusicMarker, 1, false}, {ControlId::FireMarker, 8, false},
        {ControlId::MusicLabel, 0, false},  {ControlId::FireImage, 0, false},
        {ControlId::MusicMarker, 2, false}, {ControlId::RandomLabel, 0, true},
    };
    // From an out-of-range start as well: the first selection repairs the group.
    for (std::int16_t start : {0, 12}) {
        Rig rig(Loaded(start, static_cast<std::int16_t>(start == 0 ? 0 : 7)));
        rig.w.Load();
        for (const Event& e : events) {
            if (e.click) {
                rig.w.Click(e.control, e.index);
            } else {
                rig.w.MouseDown(e.control, e.index);
            }
            EXPECT_EQ(CountOn(rig.w.FireMarkers()), 1);
            EXPECT_TRUE(rig.w.FireMarkers()[static_cast<std::size_t>(rig.settings.FireKind)]);
            if (e.control == ControlId::MusicLabel || e.control == ControlId::MusicMarker ||
                start == 0) {
                EXPECT_EQ(CountOn(rig.w.MusicMarkers()), 1);
                EXPECT_TRUE(rig.w.MusicMarkers()[static_cast<std::size_t>(rig.settings.MusicKind)]);
            }
            EXPECT_EQ(rig.w.RepeatComboEnabled(), rig.settings.MusicKind == config::kCdMusic);
            EXPECT_EQ(rig.w.FileButtonEnabled(), rig.settings.MusicKind == config::kFileMusic);
        }
    }
}

TEST(SettingsEvents, FileButtonChoosesTheMusicFile) {
    struct Case {
        std::optional<std::string> answer;
        const char* expected;  // MusicFile afterwards
    };
    const std::string longest(254, 'a');
    std::string kanji;
    for (int i = 0; i < 254; ++i) kanji += "曲";
    const Case cases[] = {
        {std::string("/home/u/Music/炎.MP3"), "/home/u/Music/炎.MP3"},
        {std::nullopt, "/old.wav"},     // cancelled
        {std::string(""), "/old.wav"},  // no path
        {longest, longest.c_str()},     // fits the 255-character buffer
        {longest + "b", "/old.wav"},    // one character too long
        {kanji, kanji.c_str()},         // counted in characters, not bytes
    };
    for (const Case& c : cases) {
        Rig rig(Loaded(0, 2, 0, "/old.wav"));
        rig.Loaded();
        rig.dialog.answer = c.answer;
        rig.w.MouseDown(ControlId::FileButton);
        EXPECT_EQ(rig.log.Starting("dialog").size(), 1u);
        EXPECT_EQ(rig.settings.MusicFile, c.expected);
        EXPECT_EQ(rig.w.FileCaption(), c.expected);
        EXPECT_TRUE(rig.sink.saved.empty());
        EXPECT_FALSE(rig.w.Unloaded());
    }
    // A disabled "..." raises nothing: the dialog does not open.
    for (std::int16_t kind : {0, 1}) {
        Rig rig(Loaded(0, kind, 0, "/old.wav"));
        rig.Loaded();
        rig.dialog.answer = "/new.mp3";
        rig.w.MouseDown(ControlId::FileButton);
        EXPECT_TRUE(rig.log.lines.empty());
        EXPECT_EQ(rig.settings.MusicFile, "/old.wav");
    }
}

TEST(SettingsEvents, CancelAndCloseBoxUnloadWithoutSaving) {
    for (bool closeBox : {false, true}) {
        Rig rig(Loaded(1, 1, 3, "/a.mp3"));
        rig.Loaded();
        rig.w.MouseDown(ControlId::FireImage, 4);
        rig.w.MouseDown(ControlId::MusicLabel, 2);
        rig.w.RepeatTextEdited("9");
        rig.log.lines.clear();
        if (closeBox) {
            rig.w.CloseBox();
        } else {
            rig.w.MouseDown(ControlId::CancelButton);
        }
        EXPECT_TRUE(rig.sink.saved.empty());
        EXPECT_TRUE(rig.w.Unloaded());
        EXPECT_EQ(rig.log.lines,
                  (std::vector<std::string>{"window rect",
                                            "zoom 234,117,789,535 -> 100,200,100,200", "close"}));
        // After unloading nothing reacts any more.
        rig.w.MouseDown(ControlId::SaveButton);
        rig.w.CloseBox();
        rig.w.Click(ControlId::RandomLabel);
        EXPECT_EQ(rig.log.lines.size(), 3u);
        EXPECT_TRUE(rig.sink.saved.empty());
    }
}

}  // namespace
}  // namespace cindral::settings_window::test_support
