#include "app/linux/backend_choice.h"

#include "app/linux/environment.h"

namespace cindral::app {

BackendChoice ChooseBackend(const BackendEnvironment& env) {
    BackendChoice choice;
    if (IsSet(env.override)) {
        if (*env.override == "x11") return choice;
        if (*env.override == "wayland") {
            choice.backend = Backend::Wayland;
            return choice;
        }
        choice.error = "CINDRAL_BACKEND is \"" + *env.override + "\"; it must be x11 or wayland";
        return choice;
    }
    if (IsSet(env.waylandDisplay) || IsSet(env.waylandSocket)) choice.backend = Backend::Wayland;
    return choice;
}

BackendEnvironment ProcessBackendEnvironment() {
    return {EnvValue("CINDRAL_BACKEND"), EnvValue("WAYLAND_DISPLAY"), EnvValue("WAYLAND_SOCKET")};
}

}  // namespace cindral::app
