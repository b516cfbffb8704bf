#include "e2e_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

extern char** environ;

namespace cindral::e2e {

Child Spawn(const std::vector<std::string>& argv, const Env& env, bool pipeStdin, bool pipeStdout,
            bool pipeStderr) {
    int in[2] = {-1, -1}, out[2] = {-1, -1}, err[2] = {-1, -1};
    if (pipeStdin && pipe2(in, O_CLOEXEC) != 0) return {};
    if (pipeStdout && pipe2(out, O_CLOEXEC) != 0) return {};
    if (pipeStderr && pipe2(err, O_CLOEXEC) != 0) return {};
    pid_t pid = fork();
    if (pid == 0) {
        if (pipeStdin) dup2(in[0], 0);
        if (pipeStdout) dup2(out[1], 1);
        if (pipeStderr) dup2(err[1], 2);
        for (const auto& [k, v] : env) setenv(k.c_str(), v.c_str(), 1);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    Child c;
    c.pid = pid;
    if (pipeStdin) {
        close(in[0]);
        c.stdinFd = in[1];
    }
    if (pipeStdout) {
        close(out[1]);
        c.stdoutFd = out[0];
    }
    if (pipeStderr) {
        close(err[1]);
        c.stderrFd = err[0];
    }
    return c;
}

std::string ReadAll(int fd, int timeoutMs) {
    std::string text;
    auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0) continue;
        char buf[4096];
        ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0) break;
        text.append(buf, static_cast<std::size_t>(n));
    }
    return text;
}

std::optional<int> WaitExit(pid_t pid, int timeoutMs) {
    auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int status = 0;
        pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) {
            if (WIFEXITED(status)) return WEXITSTATUS(status);
            if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
        }
        if (r < 0) return -1;
        if (Clock::now() >= end) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void KillAndReap(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

std::string ReadLine(int fd, int timeoutMs) {
    std::string line;
    auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0) continue;
        char c;
        if (read(fd, &c, 1) != 1) break;
        if (c == '\n') break;
        line += c;
    }
    return line;
}

std::string Capture(const std::vector<std::string>& argv, const Env& env) {
    Child c = Spawn(argv, env, false, true);
    std::string out;
    char buf[65536];
    ssize_t n;
    while ((n = read(c.stdoutFd, buf, sizeof buf)) > 0) out.append(buf, n);
    close(c.stdoutFd);
    waitpid(c.pid, nullptr, 0);
    return out;
}

Outcome RunToEnd(const std::vector<std::string>& argv, const Env& env, int timeoutMs) {
    std::vector<std::string> shell{"sh", "-c", "exec \"$0\" \"$@\" 2>&1"};
    shell.insert(shell.end(), argv.begin(), argv.end());
    Child c = Spawn(shell, env, false, true);
    Outcome o;
    auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    // Read while it runs, so that a long output cannot block it.
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0) break;
        pollfd p{c.stdoutFd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
        char buf[4096];
        ssize_t n = read(c.stdoutFd, buf, sizeof buf);
        if (n <= 0) break;
        o.output.append(buf, n);
    }
    close(c.stdoutFd);
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    o.status = WaitExit(c.pid, std::max<int>(0, static_cast<int>(left.count())));
    if (!o.status) KillAndReap(c.pid);
    return o;
}

std::optional<XServer> XServer::Xvfb(int width, int height, int depth, bool anyClient,
                                     const std::vector<std::string>& extraArgs) {
    std::string screen =
        std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth);
    std::vector<std::string> argv{"Xvfb", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"};
    if (anyClient) argv.push_back("-ac");
    argv.insert(argv.end(), extraArgs.begin(), extraArgs.end());
    return Start(argv, false, 10000);
}

std::optional<XServer> XServer::Xorg(const std::string& configFile, const std::string& logFile) {
    return Start({"Xorg", "-config", configFile, "-noreset", "+xinerama", "-nolisten", "tcp",
                  "-logfile", logFile, "-novtswitch", "-sharevts"},
                 true, 20000);
}

bool DummyXorgAvailable() {
    return geteuid() == 0 && access("/usr/lib/xorg/modules/drivers/dummy_drv.so", R_OK) == 0;
}

std::optional<XServer> XServer::DummyXorg(const std::filesystem::path& dir, int screens) {
    std::filesystem::create_directories(dir);
    std::ofstream config(dir / "xorg.conf");
    config << "Section \"ServerFlags\"\n"
              "  Option \"AutoAddDevices\" \"false\"\n"
              "  Option \"AutoEnableDevices\" \"false\"\n"
              "EndSection\n";
    for (int i = 0; i < screens; ++i) {
        const std::string n = std::to_string(i);
        config << "Section \"Device\"\n  Identifier \"card" << n
               << "\"\n  Driver \"dummy\"\n  VideoRam 64000\nEndSection\n"
               << "Section \"Monitor\"\n  Identifier \"mon" << n
               << "\"\n  HorizSync 5.0-1000.0\n  VertRefresh 5.0-200.0\n"
                  "  Modeline \"640x480\" 25.175 640 656 752 800 480 490 492 525 -hsync -vsync\n"
                  "EndSection\n"
               << "Section \"Screen\"\n  Identifier \"screen" << n << "\"\n  Device \"card" << n
               << "\"\n  Monitor \"mon" << n
               << "\"\n  DefaultDepth 24\n  SubSection \"Display\"\n    Depth 24\n"
                  "    Modes \"640x480\"\n    Virtual 640 480\n  EndSubSection\nEndSection\n";
    }
    if (screens > 1) {
        config << "Section \"ServerLayout\"\n  Identifier \"side by side\"\n"
                  "  Screen 0 \"screen0\"\n";
        for (int i = 1; i < screens; ++i) {
            config << "  Screen " << i << " \"screen" << i << "\" RightOf \"screen" << i - 1
                   << "\"\n";
        }
        config << "EndSection\n";
    }
    config.close();
    return Xorg((dir / "xorg.conf").string(), (dir / "xorg.log").string());
}

// Both servers pick a free display number themselves and write it to the
// -displayfd pipe once they accept connections.
std::optional<XServer> XServer::Start(std::vector<std::string> argv, bool quiet, int timeoutMs) {
    int fds[2];
    if (pipe(fds) != 0) return std::nullopt;
    argv.insert(argv.begin() + 1, {"-displayfd", std::to_string(fds[1])});
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        if (quiet) {
            int devnull = open("/dev/null", O_WRONLY);
            dup2(devnull, 2);
        }
        std::vector<char*> args;
        for (auto& a : argv) args.push_back(a.data());
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(fds[1]);
    std::string number = ReadLine(fds[0], timeoutMs);
    close(fds[0]);
    if (number.empty()) {
        KillAndReap(pid);
        return std::nullopt;
    }
    XServer x;
    x.pid_ = pid;
    x.name_ = ":" + number;
    return x;
}

XServer::XServer(XServer&& o) noexcept : pid_(o.pid_), name_(std::move(o.name_)) { o.pid_ = -1; }

XServer::~XServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        if (!WaitExit(pid_, 5000)) KillAndReap(pid_);
    }
}

Env XServer::ClientEnv() const { return {{"DISPLAY", name_}}; }

Picture Screenshot(const XServer& x, const std::string& window, int width, int height) {
    Picture p;
    p.width = width;
    p.height = height;
    std::string raw = Capture({"import", "-window", window, "-depth", "8", "rgb:-"}, x.ClientEnv());
    if (raw.size() != static_cast<std::size_t>(width) * height * 3) return Picture{};
    p.rgb.assign(raw.begin(), raw.end());
    return p;
}

double LitFraction(const Picture& p, int x0, int x1) {
    long lit = 0, all = 0;
    for (int y = 0; y < p.height; ++y) {
        for (int x = x0; x < x1; ++x, ++all) lit += (p.R(x, y) | p.G(x, y) | p.B(x, y)) != 0;
    }
    return all ? static_cast<double>(lit) / all : 0.0;
}

bool FireColoursOnly(const Picture& p, int x0, int x1) {
    for (int y = 0; y < p.height; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (p.R(x, y) < p.G(x, y) || p.G(x, y) < p.B(x, y)) return false;
        }
    }
    return true;
}

double DifferingFraction(const Picture& a, const Picture& b, int x0, int x1) {
    long diff = 0, all = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = x0; x < x1; ++x, ++all) {
            diff += a.R(x, y) != b.R(x, y) || a.G(x, y) != b.G(x, y) || a.B(x, y) != b.B(x, y);
        }
    }
    return all ? static_cast<double>(diff) / all : 0.0;
}

std::optional<double> WaitForFire(const XServer& x, const std::string& window, int width,
                                  int height, int timeoutMs) {
    const auto start = Clock::now();
    const auto since = [&start] {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    for (;;) {
        const Picture p = Screenshot(x, window, width, height);
        if (!p.rgb.empty() && LitFraction(p, 0, width) > 0.3 && FireColoursOnly(p, 0, width)) {
            return since();
        }
        if (since() >= timeoutMs) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

// Whether `watch` (xev) reports the destruction of a short-lived window made
// now, reading its output up to that report.
static bool SeesAProbeWindow(const XServer& x, const Child& watch) {
    Child probe = Spawn({BinDir() + "/cindral-test-window", "--name", "cindral-watch-probe",
                         "--width", "1", "--height", "1"},
                        x.ClientEnv(), true, true);
    ReadLine(probe.stdoutFd, 5000);  // shown
    close(probe.stdoutFd);
    close(probe.stdinFd);  // its window goes with its connection
    if (!WaitExit(probe.pid, 5000)) KillAndReap(probe.pid);
    const auto end = Clock::now() + std::chrono::seconds(1);
    while (Clock::now() < end) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (ReadLine(watch.stdoutFd, static_cast<int>(left.count()) + 1).find("DestroyNotify") !=
            std::string::npos) {
            return true;
        }
    }
    return false;
}

Child WatchWindowCreation(const XServer& x) {
    Child c = Spawn({"stdbuf", "-oL", "xev", "-root", "-event", "substructure"}, x.ClientEnv(),
                    false, true);
    // xev prints nothing when nothing happens: a window of the test's own
    // shows that it listens before the watched program starts (a fixed wait
    // may end before it does on a busy machine, and then sees nothing).
    bool listening = false;
    for (int attempt = 0; attempt < 10 && !listening; ++attempt) {
        listening = SeesAProbeWindow(x, c);
    }
    if (!listening) ADD_FAILURE() << "xev did not start watching the screen's windows";
    return c;
}

std::string StopWatching(const Child& watch) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    kill(watch.pid, SIGTERM);
    WaitExit(watch.pid, 2000);
    std::string out;
    char buf[4096];
    ssize_t n;
    while ((n = read(watch.stdoutFd, buf, sizeof buf)) > 0) out.append(buf, n);
    close(watch.stdoutFd);
    return out;
}

std::string BinDir() { return CINDRAL_BIN_DIR; }

}  // namespace cindral::e2e
