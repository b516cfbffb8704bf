#pragma once
// Process and X server helpers for the end-to-end tests of the real program.

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace cindral::e2e {

using Clock = std::chrono::steady_clock;
using Env = std::map<std::string, std::string>;

struct Child {
    pid_t pid = -1;
    int stdinFd = -1;   // write end, when asked for
    int stdoutFd = -1;  // read end, when asked for
    int stderrFd = -1;  // read end, when asked for
};

Child Spawn(const std::vector<std::string>& argv, const Env& env, bool pipeStdin = false,
            bool pipeStdout = false, bool pipeStderr = false);
// Everything left to read from `fd` until its writers close it, or until
// `timeoutMs` passed.
std::string ReadAll(int fd, int timeoutMs);
// Exit status (WEXITSTATUS, or 128 + signal) when the child ended within
// `timeoutMs`; nothing otherwise.
std::optional<int> WaitExit(pid_t pid, int timeoutMs);
void KillAndReap(pid_t pid);
// Runs to completion and returns standard output.
std::string Capture(const std::vector<std::string>& argv, const Env& env);
std::string ReadLine(int fd, int timeoutMs);

struct Outcome {
    std::optional<int> status;  // nothing: still running at the time limit (then killed)
    std::string output;         // standard output and standard error
};
// Runs to completion or for at most `timeoutMs`.
Outcome RunToEnd(const std::vector<std::string>& argv, const Env& env, int timeoutMs);

// A private X server: Xvfb on a free display number, or Xorg with a
// configuration file.
class XServer {
  public:
    // `anyClient`: no access control (-ac), for clients of other users.
    static std::optional<XServer> Xvfb(int width, int height, int depth, bool anyClient = false,
                                       const std::vector<std::string>& extraArgs = {});
    static std::optional<XServer> Xorg(const std::string& configFile, const std::string& logFile);
    // Xorg on `screens` dummy-driver screens of 640 x 480 side by side, joined
    // by Xinerama, each with one 59.94 Hz mode; its configuration and log go
    // into `dir`. Needs DummyXorgAvailable().
    static std::optional<XServer> DummyXorg(const std::filesystem::path& dir, int screens);
    XServer(XServer&&) noexcept;
    XServer& operator=(XServer&&) = delete;
    ~XServer();
    const std::string& Name() const { return name_; }
    Env ClientEnv() const;

  private:
    XServer() = default;
    static std::optional<XServer> Start(std::vector<std::string> argv, bool quiet, int timeoutMs);
    pid_t pid_ = -1;
    std::string name_;
};

// Whether Xorg's dummy video driver can run here: it is installed and this
// process may start Xorg (as root).
bool DummyXorgAvailable();

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;  // 3 bytes a pixel
    std::uint8_t R(int x, int y) const { return rgb[3 * (y * width + x)]; }
    std::uint8_t G(int x, int y) const { return rgb[3 * (y * width + x) + 1]; }
    std::uint8_t B(int x, int y) const { return rgb[3 * (y * width + x) + 2]; }
};

// `window` is "root" or a window id; width and height are its size.
Picture Screenshot(const XServer& x, const std::string& window, int width, int height);

// Checks of a picture region (x0 <= x < x1): fraction of non-black pixels,
// and whether every pixel has red >= green >= blue.
double LitFraction(const Picture& p, int x0, int x1);
bool FireColoursOnly(const Picture& p, int x0, int x1);
double DifferingFraction(const Picture& a, const Picture& b, int x0, int x1);

// Milliseconds until `window` shows fire (more than 30% lit, fire colours
// only), looking until `timeoutMs` has passed; nothing if it never does. A
// started program's first frames come after a time that depends on the
// machine's load, so a fixed wait misses them on a busy machine.
std::optional<double> WaitForFire(const XServer& x, const std::string& window, int width,
                                  int height, int timeoutMs = 10000);

// Records the windows created on the screen from now on (xev on the root
// window); StopWatching ends the recording and returns it.
Child WatchWindowCreation(const XServer& x);
std::string StopWatching(const Child& watch);

std::string BinDir();  // where cindral and cindral-test-window are

}  // namespace cindral::e2e
