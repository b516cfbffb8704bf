// A real screen-saver daemon from Debian (xscreensaver) runs the installed
// hack: activated, the screen shows fire; deactivated, the hack is gone
// within two seconds. The daemon refuses to run hacks as root, so a root test
// run makes an ordinary user for it and starts the daemon as that user.

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "hack_fixture.h"

namespace cindral::e2e {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTestUser = "cindral-hack-test";

// Processes whose program is `exe`.
std::vector<pid_t> ProcessesOf(const fs::path& exe) {
    std::vector<pid_t> pids;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        fs::path target = fs::read_symlink(entry.path() / "exe", ec);
        if (!ec && target == exe) pids.push_back(std::stoi(name));
    }
    return pids;
}

struct Account {
    uid_t uid;
    gid_t gid;
};

// The user the daemon runs as: this one, or when running as root a system
// user made for the test (kept for later runs).
std::optional<Account> DaemonAccount(std::string& why) {
    if (geteuid() != 0) return Account{geteuid(), getegid()};
    if (!getpwnam(kTestUser)) {
        Capture(
            {"useradd", "--system", "--no-create-home", "--shell", "/usr/sbin/nologin", kTestUser},
            {});
    }
    const passwd* pw = getpwnam(kTestUser);
    if (!pw) {
        why = std::string("cannot make the user ") + kTestUser + " (useradd failed)";
        return std::nullopt;
    }
    return Account{pw->pw_uid, pw->pw_gid};
}

class Daemon : public HackE2E {
  protected:
    void TearDown() override {
        if (daemon_ > 0) {
            kill(daemon_, SIGTERM);
            if (!WaitExit(daemon_, 3000)) KillAndReap(daemon_);
        }
        HackE2E::TearDown();
    }
    std::string Command(const std::string& what) {
        return Capture({"xscreensaver-command", what}, x_->ClientEnv());
    }
    pid_t daemon_ = -1;
};

TEST_F(Daemon, RunsTheInstalledHackWhileActiveAndEndsItWhenDeactivated) {
    ASSERT_FALSE(Capture({"sh", "-c", "command -v xscreensaver"}, {}).empty())
        << "xscreensaver is not installed (script/bootstrap installs it)";
    std::string why;
    std::optional<Account> account = DaemonAccount(why);
    if (!account) GTEST_SKIP() << why;

    // Installed as a user would: the daemon's user must reach every file.
    fs::permissions(home_.path(), fs::perms::owner_all | fs::perms::group_read |
                                      fs::perms::group_exec | fs::perms::others_read |
                                      fs::perms::others_exec);
    const fs::path prefix = home_.path() / "prefix";
    Capture({CINDRAL_CMAKE, "--install", CINDRAL_BUILD_DIR, "--prefix", prefix.string()}, {});
    const fs::path hack = prefix / "libexec/xscreensaver/cindral";
    ASSERT_TRUE(fs::exists(hack)) << "cmake --install did not install the hack";

    const fs::path home = home_.path() / "user";
    fs::create_directories(home);
    std::ofstream(home / ".xscreensaver") << "mode: one\n"
                                             "selected: 0\n"
                                             "lock: False\n"
                                             "fade: False\n"
                                             "unfade: False\n"
                                             "splash: False\n"
                                             "dpmsEnabled: False\n"
                                             "timeout: 1:00:00\n"
                                             "cycle: 0:00:00\n"
                                             "programs: "
                                          << hack.string() << " -root \\n\n";
    for (const auto& p : {home, home / ".xscreensaver"}) {
        ASSERT_EQ(chown(p.c_str(), account->uid, account->gid), 0) << p;
    }

    // The user's settings ask for a music file. An installed copy reads them
    // from the user's configuration folder (its own folder is not the
    // user's to write), and the daemon hands its environment, with SDL's disk
    // audio driver, on to the hack.
    const std::string tone = home_ / "tone.wav";
    media::WriteWav(tone, media::Tone(440, 3.0));
    const fs::path settings = geteuid() == 0 ? home / "cindral" : hack.parent_path();
    fs::create_directories(settings);
    media::WriteBytes((settings / "Cindral.ini").string(),
                      "[Section]\r\nBGM\x8B\xE6\x95\xAA=2\r\nBGM\xCC\xA7\xB2\xD9=" + tone + "\r\n");
    const std::string audio = (home / "audio.raw").string();

    StartServer(640, 480, true);
    Env env = x_->ClientEnv();
    env["HOME"] = home.string();
    env["XDG_CONFIG_HOME"] = home.string();
    env["SDL_AUDIODRIVER"] = "disk";
    env["SDL_DISKAUDIOFILE"] = audio;
    if (geteuid() == 0) env["USER"] = env["LOGNAME"] = kTestUser;
    std::vector<std::string> argv{"xscreensaver", "-no-splash"};
    if (geteuid() == 0) {
        argv.insert(argv.begin(), {"setpriv", "--reuid", std::to_string(account->uid), "--regid",
                                   std::to_string(account->gid), "--clear-groups"});
    }
    daemon_ = Spawn(argv, env).pid;
    ASSERT_TRUE(WaitFor([&] { return !Command("-version").empty(); }, 10000))
        << "the daemon did not answer";
    ASSERT_TRUE(ProcessesOf(hack).empty()) << "the hack runs before the daemon is activated";

    Command("-activate");
    ASSERT_TRUE(WaitFor([&] { return !ProcessesOf(hack).empty(); }, 10000))
        << "the activated daemon did not start the hack";
    // The daemon runs its hacks at a lower priority (nice 10): on a busy
    // machine the first frame comes well over a second after the start.
    const auto started = Clock::now();
    ExpectFireAppearsAndMoves("root", width_, height_);
    std::printf("fire shown %.0f ms after the hack started\n", MsSince(started));
    EXPECT_TRUE(
        WaitFor([&] { return media::SecondsOf(media::ToneRuns(audio, {440}), 440) > 1.0; }, 10000))
        << "the music of the user's settings does not play";

    Command("-deactivate");
    auto deactivated = Clock::now();
    EXPECT_TRUE(WaitFor([&] { return ProcessesOf(hack).empty(); }, 2000))
        << "the hack still runs 2 s after the daemon was deactivated";
    std::printf("hack gone %.0f ms after deactivation\n", MsSince(deactivated));
    // The music ended with the hack.
    const auto heard = fs::file_size(audio);
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(fs::file_size(audio), heard);
}

}  // namespace
}  // namespace cindral::e2e
