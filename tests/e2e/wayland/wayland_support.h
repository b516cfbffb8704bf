#pragma once
// Headless compositors for the end-to-end tests of the program on Wayland:
// sway (wlroots, pixman renderer) with any number of outputs, run as nobody
// since sway refuses root, weston and GNOME's mutter (the xdg-shell path).
// Screenshots come from grim (sway) and weston-screenshooter (weston); mutter
// takes input through its remote-desktop D-Bus interface on its own session
// bus, and offers screenshots only through PipeWire.

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace cindral::e2e {

struct OutputSize {
    int width, height;
};

class Compositor {
  public:
    static std::optional<Compositor> Sway(const std::vector<OutputSize>& outputs);
    static std::optional<Compositor> Weston(int width, int height);
    // mutter --headless with these virtual monitors, under its own session
    // bus, run as nobody like sway.
    static std::optional<Compositor> Mutter(const std::vector<OutputSize>& monitors);
    Compositor(Compositor&&) noexcept;
    Compositor& operator=(Compositor&&) = delete;
    ~Compositor();

    // WAYLAND_DISPLAY and XDG_RUNTIME_DIR of the compositor, with every other
    // display system's variables emptied.
    Env ClientEnv() const;
    const std::string& RuntimeDir() const { return runtimeDir_; }
    // The screenshot of output `name` ("HEADLESS-1" ...), from grim.
    Picture Grab(const std::string& name) const;
    // Runs `swaymsg` with these arguments; its standard output.
    std::string SwayMsg(const std::vector<std::string>& args) const;
    // Presses and releases the key of evdev code `code` (1: Escape) through
    // mutter's remote desktop: a helper that opens a session, brings its
    // keyboard to the seat, sends the key 300 ms later, prints "sent T" (T:
    // the monotonic clock in seconds) on its piped standard output and lives
    // 300 ms longer.
    Child MutterKey(int code) const;

  private:
    Compositor() = default;
    // Runs `sh -c` with `line` (a command, then its $0, $1...) and waits up to
    // `socketMs` for the compositor's socket, then `settleMs` for what it sets
    // up just after; false when the socket did not open.
    bool Start(std::vector<std::string> line, const Env& env, int socketMs, int settleMs);
    pid_t pid_ = -1;
    pid_t compositorPid_ = -1;  // when pid_ is a wrapper that outlives it
    std::string runtimeDir_;
    std::string busAddress_;
};

// Reads a binary PPM (P6, maxval 255); an empty picture when it is not one.
Picture ParsePpm(const std::string& bytes);

// Milliseconds until output `name` shows fire (more than 30% lit, fire
// colours only); nothing when it does not within `timeoutMs`.
std::optional<double> WaitForOutputFire(const Compositor& c, const std::string& name,
                                        int timeoutMs = 10000);

}  // namespace cindral::e2e
