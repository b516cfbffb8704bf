// Installation: `cmake --install --prefix P` puts every file where the
// daemons and desktops look for it, and the Debian package built from the
// same rules installs and removes cleanly.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <thread>

#include "e2e_support.h"

namespace cindral::e2e {
namespace {

namespace fs = std::filesystem;

class TempFolder {
  public:
    TempFolder() {
        std::string templ = (fs::temp_directory_path() / "cindral-install-XXXXXX").string();
        path_ = mkdtemp(templ.data());
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The value of `key` in a desktop entry's text; empty when it has none.
std::string EntryValue(const std::string& entry, const std::string& key) {
    const std::string start = "\n" + key + "=";
    auto at = ("\n" + entry).find(start);
    if (at == std::string::npos) return "";
    auto from = at + start.size() - 1;
    return entry.substr(from, entry.find('\n', from) - from);
}

// What every install puts where, relative to its prefix.
struct Installed {
    fs::path path;
    fs::file_type type;
};
const Installed kFiles[] = {
    {"libexec/xscreensaver/cindral", fs::file_type::regular},
    {"bin/cindral", fs::file_type::symlink},
    {"lib/cindral/modules/cindral-settings.so", fs::file_type::regular},
    {"share/xscreensaver/config/cindral.xml", fs::file_type::regular},
    {"share/applications/screensavers/cindral.desktop", fs::file_type::regular},
    {"share/applications/cindral-settings.desktop", fs::file_type::regular},
    {"share/icons/hicolor/scalable/apps/cindral.svg", fs::file_type::regular},
};

Outcome InstallTo(const fs::path& prefix) {
    return RunToEnd({CINDRAL_CMAKE, "--install", CINDRAL_BUILD_DIR, "--prefix", prefix.string()},
                    {}, 60000);
}

// Qt off screen and no X display (a settings window of another run there
// would end this one at once), settings kept under `home`.
Env OffscreenEnv(const fs::path& home) {
    return {{"DISPLAY", ""},
            {"QT_QPA_PLATFORM", "offscreen"},
            {"HOME", home.string()},
            {"XDG_CONFIG_HOME", home.string()}};
}

// The installed settings mode paints its window (off screen, no X needed),
// within 10 s.
bool SettingsWindowPaints(const fs::path& prefix) {
    TempFolder home;
    Env env = OffscreenEnv(home.path());
    env["CINDRAL_FIRST_PAINT_STAMP"] = "1";
    const Child c = Spawn({(prefix / "bin/cindral").string(), "/c"}, env, false, false, true);
    const auto end = Clock::now() + std::chrono::seconds(10);
    bool painted = false;
    bool ended = false;
    while (!painted && !ended && Clock::now() < end) {
        painted = ReadLine(c.stderrFd, 200).starts_with("first-paint-realtime-ns");
        ended = WaitExit(c.pid, 0).has_value();
    }
    if (!ended) KillAndReap(c.pid);
    close(c.stderrFd);
    return painted;
}

// Checks the files under `prefix`, and that the desktop entries start the
// program installed there.
void ExpectInstalled(const fs::path& prefix) {
    for (const auto& f : kFiles) {
        EXPECT_EQ(fs::symlink_status(prefix / f.path).type(), f.type) << f.path;
    }
    const fs::path hack = prefix / "libexec/xscreensaver/cindral";
    EXPECT_TRUE(fs::equivalent(prefix / "bin/cindral", hack));
    EXPECT_EQ(access(hack.c_str(), X_OK), 0);

    const std::string saver = ReadAll(prefix / "share/applications/screensavers/cindral.desktop");
    const std::string settings = ReadAll(prefix / "share/applications/cindral-settings.desktop");
    EXPECT_EQ(EntryValue(saver, "Exec"), hack.string() + " -root");
    EXPECT_EQ(EntryValue(saver, "Categories"), "Screensaver;");
    EXPECT_EQ(EntryValue(settings, "Name"), "Cindral settings");
    EXPECT_EQ(EntryValue(settings, "Exec"), (prefix / "bin/cindral").string() + " /c");
    for (const auto* entry : {&saver, &settings}) {
        EXPECT_EQ(EntryValue(*entry, "Icon"), "cindral");
        EXPECT_EQ(entry->find("X-KDE-"), std::string::npos);
    }
    Outcome valid = RunToEnd({"desktop-file-validate",
                              (prefix / "share/applications/screensavers/cindral.desktop").string(),
                              (prefix / "share/applications/cindral-settings.desktop").string()},
                             {}, 10000);
    ASSERT_TRUE(valid.status);
    EXPECT_EQ(*valid.status, 0) << valid.output;
    // The name on the search path is the program itself: it knows the hack flags.
    Outcome run = RunToEnd({(prefix / "bin/cindral").string(), "--fire-kind", "3"}, {}, 5000);
    ASSERT_TRUE(run.status);
    EXPECT_NE(run.output.find("-root or -window-id"), std::string::npos) << run.output;
    // The settings window comes from the installed module, found from the
    // program's own place whatever the prefix.
    EXPECT_TRUE(SettingsWindowPaints(prefix));
}

// A fresh install under a prefix with a space in its name.
class Install : public ::testing::Test {
  protected:
    void SetUp() override {
        Outcome install = InstallTo(prefix_);
        ASSERT_TRUE(install.status);
        ASSERT_EQ(*install.status, 0) << install.output;
    }
    TempFolder folder_;
    const fs::path prefix_ = folder_.path() / "a prefix";
};

TEST_F(Install, PutsEveryFileWhereTheDaemonsAndDesktopsLook) { ExpectInstalled(prefix_); }

// An installed module that cannot be used, and what the settings mode says.
struct BrokenModule {
    const char* name;
    void (*spoil)(const fs::path& module);
    const char* reason;  // the dynamic loader's words
};

const BrokenModule kBrokenModules[] = {
    {"missing", [](const fs::path& m) { fs::remove(m); }, "No such file or directory"},
    {"not a shared object", [](const fs::path& m) { std::ofstream(m) << "cindral"; },
     "file too short"},
    {"without the entry point",
     [](const fs::path& m) {
         fs::copy_file(CINDRAL_NO_ENTRY_MODULE, m, fs::copy_options::overwrite_existing);
     },
     "undefined symbol: cindral_run_settings_window"},
};

TEST_F(Install, WithoutAUsableModuleOnlyTheSettingsModeFailsAndSaysWhy) {
    const fs::path module = prefix_ / "lib/cindral/modules/cindral-settings.so";
    const Env env = OffscreenEnv(folder_.path());
    for (const BrokenModule& broken : kBrokenModules) {
        SCOPED_TRACE(broken.name);
        broken.spoil(module);
        Outcome run = RunToEnd({(prefix_ / "bin/cindral").string(), "/c"}, env, 10000);
        ASSERT_TRUE(run.status) << "still running: " << run.output;
        EXPECT_EQ(*run.status, 1);
        EXPECT_NE(run.output.find("cindral: the settings window cannot be loaded: "),
                  std::string::npos)
            << run.output;
        EXPECT_NE(run.output.find(broken.reason), std::string::npos) << run.output;
    }

    // The saver needs no module.
    fs::remove(module);
    auto x = XServer::Xvfb(640, 480, 24);
    ASSERT_TRUE(x) << "Xvfb did not start";
    Env saverEnv = x->ClientEnv();
    saverEnv["HOME"] = folder_.path().string();
    saverEnv["XDG_CONFIG_HOME"] = folder_.path().string();
    const Child saver = Spawn({(prefix_ / "bin/cindral").string(), "/s"}, saverEnv);
    EXPECT_TRUE(WaitForFire(*x, "root", 640, 480)) << "no fire within 10 s";
    KillAndReap(saver.pid);
}

// dpkg, waiting while another dpkg or apt holds the package database.
Outcome Dpkg(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"dpkg"};
    argv.insert(argv.end(), args.begin(), args.end());
    for (int attempt = 0;; ++attempt) {
        Outcome o = RunToEnd(argv, {}, 120000);
        if (attempt == 60 || !o.status || *o.status == 0 ||
            o.output.find("lock") == std::string::npos) {
            return o;
        }
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
}

// The package goes into the one system that every build tree shares: a run
// of this test from another tree or another ctest waits here instead of
// finding this run's files in place (or skipping because its package is in).
class SystemPackageLock {
  public:
    SystemPackageLock()
        : fd_(open("/run/lock/cindral-package-test.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {}
    ~SystemPackageLock() {
        if (fd_ >= 0) close(fd_);
    }
    // True once held; false when the file cannot be opened or another run
    // keeps it for longer than `timeoutMs`.
    bool Take(int timeoutMs) {
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (fd_ >= 0 && flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if (Clock::now() >= end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        return fd_ >= 0;
    }

  private:
    int fd_;
};

std::string PackageStatus() {
    return RunToEnd({"dpkg-query", "-W", "-f=${Status}", "cindral"}, {}, 10000).output;
}

TEST(DebianPackage, DeclaresItsLibrariesInstallsAndRemovesCleanly) {
    if (geteuid() != 0) GTEST_SKIP() << "dpkg -i needs root";
    SystemPackageLock lock;
    ASSERT_TRUE(lock.Take(200000)) << "another run kept /run/lock/cindral-package-test.lock";
    if (PackageStatus().find("ok installed") != std::string::npos) {
        GTEST_SKIP() << "a cindral package is installed on this machine; left alone";
    }
    TempFolder folder;
    Outcome pack = RunToEnd(
        {CINDRAL_CPACK, "-G", "DEB", "--config",
         std::string(CINDRAL_BUILD_DIR) + "/CPackConfig.cmake", "-B", folder.path().string()},
        {}, 240000);
    ASSERT_TRUE(pack.status);
    ASSERT_EQ(*pack.status, 0) << pack.output;
    fs::path deb;
    for (const auto& e : fs::directory_iterator(folder.path())) {
        if (e.path().extension() == ".deb") deb = e.path();
    }
    ASSERT_FALSE(deb.empty()) << pack.output;

    // The libraries the program loads are declared, so dpkg and apt bring them.
    const std::string depends =
        RunToEnd({"dpkg-deb", "-f", deb.string(), "Depends"}, {}, 10000).output;
    for (const char* lib :
         {"libsdl2-2.0-0", "libsdl2-mixer-2.0-0", "libcdio", "libx11-6", "libxext6", "libxrender1",
          "libxrandr2", "libxpresent1", "libstdc++6", "libqt6widgets6", "libwayland-client0",
          "libxkbcommon0", "qt6-wayland"}) {
        EXPECT_NE(depends.find(lib), std::string::npos) << lib << " missing in: " << depends;
    }

    // Paths of the package that did not exist before it came.
    std::set<fs::path> added;
    Outcome listing =
        RunToEnd({"sh", "-c", "dpkg-deb --fsys-tarfile \"$0\" | tar -t", deb.string()}, {}, 10000);
    ASSERT_TRUE(listing.status);
    std::istringstream names(listing.output);
    for (std::string name; std::getline(names, name);) {
        fs::path p = fs::path("/") / fs::path(name).lexically_normal();
        std::string s = p.string();
        if (s.size() > 1 && s.back() == '/') p = s.substr(0, s.size() - 1);
        if (!fs::exists(fs::symlink_status(p))) added.insert(p);
    }
    EXPECT_TRUE(added.count("/usr/libexec/xscreensaver/cindral"));

    Outcome install = Dpkg({"-i", deb.string()});
    ASSERT_TRUE(install.status);
    EXPECT_EQ(*install.status, 0) << install.output;
    EXPECT_NE(PackageStatus().find("install ok installed"), std::string::npos);
    ExpectInstalled("/usr");

    Outcome remove = Dpkg({"-r", "cindral"});
    ASSERT_TRUE(remove.status);
    EXPECT_EQ(*remove.status, 0) << remove.output;
    const std::string after = PackageStatus();
    EXPECT_EQ(after.find("ok installed"), std::string::npos) << after;
    EXPECT_EQ(after.find("config-files"), std::string::npos) << after;
    for (const auto& p : added) {
        EXPECT_FALSE(fs::exists(fs::symlink_status(p))) << p << " left behind";
    }
}

}  // namespace
}  // namespace cindral::e2e
