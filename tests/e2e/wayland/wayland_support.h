#pragma once
// Headless compositors for the end-to-end tests of the program on Wayland:
// sway (wlroots, pixman renderer) with any number of outputs, run as nobody
// since sway refuses root, and weston (the xdg-shell path). Screenshots come
// from grim (sway) and weston-screenshooter (weston).

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

  private:
    Compositor() = default;
    pid_t pid_ = -1;
    std::string runtimeDir_;
};

// Reads a binary PPM (P6, maxval 255); an empty picture when it is not one.
Picture ParsePpm(const std::string& bytes);

// Milliseconds until output `name` shows fire (more than 30% lit, fire
// colours only); nothing when it does not within `timeoutMs`.
std::optional<double> WaitForOutputFire(const Compositor& c, const std::string& name,
                                        int timeoutMs = 10000);

}  // namespace cindral::e2e
