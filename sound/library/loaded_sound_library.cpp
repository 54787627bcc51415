#include "sound/library/loaded_sound_library.h"

#include <dlfcn.h>

namespace zenko {

namespace {

template <typename Function>
bool find(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(handle, name));
    return function != nullptr;
}

}  // namespace

// Loaded once; a library without every function counts as missing.
bool LoadedSoundLibrary::load() {
    if (tried_) return handle_ != nullptr;
    tried_ = true;
    for (const std::string& path : candidates_) {
        void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) continue;
        if (find(handle, "dsInitialize", initialize_) && find(handle, "dsCreateDSB", createBuffer_) &&
            find(handle, "dsPlay", playOnce_) && find(handle, "dsPlayLooping", playLooping_) &&
            find(handle, "dsStop", stop_) && find(handle, "dsFree", free_) &&
            find(handle, "dsTerminate", terminate_)) {
            handle_ = handle;
            return true;
        }
        ::dlclose(handle);
    }
    return false;
}

int LoadedSoundLibrary::dsInitialize(void* window) { return load() ? initialize_(window) : 0; }

int LoadedSoundLibrary::dsCreateDSB(int device, const std::vector<unsigned char>& fileBytes, int flags) {
    return loaded() ? createBuffer_(device, fileBytes.data(), fileBytes.size(), flags) : 0;
}

int LoadedSoundLibrary::dsPlay(int buffer) { return loaded() ? playOnce_(buffer) : 0; }
int LoadedSoundLibrary::dsPlayLooping(int buffer) { return loaded() ? playLooping_(buffer) : 0; }
int LoadedSoundLibrary::dsStop(int buffer) { return loaded() ? stop_(buffer) : 0; }
int LoadedSoundLibrary::dsFree(int buffer) { return loaded() ? free_(buffer) : 0; }
int LoadedSoundLibrary::dsTerminate(int device) { return loaded() ? terminate_(device) : 0; }

}  // namespace zenko
