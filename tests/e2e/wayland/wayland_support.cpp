#include "wayland_support.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace cindral::e2e {

namespace {

// A 0700 runtime folder owned by `uid`, as a compositor demands.
std::string MakeRuntimeDir(uid_t uid, gid_t gid) {
    char pattern[] = "/tmp/cindral-wl-XXXXXX";
    if (!mkdtemp(pattern)) return {};
    if (chown(pattern, uid, gid) != 0 || chmod(pattern, 0700) != 0) return {};
    return pattern;
}

std::string ReadFileText(const std::string& path) {
    std::ifstream f(path);
    std::string text;
    std::getline(f, text);
    return text;
}

bool WaitForSocket(const std::string& path, pid_t pid, int timeoutMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < end) {
        if (std::filesystem::exists(path)) return true;
        if (waitpid(pid, nullptr, WNOHANG) == pid) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

// Runs what follows as the unprivileged user the compositors insist on.
constexpr char kAsNobody[] = "exec setpriv --reuid=nobody --regid=nogroup --clear-groups ";
constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

}  // namespace

bool Compositor::Start(std::vector<std::string> line, const Env& env, int socketMs, int settleMs) {
    line.insert(line.begin(), {"sh", "-c"});
    pid_ = Spawn(line, env).pid;
    if (pid_ < 0 || !WaitForSocket(runtimeDir_ + "/wayland-1", pid_, socketMs)) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    return true;
}

std::optional<Compositor> Compositor::Sway(const std::vector<OutputSize>& outputs) {
    Compositor c;
    c.runtimeDir_ = MakeRuntimeDir(kNobody, kNogroup);
    if (c.runtimeDir_.empty()) return std::nullopt;
    const std::string config = c.runtimeDir_ + "/sway.conf";
    {
        std::ofstream f(config);
        int x = 0;
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            f << "output HEADLESS-" << i + 1 << " resolution " << outputs[i].width << "x"
              << outputs[i].height << " position " << x << " 0\n";
            x += outputs[i].width;
        }
    }
    chmod(config.c_str(), 0644);
    const Env env{{"XDG_RUNTIME_DIR", c.runtimeDir_},
                  {"WLR_BACKENDS", "headless"},
                  {"WLR_HEADLESS_OUTPUTS", std::to_string(outputs.size())},
                  {"WLR_LIBINPUT_NO_DEVICES", "1"},
                  {"WLR_RENDERER", "pixman"},
                  {"WAYLAND_DISPLAY", ""},
                  {"DISPLAY", ""}};
    const std::string log = c.runtimeDir_ + "/sway.log";
    // The outputs are configured just after the socket opens.
    if (!c.Start({kAsNobody + std::string("sway -c '") + config + "' >'" + log + "' 2>&1"}, env,
                 10000, 300)) {
        return std::nullopt;
    }
    return c;
}

std::optional<Compositor> Compositor::Weston(int width, int height) {
    Compositor c;
    c.runtimeDir_ = MakeRuntimeDir(getuid(), getgid());
    if (c.runtimeDir_.empty()) return std::nullopt;
    const Env env{{"XDG_RUNTIME_DIR", c.runtimeDir_}, {"WAYLAND_DISPLAY", ""}, {"DISPLAY", ""}};
    const std::string log = c.runtimeDir_ + "/weston.log";
    if (!c.Start(
            {"exec weston --backend=headless-backend.so --use-pixman --debug --socket=wayland-1"
             " --width " +
             std::to_string(width) + " --height " + std::to_string(height) + " >'" + log +
             "' 2>&1"},
            env, 10000, 300)) {
        return std::nullopt;
    }
    return c;
}

std::optional<Compositor> Compositor::Mutter(const std::vector<OutputSize>& monitors) {
    Compositor c;
    c.runtimeDir_ = MakeRuntimeDir(kNobody, kNogroup);
    if (c.runtimeDir_.empty()) return std::nullopt;
    const std::string& dir = c.runtimeDir_;
    // Its settings (dconf) want a home; the session bus's address and
    // mutter's own pid are left in the folder for the tests.
    const Env env{{"XDG_RUNTIME_DIR", dir}, {"HOME", dir},   {"GIO_USE_VFS", "local"},
                  {"WAYLAND_DISPLAY", ""},  {"DISPLAY", ""}, {"DBUS_SESSION_BUS_ADDRESS", ""}};
    std::string inner = "echo \"$DBUS_SESSION_BUS_ADDRESS\" >'" + dir + "/bus'; echo $$ >'" + dir +
                        "/mutter.pid'; exec mutter --headless --wayland --no-x11" +
                        " --wayland-display=wayland-1";
    for (const OutputSize m : monitors) {
        inner += " --virtual-monitor " + std::to_string(m.width) + "x" + std::to_string(m.height);
    }
    // Its D-Bus services are registered just after the socket opens.
    if (!c.Start({kAsNobody + std::string("dbus-run-session -- sh -c \"$0\" >'") + dir +
                      "/mutter.log' 2>&1",
                  inner},
                 env, 15000, 500)) {
        return std::nullopt;
    }
    c.busAddress_ = ReadFileText(dir + "/bus");
    const std::string pid = ReadFileText(dir + "/mutter.pid");
    if (c.busAddress_.empty() || pid.empty()) return std::nullopt;
    c.compositorPid_ = std::stoi(pid);
    return c;
}

Child Compositor::MutterKey(int code) const {
    // The helper runs as the bus's user (the bus refuses others); the
    // script is read by this process, whose user can read the tree.
    const std::string script = std::string(CINDRAL_E2E_WAYLAND_DIR) + "/mutter_key.py";
    return Spawn(
        {"sh", "-c", kAsNobody + std::string("/usr/bin/python3 - \"$0\" <'") + script + "'",
         std::to_string(code)},
        {{"DBUS_SESSION_BUS_ADDRESS", busAddress_}}, false, true);
}

Compositor::Compositor(Compositor&& o) noexcept
    : pid_(o.pid_),
      compositorPid_(o.compositorPid_),
      runtimeDir_(o.runtimeDir_),
      busAddress_(o.busAddress_) {
    o.pid_ = o.compositorPid_ = -1;
    o.runtimeDir_.clear();
}

Compositor::~Compositor() {
    if (compositorPid_ > 0) {
        // dbus-run-session ends, with its bus, once the compositor it runs
        // ends; ending it first would leave both behind.
        kill(compositorPid_, SIGTERM);
        if (!WaitExit(pid_, 5000)) {
            kill(compositorPid_, SIGKILL);
            WaitExit(pid_, 3000);
        }
    } else if (pid_ > 0) {
        // sh exec'd setpriv, which exec'd the compositor: one process.
        kill(pid_, SIGTERM);
        if (!WaitExit(pid_, 3000)) KillAndReap(pid_);
    }
    if (!runtimeDir_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(runtimeDir_, ec);
    }
}

Env Compositor::ClientEnv() const {
    // WAYLAND_SOCKET cannot be emptied: the client library reads an empty one
    // as a broken socket number. The tests run without it.
    return {{"XDG_RUNTIME_DIR", runtimeDir_},
            {"WAYLAND_DISPLAY", "wayland-1"},
            {"DISPLAY", ""},
            {"CINDRAL_BACKEND", ""},
            {"SWAYLOCK_PLUGIN_OUTPUT_NAME", ""}};
}

std::string Compositor::SwayMsg(const std::vector<std::string>& args) const {
    std::vector<std::string> argv{"swaymsg"};
    argv.insert(argv.end(), args.begin(), args.end());
    Env env = ClientEnv();
    // swaymsg finds sway's IPC socket in the runtime folder.
    for (const auto& e : std::filesystem::directory_iterator(runtimeDir_)) {
        if (e.path().filename().string().starts_with("sway-ipc.")) env["SWAYSOCK"] = e.path();
    }
    return Capture(argv, env);
}

Picture ParsePpm(const std::string& bytes) {
    Picture p;
    std::istringstream in(bytes);
    std::string magic;
    int maxval = 0;
    in >> magic >> p.width >> p.height >> maxval;
    if (magic != "P6" || maxval != 255 || p.width <= 0 || p.height <= 0) return {};
    in.get();  // the one whitespace byte before the pixels
    const std::size_t n = static_cast<std::size_t>(p.width) * p.height * 3;
    const auto offset = static_cast<std::size_t>(in.tellg());
    if (bytes.size() < offset + n) return {};
    p.rgb.assign(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                 bytes.begin() + static_cast<std::ptrdiff_t>(offset + n));
    return p;
}

Picture Compositor::Grab(const std::string& name) const {
    return ParsePpm(Capture({"grim", "-t", "ppm", "-o", name, "-"}, ClientEnv()));
}

std::optional<double> WaitForOutputFire(const Compositor& c, const std::string& name,
                                        int timeoutMs) {
    const auto start = Clock::now();
    while (Clock::now() - start < std::chrono::milliseconds(timeoutMs)) {
        const Picture p = c.Grab(name);
        if (!p.rgb.empty() && LitFraction(p, 0, p.width) > 0.3 && FireColoursOnly(p, 0, p.width)) {
            return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return std::nullopt;
}

}  // namespace cindral::e2e
