#include "platform/audio/audio_libraries.h"

#include <dlfcn.h>
#include <mpg123.h>

#include <map>
#include <mutex>
#include <vector>

namespace cindral::platform::audio {
namespace {

// Each library's functions are looked up in the handles of its sonames.
template <typename Library>
using Filler = bool (*)(void* const* handles, Library& library, std::string& missing);

#define CINDRAL_RESOLVE(name)                                                      \
    library.name = reinterpret_cast<decltype(library.name)>(dlsym(handle, #name)); \
    if (!library.name) {                                                           \
        missing = #name;                                                           \
        return false;                                                              \
    }

bool FillMixer(void* const* handles, MixerLibrary& library, std::string& missing) {
    void* handle = handles[0];
    CINDRAL_MIXER_FUNCTIONS(CINDRAL_RESOLVE)
    handle = handles[1];
    CINDRAL_SDL_FUNCTIONS(CINDRAL_RESOLVE)
    return true;
}

bool FillCdio(void* const* handles, CdioLibrary& library, std::string& missing) {
    void* handle = handles[0];
    CINDRAL_CDIO_FUNCTIONS(CINDRAL_RESOLVE)
    return true;
}

#undef CINDRAL_RESOLVE

template <typename Library>
const Library* Load(const std::vector<std::string>& sonames, Filler<Library> fill,
                    std::string* why) {
    // Never freed: loaded libraries stay for the life of the process.
    static std::mutex mutex;
    static auto* loaded = new std::map<std::vector<std::string>, const Library*>;
    std::lock_guard lock(mutex);
    if (const auto it = loaded->find(sonames); it != loaded->end()) {
        if (!it->second && why) *why = sonames.front() + " could not be loaded";
        return it->second;
    }
    const Library* result = nullptr;
    std::vector<void*> handles;
    for (const std::string& soname : sonames) {
        void* handle = dlopen(soname.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* error = dlerror();
            if (why) *why = error ? error : soname + " could not be loaded";
            break;
        }
        handles.push_back(handle);
    }
    if (handles.size() == sonames.size()) {
        auto* library = new Library;
        std::string missing;
        if (fill(handles.data(), *library, missing)) {
            result = library;
        } else {
            delete library;
            if (why) *why = sonames.front() + " lacks " + missing;
        }
    }
    loaded->emplace(sonames, result);
    return result;
}

}  // namespace

const MixerLibrary* LoadMixerLibrary(const std::string& mixerSoname, const std::string& sdlSoname,
                                     std::string* why) {
    return Load<MixerLibrary>({mixerSoname, sdlSoname}, FillMixer, why);
}

const CdioLibrary* LoadCdioLibrary(const std::string& soname, std::string* why) {
    return Load<CdioLibrary>({soname}, FillCdio, why);
}

}  // namespace cindral::platform::audio

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
