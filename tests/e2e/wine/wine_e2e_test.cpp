// The real cindral.scr under Wine on a private Xvfb: the saver's fire and its
// end on a key, the single-instance rule, and the preview inside a host
// window. Run by script/cross-test, which names the Windows build's folder in
// CINDRAL_WINE_BIN, the Wine loader in CINDRAL_WINE and its server in
// CINDRAL_WINESERVER (WINEPREFIX is set).

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "../saver/e2e_support.h"
#include "../saver/fire_checks.h"
#include "../settings/settings_window_checks.h"

namespace cindral::e2e {
namespace {

using namespace std::chrono_literals;

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

double MsSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

class WineE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        wine_ = Variable("CINDRAL_WINE");
        wineserver_ = Variable("CINDRAL_WINESERVER");
        bin_ = Variable("CINDRAL_WINE_BIN");
        ASSERT_FALSE(wine_.empty()) << "CINDRAL_WINE names no Wine loader";
        ASSERT_FALSE(bin_.empty()) << "CINDRAL_WINE_BIN names no folder";
        ASSERT_FALSE(wineserver_.empty()) << "CINDRAL_WINESERVER names no Wine server";
        ASSERT_FALSE(Variable("WINEPREFIX").empty());
    }
    void StartServer(int width, int height, int depth) {
        if (auto x = XServer::Xvfb(width, height, depth)) x_.emplace(std::move(*x));
        ASSERT_TRUE(x_) << "Xvfb did not start";
        width_ = width;
        height_ = height;
    }
    void TearDown() override {
        for (pid_t p : children_) KillAndReap(p);
        // Wine's helper processes belong to this test's X server: end them with it.
        if (x_) Capture({wineserver_, "-k"}, x_->ClientEnv());
    }
    Child Run(const std::string& exe, const std::vector<std::string>& args, bool pipeOut = false,
              bool pipeIn = false) {
        std::vector<std::string> argv{wine_, bin_ + "/" + exe};
        argv.insert(argv.end(), args.begin(), args.end());
        Child c = Spawn(argv, x_->ClientEnv(), pipeIn, pipeOut);
        children_.push_back(c.pid);
        return c;
    }
    pid_t Saver(const std::vector<std::string>& args) { return Run("cindral.scr", args).pid; }
    std::string Xdo(const std::vector<std::string>& args) {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        return Capture(argv, x_->ClientEnv());
    }
    // X windows named `name` (a top-level Wine window is one X window named by
    // its caption), waiting up to `timeoutMs` for at least one.
    std::vector<std::string> Windows(const std::string& name, int timeoutMs) {
        auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            std::string out = Xdo({"search", "--onlyvisible", "--name", "^" + name + "$"});
            std::vector<std::string> ids;
            std::size_t start = 0;
            while (start < out.size()) {
                std::size_t nl = out.find('\n', start);
                if (nl == std::string::npos) nl = out.size();
                if (nl > start) ids.push_back(out.substr(start, nl - start));
                start = nl + 1;
            }
            if (!ids.empty() || Clock::now() >= end) return ids;
            std::this_thread::sleep_for(50ms);
        }
    }

    std::string wine_, wineserver_, bin_;
    std::optional<XServer> x_;
    int width_ = 0, height_ = 0;
    std::vector<pid_t> children_;
};

struct Presentation {
    int depth;
    bool gdi;  // the program's own GDI presentation instead of DirectDraw
};

class SaverDepths : public WineE2E, public ::testing::WithParamInterface<Presentation> {};

TEST_P(SaverDepths, ShowsChangingFireAndAKeyEndsItWithinASecond) {
    StartServer(640, 480, GetParam().depth);
    if (GetParam().gdi) setenv("CINDRAL_DISPLAY", "gdi", 1);
    pid_t pid = Saver({"/s"});
    unsetenv("CINDRAL_DISPLAY");
    ASSERT_EQ(Windows("Cindral_Main", 20000).size(), 1u);
    EXPECT_TRUE(WaitForFire(*x_, "root", width_, height_)) << "no fire within 10 s";
    ExpectMovingFire(*x_, "root", width_, height_);
    EXPECT_FALSE(WaitExit(pid, 0)) << "ended before any input";

    Xdo({"mousemove", "10", "10"});
    Xdo({"mousemove", "300", "200"});
    EXPECT_FALSE(WaitExit(pid, 500)) << "mouse movement ended the saver";

    auto before = Clock::now();
    Xdo({"key", "a"});
    auto status = WaitExit(pid, 1000);
    ASSERT_TRUE(status) << "still running a second after the key";
    EXPECT_EQ(*status, 0);
    std::printf("saver ended %.0f ms after the key\n", MsSince(before));
}

INSTANTIATE_TEST_SUITE_P(Depths, SaverDepths,
                         ::testing::Values(Presentation{24, false}, Presentation{16, false},
                                           Presentation{24, true}),
                         [](const auto& info) {
                             return "depth" + std::to_string(info.param.depth) +
                                    (info.param.gdi ? "_gdi" : "_directdraw");
                         });

TEST_F(WineE2E, TheSystemClosingTheWindowOrEndingTheSessionEndsTheSaverCleanly) {
    StartServer(640, 480, 24);
    for (const std::string how : {"close", "endsession"}) {
        SCOPED_TRACE(how);
        pid_t saver = Saver({"/s"});
        ASSERT_EQ(Windows("Cindral_Main", 20000).size(), 1u);
        std::this_thread::sleep_for(500ms);
        Child closer = Run("cindral-close-window.exe", {"Cindral_Main", how});
        auto closed = WaitExit(closer.pid, 10000);
        ASSERT_TRUE(closed);
        ASSERT_EQ(*closed, 0);
        auto t = Clock::now();
        // The message went out before the helper ended; the saver ends well
        // within the helper's own exit time from then on.
        auto status = WaitExit(saver, 1000);
        ASSERT_TRUE(status) << "still running a second after the message";
        EXPECT_EQ(*status, 0);
        std::printf("saver ended %.0f ms after the %s helper\n", MsSince(t), how.c_str());
        std::this_thread::sleep_for(200ms);
    }
}

TEST_F(WineE2E, ASecondStartWhileTheSaverRunsEndsAtOnce) {
    StartServer(640, 480, 24);
    pid_t saver = Saver({"/s"});
    ASSERT_EQ(Windows("Cindral_Main", 20000).size(), 1u);
    for (auto args : {std::vector<std::string>{"/s"}, {"/c"}, {"/p", "12345"}}) {
        auto t = Clock::now();
        auto status = WaitExit(Saver(args), 5000);
        ASSERT_TRUE(status) << args[0] << " kept running beside the saver";
        EXPECT_EQ(*status, 0) << args[0];
        std::printf("%s ended after %.0f ms\n", args[0].c_str(), MsSince(t));
    }
    EXPECT_EQ(Windows("Cindral_Main", 0).size(), 1u);
    EXPECT_FALSE(WaitExit(saver, 0));
}

TEST_F(WineE2E, SimultaneousStartsLeaveOneSaver) {
    StartServer(640, 480, 24);
    pid_t first = Saver({"/s"});
    pid_t second = Saver({"/s"});
    ASSERT_FALSE(Windows("Cindral_Main", 20000).empty());
    std::this_thread::sleep_for(2000ms);
    EXPECT_EQ(Windows("Cindral_Main", 0).size(), 1u);
    const bool firstRuns = !WaitExit(first, 0);
    const bool secondRuns = !WaitExit(second, 0);
    EXPECT_NE(firstRuns, secondRuns) << "one of the two must have ended, one must run";
}

TEST_F(WineE2E, PreviewShowsTheStillInsideTheHostFollowsItsSizeAndEndsWithIt) {
    StartServer(640, 480, 24);
    Child host = Run("cindral-preview-host.exe", {"12000"}, true, true);
    const std::string handle = ReadLine(host.stdoutFd, 20000);
    ASSERT_FALSE(handle.empty()) << "the host printed no window handle";
    const auto hosts = Windows("Cindral preview host", 5000);
    ASSERT_EQ(hosts.size(), 1u);
    pid_t preview = Saver({"/p", handle});
    std::this_thread::sleep_for(2500ms);
    EXPECT_FALSE(WaitExit(preview, 0)) << "the preview ended while its host lives";
    Picture inside = Screenshot(*x_, hosts[0], 152, 112);
    ASSERT_FALSE(inside.rgb.empty());
    EXPECT_GT(LitFraction(inside, 0, 152), 0.3);
    EXPECT_TRUE(FireColoursOnly(inside, 0, 152));

    // The host doubles its area without telling its child: the preview
    // follows, the same still with each pixel now two by two.
    ASSERT_EQ(write(host.stdinFd, "grow\n", 5), 5);
    ASSERT_EQ(ReadLine(host.stdoutFd, 5000).rfind("grown", 0), 0u) << "the host did not grow";
    long differing = -1;
    for (auto start = Clock::now(); differing != 0 && MsSince(start) < 5000;) {
        std::this_thread::sleep_for(200ms);
        const Picture grown = Screenshot(*x_, hosts[0], 304, 224);
        if (grown.rgb.empty()) continue;
        differing = 0;
        for (int y = 0; y < 224; ++y) {
            for (int x = 0; x < 304; ++x) {
                differing += grown.R(x, y) != inside.R(x / 2, y / 2) ||
                             grown.G(x, y) != inside.G(x / 2, y / 2) ||
                             grown.B(x, y) != inside.B(x / 2, y / 2);
            }
        }
    }
    EXPECT_EQ(differing, 0) << "pixels of the grown preview that are not the still doubled";

    auto hostStatus = WaitExit(host.pid, 15000);
    ASSERT_TRUE(hostStatus) << "the host did not end";
    auto t = Clock::now();
    auto status = WaitExit(preview, 2000);
    ASSERT_TRUE(status) << "the preview outlived its host";
    EXPECT_EQ(*status, 0);
    std::printf("preview ended %.0f ms after its host\n", MsSince(t));
}

TEST_F(WineE2E, APreviewHandleThatNamesNoWindowEndsWithAnError) {
    StartServer(640, 480, 24);
    auto status = WaitExit(Saver({"/p", "4711"}), 10000);
    ASSERT_TRUE(status);
    EXPECT_NE(*status, 0);
}

// The settings window: the same clicks at the layout's client positions as on
// Linux, and the settings file they write, byte for byte. The keys are the
// Shift-JIS names; numbers carry a leading blank when not negative.
namespace fs = std::filesystem;

using namespace settings_window;

class SettingsUnderWine : public WineE2E {
  protected:
    void SetUp() override {
        WineE2E::SetUp();
        std::random_device r;
        dir_ = fs::temp_directory_path() / ("cindral-wine-settings-" + std::to_string(r()));
        fs::create_directories(dir_);
        // A copy of the program of its own: the settings file lives beside it.
        fs::copy_file(bin_ + "/cindral.scr", dir_ / "cindral.scr");
        StartServer(1024, 768, 24);
    }
    // The Wine environment of this test's X server; `prefix` (when not empty)
    // replaces the usual Wine prefix.
    Env WineEnv() const {
        Env env = x_->ClientEnv();
        if (!prefix_.empty()) env["WINEPREFIX"] = prefix_;
        return env;
    }
    void TearDown() override {
        for (pid_t p : children_) KillAndReap(p);
        children_.clear();
        if (x_ && !prefix_.empty()) Capture({wineserver_, "-k"}, WineEnv());
        WineE2E::TearDown();
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    pid_t StartSettings() {
        Child c = Spawn({wine_, (dir_ / "cindral.scr").string(), "/c"}, WineEnv());
        children_.push_back(c.pid);
        return c.pid;
    }
    std::string SettingsWindow() {
        const auto ids = Windows("Cindralの設定", 20000);
        if (ids.empty()) return {};
        std::this_thread::sleep_for(500ms);  // let the opening zoom end
        return ids[0];
    }
    // Saves the window's client area as a PNG beside the Windows build.
    void SavePicture(const std::string& window, const std::string& name) {
        Capture({"import", "-window", window, bin_ + "/../" + name}, x_->ClientEnv());
    }
    void Click(const std::string& window, At at, int button = 1) {
        Xdo({"mousemove", "--window", window, std::to_string(at.x), std::to_string(at.y), "click",
             std::to_string(button)});
        std::this_thread::sleep_for(150ms);
    }
    fs::path Ini() const { return dir_ / "Cindral.ini"; }
    // One click session on a window `scale` times its layout: the file it
    // leaves must be the session's.
    void RunSession(const ClickCase& c, double scale) {
        SCOPED_TRACE(c.after);
        fs::remove(Ini());
        if (!c.before.empty()) std::ofstream(Ini(), std::ios::binary) << c.before;
        const pid_t pid = StartSettings();
        const std::string window = SettingsWindow();
        ASSERT_FALSE(window.empty());
        for (const ClickStep& s : c.clicks) Click(window, Scaled(s.at, scale), s.button);
        if (!c.typed.empty()) {
            Xdo({"key", "--clearmodifiers", "ctrl+a"});
            Xdo({"type", "--delay", "20", c.typed});
            std::this_thread::sleep_for(150ms);
        }
        for (const ClickStep& s : c.then) Click(window, Scaled(s.at, scale), s.button);
        Click(window, Scaled(kSave, scale), c.saveButton);
        ASSERT_EQ(WaitExit(pid, 5000), std::optional<int>(0));
        EXPECT_EQ(ReadAll(Ini()), c.after);
    }
    // The song's path as the program sees it under Wine.
    std::string WindowsPath(const fs::path& p) const {
        std::string s = "Z:" + p.string();
        for (char& c : s) c = c == '/' ? '\\' : c;
        return s;
    }

    fs::path dir_;
    std::string prefix_;
};

// The same window in a prefix whose screen has 144 dots per inch (script/
// cross-test names it in CINDRAL_WINEPREFIX_144): the window 1.5 times its
// layout, the same drawings at 1.5 times their places, and the same clicks,
// at 1.5 times their places, leave the same file.
class SettingsAt144Dpi : public SettingsUnderWine {
  protected:
    void SetUp() override {
        prefix_ = Variable("CINDRAL_WINEPREFIX_144");
        ASSERT_FALSE(prefix_.empty()) << "CINDRAL_WINEPREFIX_144 names no Wine prefix";
        SettingsUnderWine::SetUp();
    }
};

TEST_F(SettingsAt144Dpi, TheWindowAndItsDrawingsAreOneAndAHalfTimesLarger) {
    std::ofstream(Ini(), std::ios::binary) << IniFile(" 6", " 1", " 0", "");
    StartSettings();
    const std::string window = SettingsWindow();
    ASSERT_FALSE(window.empty());
    // 549 x 393 times 1.5: 823.5 x 589.5, rounded to even. The first start in
    // a prefix can paint late (Wine builds its font cache): wait for the
    // backdrop's top row, up to 10 s.
    Picture p;
    for (auto end = Clock::now() + 10s; Clock::now() < end; std::this_thread::sleep_for(250ms)) {
        p = Screenshot(*x_, window, 824, 590);
        if (p.rgb.empty() || p.B(0, 0) == 30) break;
    }
    ASSERT_FALSE(p.rgb.empty()) << "the window's client area is not 824 x 590";
    SavePicture(window, "settings-144dpi.png");
    ExpectBackdropTextureAndMarkers(p, 6, 1, 1.5);
}

TEST_F(SettingsAt144Dpi, ClicksWriteTheSameFileAsAt96Dpi) {
    std::ofstream(dir_ / "song.mp3") << "";
    for (const ClickCase& c : ClickCases(WindowsPath(dir_ / "song.mp3"))) RunSession(c, 1.5);
}

TEST_F(SettingsUnderWine, ClicksWriteTheSameFileAsOnLinux) {
    std::ofstream(dir_ / "song.mp3") << "";
    const std::string song = WindowsPath(dir_ / "song.mp3");
    for (const ClickCase& c : ClickCases(song)) RunSession(c, 1.0);
}

TEST_F(SettingsUnderWine, CancelWritesNothingAndASecondStartEndsAtOnce) {
    const std::string before = IniFile(" 1", " 1", " 3", "");
    std::ofstream(Ini(), std::ios::binary) << before;
    const pid_t pid = StartSettings();
    const std::string window = SettingsWindow();
    ASSERT_FALSE(window.empty());
    // A preview handle that names no window would end with status 1 had the
    // preview not ended first for the running settings window.
    for (auto args : {std::vector<std::string>{"/s"}, {"/p", "12345"}}) {
        ASSERT_EQ(WaitExit(Saver(args), 5000), std::optional<int>(0))
            << args[0] << " kept running beside the settings window";
    }
    EXPECT_TRUE(Windows("Cindral_Main", 0).empty());
    Click(window, Preview(6), 1);
    Click(window, MusicLabel(2), 1);
    Click(window, kCancel, 1);
    ASSERT_EQ(WaitExit(pid, 5000), std::optional<int>(0));
    EXPECT_EQ(ReadAll(Ini()), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2)
        << "a temporary file was left";
}

TEST_F(SettingsUnderWine, ShowsTheBackdropTheTextureAndOneRedMarkerPerGroup) {
    std::ofstream(Ini(), std::ios::binary) << IniFile(" 6", " 1", " 0", "");
    StartSettings();
    const std::string window = SettingsWindow();
    ASSERT_FALSE(window.empty());
    SavePicture(window, "settings-96dpi.png");
    const Picture p = Screenshot(*x_, window, 549, 393);
    ASSERT_FALSE(p.rgb.empty()) << "the window's client area is not 549 x 393";
    ExpectBackdropTextureAndMarkers(p, 6, 1);
}

// cindral.msi installed and removed quietly, as a package manager runs it.
class InstallerUnderWine : public WineE2E {
  protected:
    std::string Wine(const std::vector<std::string>& args) {
        std::vector<std::string> argv{wine_};
        argv.insert(argv.end(), args.begin(), args.end());
        std::string out = Capture(argv, x_->ClientEnv());
        std::erase(out, '\r');
        return out;
    }
    bool Msiexec(const std::vector<std::string>& args) {
        std::vector<std::string> argv{wine_, "msiexec"};
        argv.insert(argv.end(), args.begin(), args.end());
        const Child c = Spawn(argv, x_->ClientEnv());
        return WaitExit(c.pid, 120000) == std::optional<int>(0);
    }
    std::string Saver() {
        return Wine({"reg", "query", "HKCU\\Control Panel\\Desktop", "/v", "SCRNSAVE.EXE"});
    }
    // The uninstall entry named Cindral, its values as `reg query` lists them.
    std::string UninstallEntry() {
        const std::string all =
            Wine({"reg", "query", "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                  "/s"});
        for (std::size_t at = all.find("HKEY_"); at != std::string::npos;) {
            const std::size_t next = all.find("\nHKEY_", at);
            const std::string entry = all.substr(at, next == std::string::npos ? next : next - at);
            if (entry.find("DisplayName    REG_SZ    Cindral\n") != std::string::npos) return entry;
            at = next == std::string::npos ? next : next + 1;
        }
        return {};
    }
    fs::path Prefix() const { return Variable("WINEPREFIX"); }
    fs::path InstalledScr() const { return Prefix() / "drive_c/windows/system32/cindral.scr"; }
};

TEST_F(InstallerUnderWine, InstallsQuietlyAndUninstallingLeavesOnlyTheUsersSettings) {
    StartServer(640, 480, 24);
    const std::string msi = bin_ + "/cindral.msi";
    ASSERT_TRUE(fs::exists(msi));
    // The user's settings file, which the package must never touch.
    std::string appData = Wine({"cmd", "/c", "echo", "%APPDATA%"});
    appData = appData.substr(0, appData.find('\n'));
    ASSERT_EQ(appData.rfind("C:\\", 0), 0u) << appData;
    std::string unixAppData = appData.substr(3);
    std::replace(unixAppData.begin(), unixAppData.end(), '\\', '/');
    const fs::path userIni = Prefix() / "drive_c" / unixAppData / "Cindral" / "Cindral.ini";
    fs::create_directories(userIni.parent_path());
    const std::string settings = IniFile(" 2", " 0", " 0", "");
    std::ofstream(userIni, std::ios::binary) << settings;

    // With SETACTIVE=1, and without it beside another saver the user chose.
    for (const bool active : {true, false}) {
        SCOPED_TRACE(active);
        Wine({"reg", "delete", "HKCU\\Control Panel\\Desktop", "/v", "SCRNSAVE.EXE", "/f"});
        if (!active) {
            Wine({"reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "SCRNSAVE.EXE", "/d",
                  "C:\\other.scr", "/f"});
        }
        ASSERT_TRUE(Msiexec(active ? std::vector<std::string>{"/i", msi, "/qn", "SETACTIVE=1"}
                                   : std::vector<std::string>{"/i", msi, "/qn"}));
        ASSERT_TRUE(fs::exists(InstalledScr()));
        EXPECT_EQ(fs::file_size(InstalledScr()), fs::file_size(bin_ + "/cindral.scr"));
        const std::string ours = "SCRNSAVE.EXE    REG_SZ    C:\\windows\\system32\\cindral.scr";
        const std::string other = "SCRNSAVE.EXE    REG_SZ    C:\\other.scr";
        EXPECT_NE(Saver().find(active ? ours : other), std::string::npos) << Saver();
        const std::string entry = UninstallEntry();
        for (const std::string value :
             {"DisplayVersion    REG_SZ    1.0.0", "Publisher    REG_SZ    Cindral",
              "DisplayIcon    REG_SZ    C:\\windows\\system32\\cindral.scr,0"}) {
            EXPECT_NE(entry.find(value), std::string::npos) << value << " in\n" << entry;
        }

        // The installed copy runs as the system's saver would start it.
        const Child saver =
            Spawn({wine_, "C:\\windows\\system32\\cindral.scr", "/s"}, x_->ClientEnv());
        children_.push_back(saver.pid);
        ASSERT_EQ(Windows("Cindral_Main", 20000).size(), 1u);
        Xdo({"key", "a"});
        EXPECT_EQ(WaitExit(saver.pid, 2000), std::optional<int>(0));

        ASSERT_TRUE(Msiexec({"/x", msi, "/qn"}));
        EXPECT_FALSE(fs::exists(InstalledScr()));
        EXPECT_EQ(UninstallEntry(), "");
        if (active) {
            EXPECT_EQ(Saver().find("SCRNSAVE.EXE"), std::string::npos) << Saver();
        } else {
            EXPECT_NE(Saver().find(other), std::string::npos) << "the user's own saver went";
        }
        EXPECT_EQ(ReadAll(userIni), settings);
    }
    std::error_code ec;
    fs::remove(userIni, ec);
    Wine({"reg", "delete", "HKCU\\Control Panel\\Desktop", "/v", "SCRNSAVE.EXE", "/f"});
}

}  // namespace
}  // namespace cindral::e2e
