#pragma once
// Which display system the program talks to: Wayland where a compositor is
// announced (WAYLAND_DISPLAY, or WAYLAND_SOCKET from a locker), X11
// otherwise; CINDRAL_BACKEND=x11|wayland overrides. A chosen backend that
// then cannot start is an error, never a reason to try the other.

#include <optional>
#include <string>

namespace cindral::app {

enum class Backend { X11, Wayland };

struct BackendChoice {
    Backend backend = Backend::X11;
    std::string error;  // not empty: the override names no backend
};

struct BackendEnvironment {
    std::optional<std::string> override;  // CINDRAL_BACKEND
    std::optional<std::string> waylandDisplay;
    std::optional<std::string> waylandSocket;
};

BackendChoice ChooseBackend(const BackendEnvironment& env);
BackendEnvironment ProcessBackendEnvironment();

}  // namespace cindral::app
