#include "platform/linux/music/audio_libraries.h"

#include <dlfcn.h>
#include <mpg123.h>

#include <map>
#include <mutex>

namespace cindral::platform::linux {
namespace {

template <typename Library>
using Filler = bool (*)(void* handle, Library& library, std::string& missing);

#define CINDRAL_RESOLVE(name)                                                      \
    library.name = reinterpret_cast<decltype(library.name)>(dlsym(handle, #name)); \
    if (!library.name) {                                                           \
        missing = #name;                                                           \
        return false;                                                              \
    }

bool FillMixer(void* handle, MixerLibrary& library, std::string& missing) {
    CINDRAL_MIXER_FUNCTIONS(CINDRAL_RESOLVE)
    return true;
}

bool FillCdio(void* handle, CdioLibrary& library, std::string& missing) {
    CINDRAL_CDIO_FUNCTIONS(CINDRAL_RESOLVE)
    return true;
}

#undef CINDRAL_RESOLVE

template <typename Library>
const Library* Load(const std::string& soname, Filler<Library> fill, std::string* why) {
    // Never freed: loaded libraries stay for the life of the process.
    static std::mutex mutex;
    static auto* loaded = new std::map<std::string, const Library*>;
    std::lock_guard lock(mutex);
    if (const auto it = loaded->find(soname); it != loaded->end()) {
        if (!it->second && why) *why = soname + " could not be loaded";
        return it->second;
    }
    const Library* result = nullptr;
    if (void* handle = dlopen(soname.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        auto* library = new Library;
        std::string missing;
        if (fill(handle, *library, missing)) {
            result = library;
        } else {
            delete library;
            if (why) *why = soname + " lacks " + missing;
        }
    } else if (why) {
        const char* error = dlerror();
        *why = error ? error : soname + " could not be loaded";
    }
    loaded->emplace(soname, result);
    return result;
}

}  // namespace

const MixerLibrary* LoadMixerLibrary(const std::string& soname, std::string* why) {
    return Load<MixerLibrary>(soname, FillMixer, why);
}

const CdioLibrary* LoadCdioLibrary(const std::string& soname, std::string* why) {
    return Load<CdioLibrary>(soname, FillCdio, why);
}

}  // namespace cindral::platform::linux

// SDL2_mixer decodes MP3 through libmpg123 and leaves its messages on
// ("Giving up searching valid MPEG header ..." on standard error for a
// damaged file). The program exports this mpg123_new, which the dynamic
// linker binds SDL2_mixer's call to ahead of the library's own: it creates
// the handle with the real function and turns the messages off.
extern "C" __attribute__((visibility("default"))) mpg123_handle* mpg123_new(const char* decoder,
                                                                            int* error) {
    using New = mpg123_handle* (*)(const char*, int*);
    using Param = int (*)(mpg123_handle*, enum mpg123_parms, long, double);
    static const auto [realNew, param] = [] {
        void* library = dlopen("libmpg123.so.0", RTLD_NOW | RTLD_LOCAL);
        return std::pair{
            library ? reinterpret_cast<New>(dlsym(library, "mpg123_new")) : nullptr,
            library ? reinterpret_cast<Param>(dlsym(library, "mpg123_param")) : nullptr};
    }();
    if (!realNew) {
        if (error) *error = MPG123_ERR;
        return nullptr;
    }
    mpg123_handle* handle = realNew(decoder, error);
    if (handle && param) param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    return handle;
}
