// The settings window of the real program under Xvfb (no window manager: the
// window's frame is its client area). Clicks go to the layout's positions with
// xdotool; the settings file is checked byte for byte afterwards.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "e2e_support.h"
#include "settings_window_checks.h"

namespace cindral::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

using namespace settings_window;

class SettingsE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        if (auto x = XServer::Xvfb(1024, 768, 24)) x_.emplace(std::move(*x));
        ASSERT_TRUE(x_) << "Xvfb did not start";
        std::random_device r;
        dir_ = fs::temp_directory_path() / ("cindral-settings-e2e-" + std::to_string(r()));
        fs::create_directories(dir_);
        // A copy of the program of its own: the settings file lives beside it.
        fs::copy_file(BinDir() + "/cindral", dir_ / "cindral");
    }
    void TearDown() override {
        for (pid_t p : children_) KillAndReap(p);
        x_.reset();
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    fs::path Ini() const { return dir_ / "Cindral.ini"; }
    Env ProgramEnv() const {
        Env env = x_->ClientEnv();
        env["HOME"] = dir_.string();
        env["XDG_CONFIG_HOME"] = (dir_ / "config").string();
        return env;
    }
    pid_t Start(const std::vector<std::string>& args) {
        std::vector<std::string> argv{(dir_ / "cindral").string()};
        argv.insert(argv.end(), args.begin(), args.end());
        const pid_t pid = Spawn(argv, ProgramEnv()).pid;
        children_.push_back(pid);
        return pid;
    }
    std::string Xdo(const std::vector<std::string>& args) {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        return Capture(argv, x_->ClientEnv());
    }
    // The visible settings window's id, once it is shown.
    std::string WaitForWindow(int timeoutMs = 5000) {
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (Clock::now() < end) {
            std::string ids = Xdo({"search", "--onlyvisible", "--name", "^Cindralの設定$"});
            if (!ids.empty()) {
                const std::string window = ids.substr(0, ids.find('\n'));
                // The opening zoom's outline is a window of the program's own,
                // drawn over the settings window's edges until the zoom ends;
                // on a busy machine that is well after its nominal 200 ms.
                while (Clock::now() < end && Xdo({"search", "--onlyvisible", "--classname",
                                                  "^cindral$"}) != window + "\n") {
                    std::this_thread::sleep_for(20ms);
                }
                return window;
            }
            std::this_thread::sleep_for(50ms);
        }
        return {};
    }
    void Click(const std::string& window, At at, int button = 1) {
        Xdo({"mousemove", "--window", window, std::to_string(at.x), std::to_string(at.y), "click",
             std::to_string(button)});
        std::this_thread::sleep_for(100ms);
    }

    std::optional<XServer> x_;
    fs::path dir_;
    std::vector<pid_t> children_;
};

TEST_F(SettingsE2E, EveryFormOpensTheWindowAndASecondStartEndsAtOnce) {
    for (const char* form : {"/c", "/C", "-c", "/c:4711"}) {
        SCOPED_TRACE(form);
        const pid_t pid = Start({form});
        const std::string window = WaitForWindow();
        ASSERT_FALSE(window.empty());
        const std::string geometry = Xdo({"getwindowgeometry", window});
        EXPECT_NE(geometry.find("Geometry: 549x393"), std::string::npos) << geometry;
        // Centred across 1024 pixels, a third of the free height down.
        EXPECT_NE(geometry.find("Position: 234,117"), std::string::npos) << geometry;

        for (const std::vector<std::string>& second :
             {std::vector<std::string>{"/s"}, {"/c"}, {"/p", "4711"}, {}}) {
            const pid_t other = Start(second);
            const auto code = WaitExit(other, 3000);
            ASSERT_TRUE(code.has_value()) << "a second start kept running";
            EXPECT_EQ(*code, 0);
        }
        EXPECT_EQ(Xdo({"search", "--onlyvisible", "--name", "^Cindralの設定$"}), window + "\n");
        Click(window, kCancel);
        EXPECT_EQ(WaitExit(pid, 3000), std::optional<int>(0));
    }
}

TEST_F(SettingsE2E, WithoutADisplayItSaysWhyAndFails) {
    Env env = ProgramEnv();
    env["DISPLAY"] = ":65000";  // no server there
    Child c = Spawn({(dir_ / "cindral").string(), "/c"}, env, false, false);
    children_.push_back(c.pid);
    EXPECT_EQ(WaitExit(c.pid, 5000), std::optional<int>(1));
}

TEST_F(SettingsE2E, ClicksChangeTheSettingsAndSaveWritesThem) {
    std::ofstream(dir_ / "song.mp3") << "";
    const std::string song = (dir_ / "song.mp3").string();
    for (const ClickCase& c : ClickCases(song)) {
        fs::remove(Ini());
        if (!c.before.empty()) std::ofstream(Ini(), std::ios::binary) << c.before;
        const pid_t pid = Start({"/c"});
        const std::string window = WaitForWindow();
        ASSERT_FALSE(window.empty());
        for (const ClickStep& s : c.clicks) Click(window, s.at, s.button);
        if (!c.typed.empty()) {
            Xdo({"key", "--clearmodifiers", "ctrl+a"});
            Xdo({"type", "--delay", "20", c.typed});
            std::this_thread::sleep_for(100ms);
        }
        for (const ClickStep& s : c.then) Click(window, s.at, s.button);
        Click(window, kSave, c.saveButton);
        ASSERT_EQ(WaitExit(pid, 3000), std::optional<int>(0));
        EXPECT_EQ(ReadAll(Ini()), c.after);
    }
}

TEST_F(SettingsE2E, CancelAndTheCloseBoxWriteNothing) {
    const std::string before = IniFile(" 1", " 1", " 3", "");
    for (bool closeBox : {false, true}) {
        std::ofstream(Ini(), std::ios::binary | std::ios::trunc) << before;
        const auto stamp = fs::last_write_time(Ini()) - 1h;
        fs::last_write_time(Ini(), stamp);
        const pid_t pid = Start({"/c"});
        const std::string window = WaitForWindow();
        ASSERT_FALSE(window.empty());
        Click(window, Preview(6), 1);
        Click(window, MusicLabel(2), 1);
        if (closeBox) {
            Capture({BinDir() + "/cindral-close-box", window}, x_->ClientEnv());
        } else {
            Click(window, kCancel, 1);
        }
        ASSERT_EQ(WaitExit(pid, 3000), std::optional<int>(0));
        EXPECT_EQ(ReadAll(Ini()), before);
        EXPECT_EQ(fs::last_write_time(Ini()), stamp);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2)
            << "a temporary file was left";
    }
}

TEST_F(SettingsE2E, ScreenshotShowsBackdropTextureAndOneRedMarkerPerGroup) {
    std::ofstream(Ini(), std::ios::binary) << IniFile(" 6", " 1", " 0", "");
    Start({"/c"});
    const std::string window = WaitForWindow();
    ASSERT_FALSE(window.empty());
    const Picture p = Screenshot(*x_, window, 549, 393);
    ASSERT_EQ(p.width, 549);
    ASSERT_FALSE(p.rgb.empty());
    ExpectBackdropTextureAndMarkers(p, 6, 1);
}

}  // namespace
}  // namespace cindral::e2e
