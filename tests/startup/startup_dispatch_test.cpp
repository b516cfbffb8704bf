#include "startup/startup_dispatch.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace cindral::startup {
namespace {

struct FakeWindows : WindowFinder {
    std::set<std::string> open;
    std::vector<std::string> looked;
    bool WindowExists(std::string_view caption) override {
        looked.emplace_back(caption);
        return open.count(std::string(caption)) > 0;
    }
};

struct FakeSystem : SystemServices {
    std::vector<std::string> calls;
    bool asksPassword = false;
    std::int32_t count = 0;
    std::int32_t ShowCursor(bool show) override {
        count += show ? 1 : -1;
        calls.push_back(show ? "ShowCursor(true)" : "ShowCursor(false)");
        return count;
    }
    void AnnounceSaverRunning(bool running) override {
        calls.push_back(running ? "SaverRunning(true)" : "SaverRunning(false)");
    }
    void ActivateSaverTimeout() override { calls.push_back("SaverTimeoutOn"); }
    bool AsksSaverPassword() override { return asksPassword; }
    bool AskSaverPassword(std::uintptr_t) override { return true; }
    void ChangeSaverPassword(std::int32_t owner) override {
        calls.push_back("ChangeSaverPassword(" + std::to_string(owner) + ")");
    }
};

class Dispatch : public ::testing::Test {
  protected:
    StartupDecision Run(std::string_view line) {
        StartupPorts ports{windows, system, [this](config::Settings& s) {
                               ++loads;
                               s.FireKind = 5;
                           }};
        return DispatchStartup(line, state, ports);
    }
    FakeWindows windows;
    FakeSystem system;
    ProgramState state;
    int loads = 0;
};

TEST_F(Dispatch, FullScreenHidesCursorAndAnnouncesTheSaver) {
    for (auto line : {"/s", "/S", "-s"}) {
        system.calls.clear();
        EXPECT_EQ(Run(line).action, StartupAction::Saver) << line;
        EXPECT_EQ(state.ModeLetter, 'S');
        EXPECT_EQ(state.CursorCount, system.count);
        ASSERT_EQ(system.calls.size(), 2u);
        EXPECT_EQ(system.calls[0], "ShowCursor(false)");
        EXPECT_EQ(system.calls[1], "SaverRunning(true)");
    }
    EXPECT_EQ(state.settings.FireKind, 5);
}

TEST_F(Dispatch, EmptyLineRunsSaverWithoutCursorOrNotice) {
    EXPECT_EQ(Run("").action, StartupAction::Saver);
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(system.calls.empty());
    EXPECT_EQ(state.CursorCount, 0);
}

TEST_F(Dispatch, OtherLettersEndSilentlyAfterLoadingSettings) {
    EXPECT_EQ(Run("/x").action, StartupAction::Exit);
    EXPECT_EQ(Run("/").action, StartupAction::Exit);
    EXPECT_EQ(loads, 2);
    EXPECT_TRUE(system.calls.empty());
}

TEST_F(Dispatch, SettingsModeIgnoresItsNumber) {
    EXPECT_EQ(Run("/c:4711").action, StartupAction::Settings);
    EXPECT_EQ(Run("/C").action, StartupAction::Settings);
    EXPECT_EQ(loads, 2);
}

TEST_F(Dispatch, PreviewReadsHandleAndSkipsSettings) {
    auto d = Run("/p 4711");
    EXPECT_EQ(d.action, StartupAction::Preview);
    EXPECT_EQ(d.previewParent, 4711);
    EXPECT_EQ(Run("/P 4711").previewParent, 4711);
    EXPECT_EQ(Run("/p4711").previewParent, 711);
    EXPECT_EQ(loads, 0);
}

TEST_F(Dispatch, PasswordChangeOnlyOutsideNt) {
    EXPECT_EQ(Run("/a 4711").action, StartupAction::Exit);
    EXPECT_TRUE(system.calls.empty());
    system.asksPassword = true;
    EXPECT_EQ(Run("/a 4711").action, StartupAction::Exit);
    EXPECT_EQ(Run("/a abc").action, StartupAction::Exit);  // no number: no call
    ASSERT_EQ(system.calls.size(), 1u);
    EXPECT_EQ(system.calls[0], "ChangeSaverPassword(4711)");
    EXPECT_EQ(loads, 3);
}

TEST_F(Dispatch, SecondCopyEndsInEveryModeAndLooksForBothWindows) {
    for (auto caption : {kSaverCaption, kSettingsCaption}) {
        windows.open = {std::string(caption)};
        for (auto line : {"/s", "", "/c", "/p 4711", "/a 1"}) {
            windows.looked.clear();
            EXPECT_EQ(Run(line).action, StartupAction::Exit) << line;
            EXPECT_EQ(windows.looked, (std::vector<std::string>{"Cindral_Main", "Cindralの設定"}));
        }
    }
    EXPECT_EQ(loads, 0);
    EXPECT_TRUE(system.calls.empty());
}

// One claim on one desktop, seen by several copies of the program.
struct Desktop {
    int holder = 0;  // the copy that holds the claim, 0 for none
    std::vector<std::string> log;
};

struct FakeClaim : InstanceClaim {
    FakeClaim(Desktop& d, int copy) : desktop(d), id(copy) {}
    bool TryClaim() override {
        desktop.log.push_back("claim " + std::to_string(id));
        if (desktop.holder == 0) desktop.holder = id;
        return desktop.holder == id;
    }
    bool HeldElsewhere() override {
        desktop.log.push_back("test " + std::to_string(id));
        return desktop.holder != 0 && desktop.holder != id;
    }
    Desktop& desktop;
    int id;
};

struct LoggingWindows : WindowFinder {
    explicit LoggingWindows(Desktop& d) : desktop(d) {}
    bool WindowExists(std::string_view caption) override {
        desktop.log.push_back("look " + std::string(caption));
        return false;
    }
    Desktop& desktop;
};

TEST(SingleInstanceClaim, TheFirstOfTwoStartsThatOpensARuledWindowEndsTheOther) {
    // What each line does alone, and whether it holds the claim while it runs:
    // the saver and the settings window do, everything else only tests it.
    struct Mode {
        const char* line;
        StartupAction alone;
        bool claims;
    };
    const Mode modes[] = {
        {"/s", StartupAction::Saver, true},    {"", StartupAction::Saver, true},
        {"/c", StartupAction::Settings, true}, {"/p 4711", StartupAction::Preview, false},
        {"/a 1", StartupAction::Exit, false},  {"/x", StartupAction::Exit, false},
    };
    for (const Mode& first : modes) {
        for (const Mode& second : modes) {
            SCOPED_TRACE(std::string("'") + first.line + "' then '" + second.line + "'");
            Desktop desktop;
            FakeSystem system;
            auto start = [&](const char* line, int copy) {
                FakeClaim claim(desktop, copy);
                LoggingWindows windows(desktop);
                ProgramState state;
                StartupPorts ports{windows, system, [](config::Settings&) {}, &claim};
                return DispatchStartup(line, state, ports).action;
            };
            EXPECT_EQ(start(first.line, 1), first.alone);
            EXPECT_EQ(start(second.line, 2), first.claims ? StartupAction::Exit : second.alone);
        }
    }
}

TEST(SingleInstanceClaim, IsTakenOrTestedBeforeTheCaptionLookUp) {
    struct Case {
        const char* line;
        const char* first;
    };
    for (const Case c : {Case{"/s", "claim 1"}, Case{"/c", "claim 1"}, Case{"", "claim 1"},
                         Case{"/p 4711", "test 1"}, Case{"/a 1", "test 1"}}) {
        SCOPED_TRACE(c.line);
        Desktop desktop;
        FakeClaim claim(desktop, 1);
        LoggingWindows windows(desktop);
        FakeSystem system;
        ProgramState state;
        StartupPorts ports{windows, system, [](config::Settings&) {}, &claim};
        DispatchStartup(c.line, state, ports);
        EXPECT_EQ(desktop.log,
                  (std::vector<std::string>{c.first, "look Cindral_Main", "look Cindralの設定"}));
    }
}

TEST(ShowsWindow, IsTrueForPreviewSettingsAndTheSaver) {
    for (const char* line : {"/s", "-S", "", "/c:4711", "/p 4711", "/P"}) {
        EXPECT_TRUE(ShowsWindow(line)) << line;
    }
    for (const char* line : {"/a 4711", "/x", "/", "s"}) EXPECT_FALSE(ShowsWindow(line)) << line;
}

}  // namespace
}  // namespace cindral::startup
