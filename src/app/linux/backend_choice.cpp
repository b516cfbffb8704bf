#include "app/linux/backend_choice.h"

#include <cstdlib>

namespace cindral::app {

namespace {

std::optional<std::string> Env(const char* name) {
    const char* v = std::getenv(name);
    if (!v) return std::nullopt;
    return std::string(v);
}

bool Set(const std::optional<std::string>& v) { return v && !v->empty(); }

}  // namespace

BackendChoice ChooseBackend(const BackendEnvironment& env) {
    BackendChoice choice;
    if (Set(env.override)) {
        if (*env.override == "x11") return choice;
        if (*env.override == "wayland") {
            choice.backend = Backend::Wayland;
            return choice;
        }
        choice.error = "CINDRAL_BACKEND is \"" + *env.override + "\"; it must be x11 or wayland";
        return choice;
    }
    if (Set(env.waylandDisplay) || Set(env.waylandSocket)) choice.backend = Backend::Wayland;
    return choice;
}

BackendEnvironment ProcessBackendEnvironment() {
    return {Env("CINDRAL_BACKEND"), Env("WAYLAND_DISPLAY"), Env("WAYLAND_SOCKET")};
}

}  // namespace cindral::app
