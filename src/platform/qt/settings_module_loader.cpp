#include "platform/qt/settings_module_loader.h"

#include <dlfcn.h>

namespace cindral::platform::qt {

SettingsModule LoadSettingsModule() {
    SettingsModule module;
    // A bare name: the program's run path says where the module is.
    void* handle = dlopen(kSettingsModule, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* error = dlerror();
        module.error = error ? error : "no reason given";
        return module;
    }
    dlerror();
    void* entry = dlsym(handle, kSettingsEntry);
    if (const char* error = dlerror(); error || !entry) {
        module.error = error ? error : std::string(kSettingsEntry) + " is null";
        return module;
    }
    module.run = reinterpret_cast<SettingsEntry>(entry);
    return module;
}

}  // namespace cindral::platform::qt
